#include "support/program_fixture.h"

#include <QCoreApplication>

namespace
{

class PrintDialogs : public ProgramFixture
{
  protected:
    // Opens a dialog from its menu; the activation runs as the dialog comes forward.
    template <typename Dialog> Dialog &open(QAction *menu, Dialog *(form1::*dialog)() const)
    {
        menu->trigger();
        Dialog *d = (window().*dialog)();
        EXPECT_NE(d, nullptr);
        d->Form_Activate();
        return *d;
    }
    Form13 &openPicture() { return open(window().mnuprint2, &form1::picturePrintDialog); }
    Form3 &openLattice() { return open(window().mnuprintsen, &form1::latticePrintDialog); }
    // The stored choices and the options each group shows selected.
    void expectChoices(int paper, int orientation, int size, const QRadioButton *paperShown,
                       const QRadioButton *orientationShown, const QRadioButton *sizeShown)
    {
        EXPECT_EQ(state.print.printPaper, paper);
        EXPECT_EQ(state.print.printOrientation, orientation);
        EXPECT_EQ(state.print.printSize, size);
        for (const QRadioButton *o : {paperShown, orientationShown, sizeShown})
            EXPECT_TRUE(o->isChecked()) << o->text().toStdString();
    }
    static void closeBox(QWidget &dialog)
    {
        dialog.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Activation starts paper and orientation again from A4 and landscape; clicks are stored at
// once; "やめる" keeps them without printing; the picture size keeps its last choice.
TEST_F(PrintDialogs, PictureChoicesAfterActivationClicksAndCancel)
{
    state.print = {1, 1, 0};
    Form13 &d = openPicture();
    expectChoices(0, 0, 0, d.Option1[0], d.Option2[0], d.Option3[0]);
    d.Option1[1]->click();
    d.Option2[1]->click();
    d.Option3[1]->click();
    expectChoices(1, 1, 1, d.Option1[1], d.Option2[1], d.Option3[1]);
    d.Command1[1]->click();
    EXPECT_FALSE(d.isVisible());
    expectChoices(1, 1, 1, d.Option1[1], d.Option2[1], d.Option3[1]);

    openPicture();
    expectChoices(0, 0, 1, d.Option1[0], d.Option2[0], d.Option3[1]);
    d.Option1[1]->click();
    d.Option2[1]->click();
    window().Form_Activate(); // to the main window and back
    d.Form_Activate();
    expectChoices(0, 0, 1, d.Option1[0], d.Option2[0], d.Option3[1]);
    EXPECT_TRUE(printer.calls.empty());
}

TEST_F(PrintDialogs, LargeSurvivesTheCloseBoxWhileTheOptionShowsNormal)
{
    openPicture().Option3[1]->click();
    closeBox(*window().picturePrintDialog());
    EXPECT_EQ(window().picturePrintDialog(), nullptr);

    Form13 &again = openPicture();
    expectChoices(0, 0, 1, again.Option1[0], again.Option2[0], again.Option3[0]);
    EXPECT_FALSE(again.Option3[1]->isChecked());
    again.Command1[0]->click();
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture.size(), QSize(640, 464));

    // A click on the option that already shows selected stores it again.
    Form13 &third = openPicture();
    third.Option3[0]->click();
    EXPECT_EQ(state.print.printSize, 0);
    third.Command1[0]->click();
    ASSERT_EQ(printer.painted.size(), 1u);
    EXPECT_EQ(printer.painted[0].picture.size(), QSize(320, 240));
}

// "ＯＫ" prints what the options show, then hides, also when the print dialog is cancelled.
TEST_F(PrintDialogs, OkPrintsThenHides)
{
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel);
        printer = RecordingPrinter();
        printer.cancelDialog = cancel;
        Form13 &picture = openPicture();
        picture.Option2[1]->click();
        picture.Command1[0]->click();
        Form3 &lattice = openLattice();
        lattice.Option2[1]->click();
        lattice.Command1[0]->click();
        EXPECT_FALSE(picture.isVisible() || lattice.isVisible());
        EXPECT_TRUE(window().isVisible());
        const std::vector<std::string> printed = {
            "showPrinter", "paper 9", "orientation 1", "paint", "endDoc", "showPrinter",
            "pageHeight",  "paper 9", "orientation 1", "paint", "endDoc"};
        const std::vector<std::string> cancelled = {"showPrinter", "showPrinter"};
        EXPECT_EQ(printer.calls, cancel ? cancelled : printed);
        EXPECT_EQ(printer.pagesOut, cancel ? 0 : 2);
        EXPECT_EQ(cancel ? 672 : printer.painted.at(0).picture.width(), 672);
    }
}

// The lattice dialog offers A4 only ("Ｂ５" is there but hidden), starts again from landscape
// on activation and after its close box, and the two dialogs reset each other's choices.
TEST_F(PrintDialogs, LatticeDialogStates)
{
    Form3 &d = openLattice();
    EXPECT_TRUE(d.Option1[0]->isVisible());
    EXPECT_TRUE(d.Option1[1]->isHidden());
    EXPECT_EQ(d.Option1[1]->text(), QStringLiteral("Ｂ５"));
    d.Option2[1]->click();
    EXPECT_EQ(state.print.printOrientation, 1);
    closeBox(d);
    EXPECT_EQ(window().latticePrintDialog(), nullptr);

    Form3 &again = openLattice();
    EXPECT_TRUE(again.Option1[0]->isChecked());
    EXPECT_TRUE(again.Option2[0]->isChecked());
    EXPECT_TRUE(again.Option1[1]->isHidden());
    EXPECT_EQ(state.print.printOrientation, 0);

    again.Option2[1]->click();
    openPicture().Option1[1]->click();
    EXPECT_EQ(state.print.printOrientation, 0);
    again.Form_Activate();
    EXPECT_EQ(state.print.printPaper, 0);
    EXPECT_TRUE(printer.calls.empty());
}

} // namespace
