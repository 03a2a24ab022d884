#include "platform/surface_view.h"
#include "state/module3.h"
#include "support/pixel_checks.h"
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
    void compose() { window().Command1_Click(2); }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(clock().advance()) << "tick " << i + 1;
    }
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
    // Picture 1 (slot 0) or picture 2 alone in its stripes, black bars elsewhere.
    ::testing::AssertionResult showsAlone(int slot, int w)
    {
        const QImage &picture = slot == 0 ? one : two;
        return pixels::matches(surfaces().Picture5[2], [&](int x, int y) {
            return (x / w) % 2 == slot ? at(picture, x, y) : kBlack;
        });
    }

    QImage one, two;
};

// Every frame is the composed picture under the lattice shifted by the offset; the run
// stops by itself on the 101st tick, which still draws the unseen last frame.
TEST_F(Animation, EveryFrameUntilTheRunStopsOnThe101stTick)
{
    compose();
    window().Command2_Click();
    EXPECT_TRUE(running());
    EXPECT_TRUE(frameAt(0));
    for (int offset = 1; offset <= 100; ++offset) {
        SCOPED_TRACE(offset);
        ticks(1);
        ASSERT_TRUE(running());
        ASSERT_TRUE(frameAt(offset));
    }
    EXPECT_EQ(vars().animTicks, 100);
    ticks(1);
    EXPECT_TRUE(idle());
    EXPECT_EQ(vars().animTicks, 0);
    EXPECT_TRUE(frameAt(101));
    EXPECT_FALSE(clock().advance());
}

TEST_F(Animation, OffsetZeroShowsPictureOneAndOffsetLineWidthPictureTwo)
{
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(::testing::Message() << "lineWidth " << w);
        setLineWidth(w);
        compose();
        window().Command2_Click();
        EXPECT_TRUE(showsAlone(0, w));
        ticks(w);
        EXPECT_TRUE(showsAlone(1, w));
        ticks(w);
        EXPECT_TRUE(showsAlone(0, w));
        window().Command3_Click();
    }
}

// A run stopped after 40 ticks is followed by one that starts again at offset 0 and stops
// on its 61st tick.
TEST_F(Animation, InterruptedRunShortensTheNextOne)
{
    compose();
    window().Command2_Click();
    ticks(40);
    window().Command3_Click();
    EXPECT_TRUE(idle());
    EXPECT_EQ(vars().animTicks, 40);
    EXPECT_FALSE(clock().advance());

    window().Command2_Click();
    EXPECT_TRUE(frameAt(0));
    ticks(60);
    EXPECT_TRUE(running());
    ticks(1);
    EXPECT_TRUE(idle());
    EXPECT_EQ(vars().animTicks, 0); // the next run is a full one again
}

// Before composing the preview shows white with black bars; any Command1 button stops a run.
TEST_F(Animation, AnyCommand1ButtonStopsARun)
{
    window().Command2_Click();
    EXPECT_TRUE(pixels::matches(surfaces().Picture5[2], [](int x, int) {
        return x >= 2 && (x - 2) % 4 < 2 ? kBlack : kWhite;
    }));
    for (int index : {2, 0, 1}) {
        SCOPED_TRACE(index);
        ticks(1);
        ASSERT_TRUE(running());
        dialogs.answer(std::nullopt); // the load buttons get a cancelled dialog
        window().Command1_Click(index);
        EXPECT_TRUE(idle());
        EXPECT_FALSE(clock().advance());
        window().Command2_Click();
    }
    EXPECT_EQ(vars().animTicks, 3);
}

// The main area as the user sees it, without the views' border: the composed picture, then
// the frame once the tick is over.
TEST_F(Animation, TheMainAreaOnScreenShowsTheComposedPictureAndTheFrames)
{
    auto shownOn = [](QWidget *view) {
        const QImage grabbed = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int border = (grabbed.width() - 320) / 2;
        return grabbed.copy(border, border, 320, 240);
    };
    window().show();
    compose();
    EXPECT_TRUE(pixels::sameImage(shownOn(window().Picture3View), surfaces().Picture3.image()));
    window().Command2_Click();
    ticks(2);
    EXPECT_TRUE(
        pixels::sameImage(shownOn(window().Picture5View[2]), surfaces().Picture5[2].image()));
    EXPECT_TRUE(showsAlone(1, 2));
}

} // namespace
