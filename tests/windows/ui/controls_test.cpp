#include "ui/activation.h"
#include "ui/controls.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace
{

// Two-pixel stripes at 32 pixels, transparent then cyan; larger sizes keep 16 stripes.
TEST(StripedIcon, AlternatesTransparentAndCyanStripes)
{
    for (int size : {32, 64}) {
        SCOPED_TRACE(size);
        const QImage icon = stripedIconImage(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        for (int y : {0, size / 2 + 1, size - 1})
            for (int x = 0; x < size; ++x) {
                const QRgb p = icon.pixel(x, y);
                if ((x / (size / 16)) % 2 == 0)
                    ASSERT_EQ(qAlpha(p), 0) << "x=" << x;
                else
                    ASSERT_EQ(p, qRgb(0, 255, 255)) << "x=" << x;
            }
    }
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
