#include "shapes/disc_rule.h"

#include <gtest/gtest.h>

#include <QColor>

namespace
{

const QRgb kFrameColours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(90, 90, 0)};

std::vector<QImage> solidFrames(QSize size, int count)
{
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(kFrameColours[i]);
        frames.push_back(frame);
    }
    return frames;
}

int frameShownAt(const QImage &picture, int x, int y)
{
    for (int i = 0; i < 4; ++i)
        if (picture.pixel(x, y) == kFrameColours[i])
            return i;
    return -1;
}

} // namespace

// Three frames and four periods: a slit every 30 degrees. On an odd canvas the pixels on
// the axes and the diagonals lie exactly on sector boundaries and must fall in the sector
// that starts there; on an even one no pixel centre lies on an axis.
TEST(DiscRule, ComposesByTheAngleFromTwelveOClock)
{
    struct Case {
        QSize canvas;
        QPoint pixel;
        int frame;
    };
    const Case cases[] = {
        {{31, 21}, {15, 0}, 0},  // straight up: theta 0, sector 0
        {{31, 21}, {25, 0}, 2},  // 45 degrees: sector 1, frame -1 mod 3
        {{31, 21}, {25, 10}, 0}, // 3 o'clock: theta 90, sector 3
        {{31, 21}, {15, 20}, 0}, // 6 o'clock: sector 6
        {{31, 21}, {5, 10}, 0},  // 9 o'clock: sector 9
        {{31, 21}, {5, 20}, 2},  // 225 degrees: sector 7
        {{32, 20}, {16, 0}, 0},  // just right of 12 o'clock
        {{32, 20}, {15, 0}, 1},  // just left of it: sector 11
        {{32, 20}, {31, 9}, 1},  // just above 3 o'clock: 88.2 degrees, sector 2
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.canvas.width() << "x" << c.canvas.height() << " at "
                                        << c.pixel.x() << ", " << c.pixel.y());
        const QImage composed = shapes::ComposeDisc(solidFrames(c.canvas, 3), 4);
        EXPECT_EQ(frameShownAt(composed, c.pixel.x(), c.pixel.y()), c.frame);
    }
    EXPECT_EQ(shapes::SectorOf(2.9999999), 3);
    EXPECT_EQ(shapes::SectorOf(3.0000001), 3);
    EXPECT_EQ(shapes::SectorOf(2.99), 2);
    EXPECT_THROW(shapes::ComposeDisc(solidFrames({8, 8}, 3), 3), std::invalid_argument);
}

// Turning the lattice by whole slits shows one frame alone; every pixel of the disc outside
// the hub is that frame's or black, and the lattice at rest is clear where step 0 shows.
TEST(DiscRule, PreviewAtWholeSlitsShowsOneFrameAlone)
{
    const QSize size(41, 40);
    const int count = 4;
    const QImage composed = shapes::ComposeDisc(solidFrames(size, count), 6);
    const QImage lattice = shapes::DiscLattice(size, 6, count);
    for (int k = 0; k < count; ++k) {
        SCOPED_TRACE(k);
        const QImage frame =
            shapes::DiscPreviewFrame(composed, 6, count, k * shapes::kPreviewStepsPerSlit);
        int shown = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb pixel = frame.pixel(x, y);
                if (pixel != kFrameColours[k]) {
                    ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255))
                        << "frame " << frameShownAt(frame, x, y) << " at " << x << ", " << y;
                    continue;
                }
                ++shown;
                if (k == 0) {
                    ASSERT_EQ(lattice.pixel(x, y), qRgb(255, 255, 255)) << x << ", " << y;
                }
            }
        EXPECT_GT(shown, size.width() * size.height() / (2 * count));
    }
    // Outside the disc, and in the pin hole, the lattice is clear; the hub around it solid.
    EXPECT_EQ(lattice.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(lattice.pixel(20, 20), qRgb(255, 255, 255));
    EXPECT_EQ(lattice.pixel(20, 18), qRgb(0, 0, 0));
    EXPECT_EQ(shapes::DiscCycleLength(count), 16);
}
