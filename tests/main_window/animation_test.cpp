#include "support/pixel_checks.h"
#include "platform/surface_view.h"
#include "state/module3.h"
#include "support/program_fixture.h"

namespace
{

using pixels::at;

class Animation : public ProgramFixture
{
  protected:
    void SetUp() override
    {
        one = pixels::randomPicture(320, 240, 100);
        two = pixels::randomPicture(320, 240, 101);
        dialogs.answer(writePicture(one, "one.bmp"));
        window().Command1_Click(0);
        dialogs.answer(writePicture(two, "two.bmp"));
        window().Command1_Click(1);
    }
    // What the line-width dialog leaves behind: all three widths equal, lattices redrawn.
    void setLineWidth(int w)
    {
        vars().lineWidth = w;
        vars().latticeGap = w;
        vars().latticeBar = w;
        Module3::DrawLatticeSheet(state);
    }
    void compose() { window().Command1_Click(2); }
    bool running()
    {
        return clock().interval() == 100 && window().Command2->isHidden() &&
               !window().Command3->isHidden() && surfaces().Picture5[2].isVisible();
    }
    bool idle()
    {
        return clock().interval() == 0 && !window().Command2->isHidden() &&
               window().Command3->isHidden() && !surfaces().Picture5[2].isVisible();
    }
    // The frame at an offset: the composed picture AND the lattice shifted left by it.
    ::testing::AssertionResult frameAt(int offset)
    {
        const QImage composed = surfaces().Picture3.image();
        const QImage lattice = surfaces().Picture4.image();
        return pixels::matches(surfaces().Picture5[2], [&](int x, int y) {
            return at(composed, x, y) & at(lattice, x + offset, y);
        });
    }

    QImage one, two;
};

TEST_F(Animation, EveryFrameIsTheComposedPictureUnderTheShiftedLattice)
{
    compose();
    window().Command2_Click();
    EXPECT_TRUE(running());
    EXPECT_TRUE(frameAt(0));
    for (int offset = 1; offset <= 100; ++offset) {
        SCOPED_TRACE(offset);
        ASSERT_TRUE(clock().advance());
        EXPECT_DOUBLE_EQ(vars().animOffset, offset);
        ASSERT_TRUE(frameAt(offset));
    }
}

TEST_F(Animation, OffsetZeroShowsPictureOneAndOffsetLineWidthPictureTwo)
{
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(::testing::Message() << "lineWidth " << w);
        setLineWidth(w);
        compose();
        window().Command2_Click();
        EXPECT_TRUE(pixels::matches(surfaces().Picture5[2], [&](int x, int y) {
            return (x / w) % 2 == 0 ? at(one, x, y) : kBlack;
        }));
        for (int i = 0; i < w; ++i)
            clock().advance();
        EXPECT_TRUE(pixels::matches(surfaces().Picture5[2], [&](int x, int y) {
            return (x / w) % 2 == 1 ? at(two, x, y) : kBlack;
        }));
        for (int i = 0; i < w; ++i)
            clock().advance();
        EXPECT_TRUE(pixels::matches(surfaces().Picture5[2], [&](int x, int y) {
            return (x / w) % 2 == 0 ? at(one, x, y) : kBlack;
        }));
        window().Command3_Click();
    }
}

TEST_F(Animation, StartSetsTheFrameSizesAndRestartsTheOffset)
{
    compose();
    window().Command2_Click();
    for (int i = 0; i < 7; ++i)
        clock().advance();
    window().Command3_Click();
    EXPECT_DOUBLE_EQ(vars().animOffset, 7);
    EXPECT_EQ(vars().animTicks, 7);
    window().Command2_Click();
    EXPECT_DOUBLE_EQ(vars().animOffset, 0);
    EXPECT_EQ(vars().animTicks, 7);
    EXPECT_DOUBLE_EQ(vars().animViewW, 320);
    EXPECT_DOUBLE_EQ(vars().animViewH, 240);
    EXPECT_DOUBLE_EQ(vars().animPictureW, 320);
    EXPECT_DOUBLE_EQ(vars().animPictureH, 240);
    EXPECT_DOUBLE_EQ(vars().animLatticeW, 320);
    EXPECT_DOUBLE_EQ(vars().animLatticeH, 240);
    EXPECT_TRUE(frameAt(0));
}

TEST_F(Animation, RunStopsByItselfOnThe101stTick)
{
    compose();
    window().Command2_Click();
    for (int tick = 1; tick <= 100; ++tick) {
        ASSERT_TRUE(clock().advance());
        ASSERT_TRUE(running()) << "tick " << tick;
    }
    EXPECT_EQ(vars().animTicks, 100);
    ASSERT_TRUE(clock().advance());
    EXPECT_TRUE(idle());
    EXPECT_EQ(vars().animTicks, 0);
    // The tick went on and drew the unseen last frame.
    EXPECT_DOUBLE_EQ(vars().animOffset, 101);
    EXPECT_TRUE(frameAt(101));
    EXPECT_FALSE(clock().advance());
}

TEST_F(Animation, InterruptedRunShortensTheNextOne)
{
    compose();
    window().Command2_Click();
    for (int tick = 1; tick <= 40; ++tick)
        ASSERT_TRUE(clock().advance());
    window().Command3_Click();
    EXPECT_TRUE(idle());
    EXPECT_EQ(vars().animTicks, 40);
    EXPECT_FALSE(clock().advance());

    window().Command2_Click();
    for (int tick = 1; tick <= 60; ++tick) {
        ASSERT_TRUE(clock().advance());
        ASSERT_TRUE(running()) << "tick " << tick;
    }
    ASSERT_TRUE(clock().advance());
    EXPECT_TRUE(idle());
    EXPECT_EQ(vars().animTicks, 0);

    // The following run is a full one again.
    window().Command2_Click();
    for (int tick = 1; tick <= 100; ++tick)
        ASSERT_TRUE(clock().advance());
    EXPECT_TRUE(running());
    clock().advance();
    EXPECT_TRUE(idle());
}

TEST_F(Animation, AnyCommand1ButtonStopsARun)
{
    compose();
    for (int index : {0, 1, 2}) {
        SCOPED_TRACE(index);
        window().Command2_Click();
        clock().advance();
        ASSERT_TRUE(running());
        dialogs.answer(std::nullopt); // the load buttons get a cancelled dialog
        window().Command1_Click(index);
        EXPECT_TRUE(idle());
        EXPECT_FALSE(clock().advance());
    }
    EXPECT_EQ(vars().animTicks, 3);
}

TEST_F(Animation, BeforeComposingShowsWhiteWithBlackBars)
{
    window().Command2_Click();
    EXPECT_TRUE(pixels::matches(surfaces().Picture5[2], [](int x, int) {
        return x >= 2 && (x - 2) % 4 < 2 ? kBlack : kWhite;
    }));
}

// The view shows the frame only when the tick is over: grab it then and compare.
TEST_F(Animation, ThePreviewOnScreenShowsTheFrame)
{
    compose();
    window().show();
    window().Command2_Click();
    clock().advance();
    clock().advance();
    const QImage shown = window().Picture5View[2]->grab().toImage();
    const int b = (shown.width() - 320) / 2; // border of the view
    const QImage inner = shown.copy(b, b, 320, 240).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(pixels::sameImage(inner, surfaces().Picture5[2].image()));
    EXPECT_TRUE(pixels::matches(
        inner, [&](int x, int y) { return (x / 2) % 2 == 1 ? at(two, x, y) : kBlack; }));
}

} // namespace
