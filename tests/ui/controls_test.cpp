#include "ui/activation.h"
#include "ui/controls.h"
#include "ui/form1_controls.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(StripedIcon, AlternatesTransparentAndCyanTwoPixelStripes)
{
    const QImage icon = stripedIconImage(32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    for (int x = 0; x < 32; ++x) {
        for (int y : {0, 17, 31}) {
            const QRgb p = icon.pixel(x, y);
            if ((x / 2) % 2 == 0)
                ASSERT_EQ(qAlpha(p), 0) << "x=" << x;
            else
                ASSERT_EQ(p, qRgb(0, 255, 255)) << "x=" << x;
        }
    }
    // Larger sizes keep the proportion: 16 stripes across.
    const QImage big = stripedIconImage(64);
    EXPECT_EQ(qAlpha(big.pixel(3, 0)), 0);
    EXPECT_EQ(big.pixel(4, 0), qRgb(0, 255, 255));
}

TEST(DecorativeFigure, IsFiftyPixelsWithBlueVioletOutlinesOnTransparency)
{
    const QImage figure = decorativeFigure();
    ASSERT_EQ(figure.size(), QSize(50, 50));
    EXPECT_EQ(qAlpha(figure.pixel(0, 0)), 0);
    bool outline = false, fill = false;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            const QRgb p = figure.pixel(x, y);
            outline = outline || (p == qRgb(51, 0, 255));
            fill = fill || (p == qRgb(255, 255, 255));
        }
    }
    EXPECT_TRUE(outline);
    EXPECT_TRUE(fill);
}

TEST(Twips, FifteenMakeOnePixel)
{
    EXPECT_EQ(twipsRect(2760, 1800, 4800, 3600), QRect(184, 120, 320, 240));
    EXPECT_EQ(twipsToPixels(9705), 647);
}

TEST(Activation, CountsOnlyAChangeOfTheActiveProgramWindow)
{
    QWidget main, editor;
    ActivationTracker &tracker = ActivationTracker::instance();
    tracker.forget(nullptr);
    EXPECT_TRUE(tracker.activated(&main));
    EXPECT_TRUE(tracker.activated(&editor));
    // Back from a modal dialog or from another program: the same window again.
    EXPECT_FALSE(tracker.activated(&editor));
    EXPECT_TRUE(tracker.activated(&main));
    tracker.forget(&main);
    EXPECT_TRUE(tracker.activated(&main));
    tracker.forget(&main);
}

} // namespace
