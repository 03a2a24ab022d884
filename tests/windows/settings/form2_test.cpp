#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QTest>

namespace
{

class LineWidthDialog : public ProgramFixture
{
  protected:
    // Opens the dialog from the menu; the activation runs as the dialog comes forward.
    Form2 &open()
    {
        window().senhaba->trigger();
        Form2 *dialog = window().lineWidthDialog();
        EXPECT_NE(dialog, nullptr);
        dialog->Form_Activate();
        return *dialog;
    }
    // The dialog and the main window's label show `shown`, the stored width is `stored`.
    void expectWidths(Form2 &d, int shown, int stored)
    {
        EXPECT_EQ(d.HScroll1->value(), shown);
        EXPECT_EQ(d.Label1->text(), QString::number(shown));
        EXPECT_EQ(vars().lineWidth, stored);
        EXPECT_EQ(window().Label2[1]->text(), QString::number(stored));
    }
};

TEST_F(LineWidthDialog, ScrollBarShowsTheStartUpWidthAndMovesOnlyItsOwnLabel)
{
    Form2 &d = open();
    expectWidths(d, 2, 2);
    d.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expectWidths(d, 3, 2);
    for (int i = 0; i < 6; ++i)
        d.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    expectWidths(d, 5, 2);
    for (int i = 0; i < 6; ++i)
        d.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    expectWidths(d, 1, 2);
}

// Every way of leaving without "OK" loses the pending width and changes no picture.
TEST_F(LineWidthDialog, LeavingWithoutOkLosesThePendingWidth)
{
    const std::vector<std::pair<const char *, std::function<void(Form2 &)>>> ways = {
        {"キャンセル", [](Form2 &d) { d.Command1[1]->click(); }},
        {"switch to the main window", [this](Form2 &) { window().Form_Activate(); }},
        {"close box",
         [](Form2 &d) {
             d.close();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }},
        {"初めの設定に戻す, then キャンセル",
         [this](Form2 &d) {
             d.Command2->click();
             expectWidths(d, 2, 4);
             d.Command1[1]->click();
         }},
    };
    open().HScroll1->setValue(4);
    window().lineWidthDialog()->Command1[0]->click();
    surfaces().Picture3.fillBox(0, 0, 9, 9, rgb(10, 20, 30));
    const QImage composed = surfaces().Picture3.image().copy();
    const QImage sheet = surfaces().Picture4.image().copy();
    for (const auto &[name, leave] : ways) {
        SCOPED_TRACE(name);
        Form2 &d = open();
        d.HScroll1->setValue(5);
        leave(d);
        EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), composed));
        EXPECT_TRUE(pixels::sameImage(surfaces().Picture4.image(), sheet));
        expectWidths(open(), 4, 4);
    }
    EXPECT_EQ(vars().latticeGap, 4);
    EXPECT_EQ(int(vars().latticeBar), 4);
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

// "OK" stores the width (even an unchanged one), redraws both sheets (black bars `width`
// wide, the first at x = width, one every 2 widths), whitens both composed pictures and
// leaves the stripe masks for the next composition.
TEST_F(LineWidthDialog, OkAppliesEveryWidth)
{
    const QImage maskA = surfaces().Picture1.image().copy();
    const std::vector<Surface *> redrawn = {&surfaces().Picture3, &surfaces().Picture11,
                                            &surfaces().Picture4, &surfaces().Picture40};
    for (int width : {2, 1, 3, 4, 5, 2}) {
        SCOPED_TRACE(width);
        for (Surface *s : redrawn)
            s->fillBox(0, 0, 40, 30, rgb(200, 30, 90));
        Form2 &d = open();
        d.HScroll1->setValue(width);
        d.Command1[0]->click();

        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(window().isVisible());
        EXPECT_EQ(vars().latticeGap, width);
        EXPECT_EQ(int(vars().latticeBar), width);
        for (Surface *s : redrawn) {
            SCOPED_TRACE(s->width());
            const bool sheet = s == redrawn[2] || s == redrawn[3];
            EXPECT_TRUE(pixels::matches(*s, [&](int x, int) {
                return sheet && x >= width && (x - width) % (2 * width) < width ? kBlack : kWhite;
            }));
        }
        EXPECT_TRUE(pixels::sameImage(surfaces().Picture1.image(), maskA));
        expectWidths(open(), width, width);
    }
}

} // namespace
