#include "settings/pixel_check.h"
#include "support/program_fixture.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class LineWidthDialog : public ProgramFixture {
protected:
    // Opens the dialog from the menu as the user does; the activation runs as the dialog
    // comes forward.
    Form2 &open()
    {
        window().senhaba->trigger();
        Form2 *dialog = window().lineWidthDialog();
        EXPECT_NE(dialog, nullptr);
        dialog->Form_Activate();
        return *dialog;
    }
    // The user comes back to the main window, then to the dialog.
    void switchAwayAndBack(Form2 &dialog)
    {
        window().Form_Activate();
        dialog.Form_Activate();
    }
    void scribbleOnSheetsAndPictures()
    {
        for (Surface *s : {&surfaces().Picture3, &surfaces().Picture11, &surfaces().Picture4,
                           &surfaces().Picture40})
            s->fillBox(0, 0, 40, 30, rgb(200, 30, 90));
    }
    void expectSheets(int gap, int bar)
    {
        for (Surface *s : {&surfaces().Picture4, &surfaces().Picture40}) {
            SCOPED_TRACE(s->width());
            const auto wrong =
                firstWrongPixel(s->image(), [&](int x, int) { return latticePixel(x, gap, bar); });
            EXPECT_FALSE(wrong) << *wrong;
        }
    }
    void expectComposedWhite()
    {
        for (Surface *s : {&surfaces().Picture3, &surfaces().Picture11}) {
            SCOPED_TRACE(s->width());
            const auto wrong = firstWrongPixel(s->image(), whitePixel);
            EXPECT_FALSE(wrong) << *wrong;
        }
    }
};

TEST_F(LineWidthDialog, ShowsTheStoredWidthAfterStartUp)
{
    Form2 &d = open();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(d.HScroll1->value(), 2);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("2"));
    EXPECT_EQ(d.HScroll1->minimum(), 1);
    EXPECT_EQ(d.HScroll1->maximum(), 5);
    EXPECT_EQ(d.HScroll1->orientation(), Qt::Horizontal);
    EXPECT_TRUE(d.Label1->font().bold());
    EXPECT_EQ(d.Label1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(d.Frame1->title(), QStringLiteral("線の幅"));
    EXPECT_EQ(d.Command1[0]->text(), QStringLiteral("OK"));
    EXPECT_EQ(d.Command1[1]->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(d.Command2->text(), QStringLiteral("初めの設定に戻す"));
}

TEST_F(LineWidthDialog, ScrollBarMovesItsOwnLabelOnly)
{
    Form2 &d = open();
    d.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(d.HScroll1->value(), 3);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("3"));
    d.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("4"));
    EXPECT_EQ(window().Label2[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(vars().lineWidth, 2);
}

TEST_F(LineWidthDialog, ScrollBarStaysBetweenOneAndFive)
{
    Form2 &d = open();
    for (int i = 0; i < 6; ++i)
        d.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(d.HScroll1->value(), 5);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("5"));
    for (int i = 0; i < 6; ++i)
        d.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(d.HScroll1->value(), 1);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("1"));
}

TEST_F(LineWidthDialog, ActivationAtTheSameValueRaisesNoChangeButSetsTheLabel)
{
    Form2 &d = open();
    d.Label1->setText(QStringLiteral("x"));
    QSignalSpy changes(d.HScroll1, &QScrollBar::valueChanged);
    d.Form_Activate();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("2"));
}

TEST_F(LineWidthDialog, CancelLosesThePendingWidth)
{
    surfaces().Picture3.fillBox(0, 0, 9, 9, rgb(10, 20, 30));
    const QImage composed = surfaces().Picture3.image().copy();
    const QImage sheet = surfaces().Picture4.image().copy();
    Form2 &d = open();
    d.HScroll1->setValue(5);
    d.Command1[1]->click();

    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(vars().lineWidth, 2);
    EXPECT_EQ(vars().latticeGap, 2);
    EXPECT_EQ(int(vars().latticeBar), 2);
    EXPECT_EQ(window().Label2[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(surfaces().Picture3.image(), composed);
    EXPECT_EQ(surfaces().Picture4.image(), sheet);

    open();
    EXPECT_EQ(d.HScroll1->value(), 2);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("2"));
}

TEST_F(LineWidthDialog, RestoreSetsTwoPendingAndCancelKeepsTheStoredWidth)
{
    Form2 &d = open();
    d.HScroll1->setValue(4);
    d.Command1[0]->click();
    ASSERT_EQ(vars().lineWidth, 4);

    open();
    EXPECT_EQ(d.Label1->text(), QStringLiteral("4"));
    d.Command2->click();
    EXPECT_EQ(d.HScroll1->value(), 2);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("2"));
    EXPECT_EQ(vars().lineWidth, 4);
    d.Command1[1]->click();
    EXPECT_EQ(vars().lineWidth, 4);
    EXPECT_EQ(window().Label2[1]->text(), QStringLiteral("4"));
    expectSheets(4, 4);
}

TEST_F(LineWidthDialog, SwitchingToTheMainWindowLosesThePendingWidth)
{
    Form2 &d = open();
    d.HScroll1->setValue(3);
    switchAwayAndBack(d);
    EXPECT_EQ(d.HScroll1->value(), 2);
    EXPECT_EQ(d.Label1->text(), QStringLiteral("2"));
    EXPECT_EQ(vars().lineWidth, 2);
}

TEST_F(LineWidthDialog, RealWindowActivationResetsThePendingWidth)
{
    window().show();
    Form2 &d = open();
    if (!QTest::qWaitForWindowActive(&d, 2000))
        GTEST_SKIP() << "this window system does not activate windows";
    d.HScroll1->setValue(5);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window(), 2000));
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d, 2000));
    EXPECT_EQ(d.Label1->text(), QStringLiteral("2"));
}

TEST_F(LineWidthDialog, OkWithTheWidthUnchangedStillRedrawsAndWhitens)
{
    scribbleOnSheetsAndPictures();
    Form2 &d = open();
    d.Command1[0]->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(vars().lineWidth, 2);
    expectSheets(2, 2);
    expectComposedWhite();
}

TEST_F(LineWidthDialog, OkAppliesEveryWidth)
{
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        scribbleOnSheetsAndPictures();
        Form2 &d = open();
        d.HScroll1->setValue(width);
        d.Command1[0]->click();

        EXPECT_EQ(vars().lineWidth, width);
        EXPECT_EQ(vars().latticeGap, width);
        EXPECT_EQ(int(vars().latticeBar), width);
        EXPECT_EQ(window().Label2[1]->text(), QString::number(width));
        expectSheets(width, width);
        expectComposedWhite();

        open();
        EXPECT_EQ(d.HScroll1->value(), width);
        EXPECT_EQ(d.Label1->text(), QString::number(width));
        d.Command1[1]->click();
    }
}

TEST_F(LineWidthDialog, OkLeavesTheStripeMasksForTheNextComposition)
{
    const QImage maskA = surfaces().Picture1.image().copy();
    Form2 &d = open();
    d.HScroll1->setValue(3);
    d.Command1[0]->click();
    EXPECT_EQ(surfaces().Picture1.image(), maskA);
}

TEST_F(LineWidthDialog, CloseBoxDiscardsTheDialogAndTheNextOpeningReadsTheStoredWidth)
{
    Form2 &d = open();
    d.HScroll1->setValue(5);
    d.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().lineWidthDialog(), nullptr);
    EXPECT_EQ(vars().lineWidth, 2);

    Form2 &again = open();
    EXPECT_EQ(again.HScroll1->value(), 2);
    EXPECT_EQ(again.Label1->text(), QStringLiteral("2"));
}

} // namespace
