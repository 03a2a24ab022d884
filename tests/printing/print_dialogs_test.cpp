#include "support/program_fixture.h"

#include <QTest>

namespace {

class PrintDialogs : public ProgramFixture {
protected:
    Form13 &openPicture()
    {
        window().mnuprint2->trigger();
        Form13 *d = window().picturePrintDialog();
        EXPECT_NE(d, nullptr);
        d->Form_Activate();
        return *d;
    }
    Form3 &openLattice()
    {
        window().mnuprintsen->trigger();
        Form3 *d = window().latticePrintDialog();
        EXPECT_NE(d, nullptr);
        d->Form_Activate();
        return *d;
    }
    PrintChoices &choices() { return state.print; }
    static void discard(QWidget &dialog)
    {
        dialog.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(PrintDialogs, PictureDialogLayout)
{
    Form13 &d = openPicture();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("絵の印刷"));
    EXPECT_EQ(d.Frame1->title(), QStringLiteral("紙の大きさ"));
    EXPECT_EQ(d.Frame2->title(), QStringLiteral("紙の向き"));
    EXPECT_EQ(d.Frame3->title(), QStringLiteral("絵の大きさ"));
    EXPECT_EQ(d.Option1[0]->text(), QStringLiteral("Ａ４"));
    EXPECT_EQ(d.Option1[1]->text(), QStringLiteral("Ｂ５"));
    EXPECT_EQ(d.Option2[0]->text(), QStringLiteral("横長"));
    EXPECT_EQ(d.Option2[1]->text(), QStringLiteral("たて長"));
    EXPECT_EQ(d.Option3[0]->text(), QStringLiteral("普通"));
    EXPECT_EQ(d.Option3[1]->text(), QStringLiteral("大きい"));
    EXPECT_EQ(d.Command1[0]->text(), QStringLiteral("ＯＫ"));
    EXPECT_EQ(d.Command1[1]->text(), QStringLiteral("やめる"));
    for (QRadioButton *o : {d.Option1[0], d.Option2[0], d.Option3[0]})
        EXPECT_TRUE(o->isChecked()) << o->text().toStdString();
    EXPECT_EQ(d.Option1[0]->parentWidget(), d.Frame1);
    EXPECT_EQ(d.Option3[1]->parentWidget(), d.Frame3);
}

TEST_F(PrintDialogs, LatticeDialogOffersOnlyA4)
{
    Form3 &d = openLattice();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("線の印刷"));
    EXPECT_TRUE(d.Option1[0]->isVisible());
    EXPECT_TRUE(d.Option1[1]->isHidden());
    EXPECT_EQ(d.Option1[1]->text(), QStringLiteral("Ｂ５"));
    EXPECT_TRUE(d.Option1[0]->isChecked());
    EXPECT_TRUE(d.Option2[0]->isChecked());
}

TEST_F(PrintDialogs, ActivationStartsFromA4AndLandscape)
{
    choices().printPaper = 1;
    choices().printOrientation = 1;
    Form13 &d = openPicture();
    EXPECT_EQ(choices().printPaper, 0);
    EXPECT_EQ(choices().printOrientation, 0);
    EXPECT_EQ(choices().printSize, 0);
    EXPECT_TRUE(d.Option1[0]->isChecked());
    EXPECT_TRUE(d.Option2[0]->isChecked());
}

TEST_F(PrintDialogs, ClicksAreStoredAtOnce)
{
    Form13 &d = openPicture();
    d.Option1[1]->click();
    EXPECT_EQ(choices().printPaper, 1);
    d.Option2[1]->click();
    EXPECT_EQ(choices().printOrientation, 1);
    d.Option3[1]->click();
    EXPECT_EQ(choices().printSize, 1);
    EXPECT_TRUE(d.Option1[1]->isChecked());
    EXPECT_FALSE(d.Option1[0]->isChecked());
    d.Option1[0]->click();
    EXPECT_EQ(choices().printPaper, 0);
    EXPECT_TRUE(printer.calls.empty());
}

TEST_F(PrintDialogs, CancelKeepsTheClicksAndTheNextOpeningResetsPaperAndOrientation)
{
    Form13 &d = openPicture();
    d.Option1[1]->click();
    d.Option2[1]->click();
    d.Option3[1]->click();
    d.Command1[1]->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(choices().printPaper, 1);
    EXPECT_EQ(choices().printOrientation, 1);
    EXPECT_TRUE(printer.calls.empty());

    openPicture();
    EXPECT_TRUE(d.Option1[0]->isChecked());
    EXPECT_TRUE(d.Option2[0]->isChecked());
    EXPECT_TRUE(d.Option3[1]->isChecked());
    EXPECT_EQ(choices().printPaper, 0);
    EXPECT_EQ(choices().printOrientation, 0);
    EXPECT_EQ(choices().printSize, 1);
}

TEST_F(PrintDialogs, SwitchingToTheMainWindowAndBackResets)
{
    Form13 &d = openPicture();
    d.Option1[1]->click();
    d.Option2[1]->click();
    window().Form_Activate();
    d.Form_Activate();
    EXPECT_TRUE(d.Option1[0]->isChecked());
    EXPECT_TRUE(d.Option2[0]->isChecked());
    EXPECT_EQ(choices().printPaper, 0);
    EXPECT_EQ(choices().printOrientation, 0);
}

TEST_F(PrintDialogs, LargeSurvivesTheCloseBoxWhileTheOptionShowsNormal)
{
    Form13 &d = openPicture();
    d.Option3[1]->click();
    discard(d);
    EXPECT_EQ(window().picturePrintDialog(), nullptr);

    Form13 &again = openPicture();
    EXPECT_TRUE(again.Option3[0]->isChecked());
    EXPECT_FALSE(again.Option3[1]->isChecked());
    EXPECT_EQ(choices().printSize, 1);

    again.Command1[0]->click();
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture.size(), QSize(640, 464));

    // A click on the option that already shows selected stores it again.
    Form13 &third = openPicture();
    third.Option3[0]->click();
    EXPECT_EQ(choices().printSize, 0);
    third.Command1[0]->click();
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture.size(), QSize(320, 240));
}

TEST_F(PrintDialogs, OkPrintsWithTheDefaultsThenHides)
{
    Form13 &d = openPicture();
    d.Command1[0]->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(printer.paperSize, 9);
    EXPECT_EQ(printer.orientation, 2);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture, surfaces().Picture3.image());
    EXPECT_EQ(printer.pagesOut, 1);
}

TEST_F(PrintDialogs, OkWithACancelledPrintDialogStillHides)
{
    printer.cancelDialog = true;
    Form13 &d = openPicture();
    d.Command1[0]->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(printer.calls, std::vector<QString>{QStringLiteral("showPrinter")});

    Form3 &l = openLattice();
    l.Command1[0]->click();
    EXPECT_FALSE(l.isVisible());
    EXPECT_EQ(printer.pagesOut, 0);
}

TEST_F(PrintDialogs, LatticeDialogPrintsTheChosenOrientation)
{
    Form3 &d = openLattice();
    d.Option2[1]->click();
    EXPECT_EQ(choices().printOrientation, 1);
    d.Command1[0]->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(printer.orientation, 1);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture.width(), 672);

    openLattice();
    EXPECT_TRUE(d.Option2[0]->isChecked());
    d.Command1[0]->click();
    EXPECT_EQ(printer.orientation, 2);
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture.width(), 1030);
}

TEST_F(PrintDialogs, TheTwoDialogsDoNotSeeEachOthersLastChoice)
{
    Form13 &picture = openPicture();
    picture.Option1[1]->click();
    picture.Option2[1]->click();
    Form3 &lattice = openLattice();
    EXPECT_EQ(choices().printPaper, 0);
    EXPECT_EQ(choices().printOrientation, 0);
    lattice.Option2[1]->click();
    picture.Form_Activate();
    EXPECT_EQ(choices().printOrientation, 0);
    // The dialog shows the stored choice: its selection was reset by the activation.
    EXPECT_TRUE(picture.Option2[0]->isChecked());
}

TEST_F(PrintDialogs, CloseBoxOnTheLatticeDialogRecreatesItInItsFirstState)
{
    Form3 &d = openLattice();
    d.Option2[1]->click();
    discard(d);
    EXPECT_EQ(window().latticePrintDialog(), nullptr);
    EXPECT_TRUE(printer.calls.empty());
    Form3 &again = openLattice();
    EXPECT_TRUE(again.Option2[0]->isChecked());
    EXPECT_TRUE(again.Option1[1]->isHidden());
    EXPECT_EQ(choices().printOrientation, 0);
}

} // namespace
