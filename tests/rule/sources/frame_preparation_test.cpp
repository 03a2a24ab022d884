#include "sources/frame_preparation.h"

#include <gtest/gtest.h>

namespace
{

using sources::Fit;
using sources::Preparation;

// A ramp whose column x has luminance x: 256 columns, 0 .. 255.
QImage greyRamp()
{
    QImage ramp(256, 4, QImage::Format_RGB32);
    for (int y = 0; y < ramp.height(); ++y)
        for (int x = 0; x < 256; ++x)
            ramp.setPixel(x, y, qRgb(x, x, x));
    return ramp;
}

// The first column of row 0 that is white.
int firstWhite(const QImage &image)
{
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, 0) == qRgb(255, 255, 255))
            return x;
    return -1;
}

TEST(FramePreparation, SilhouetteIsBlackBelowTheThreshold)
{
    const QImage ramp = greyRamp();
    // Fixed: columns 0 .. 99 black, the rest white; inverted the other way round.
    const QImage fixed = sources::Silhouette(ramp, 100, false);
    EXPECT_EQ(firstWhite(fixed), 100);
    EXPECT_EQ(fixed.pixel(99, 3), qRgb(0, 0, 0));
    EXPECT_EQ(fixed.pixel(255, 3), qRgb(255, 255, 255));
    const QImage inverted = sources::Silhouette(ramp, 100, true);
    EXPECT_EQ(inverted.pixel(99, 0), qRgb(255, 255, 255));
    EXPECT_EQ(inverted.pixel(100, 0), qRgb(0, 0, 0));
    EXPECT_EQ(firstWhite(sources::Silhouette(ramp, 0, false)), 0);
    EXPECT_EQ(firstWhite(sources::Silhouette(ramp, 256, false)), -1);

    // Otsu: an even ramp splits in the middle; two grey levels split between them, at the
    // first best split above the darker.
    EXPECT_EQ(sources::OtsuThreshold(ramp), 128);
    EXPECT_EQ(firstWhite(sources::Silhouette(ramp, std::nullopt, false)), 128);
    QImage twoLevels(10, 1, QImage::Format_RGB32);
    for (int x = 0; x < 10; ++x)
        twoLevels.setPixel(x, 0, x < 7 ? qRgb(60, 60, 60) : qRgb(200, 200, 200));
    EXPECT_EQ(sources::OtsuThreshold(twoLevels), 61);
    // A ramp from 100 to 151 has its threshold in its own middle, not the scale's.
    QImage narrow(52, 1, QImage::Format_RGB32);
    for (int x = 0; x <= 51; ++x)
        narrow.setPixel(x, 0, qRgb(100 + x, 100 + x, 100 + x));
    EXPECT_EQ(sources::OtsuThreshold(narrow), 126);
    QImage flat(4, 4, QImage::Format_RGB32);
    flat.fill(qRgb(30, 30, 30));
    EXPECT_EQ(sources::OtsuThreshold(flat), 128);
    // Rec. 601 weights: pure green is lighter than pure red, pure blue darkest.
    EXPECT_EQ(sources::Luminance(qRgb(255, 0, 0)), 76);
    EXPECT_EQ(sources::Luminance(qRgb(0, 255, 0)), 150);
    EXPECT_EQ(sources::Luminance(qRgb(0, 0, 255)), 29);
}

// A 200 x 100 picture in three upright bands: red to x 50, green to 150, blue beyond.
QImage threeBands()
{
    QImage picture(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            picture.setPixel(x, y,
                             x < 50    ? qRgb(255, 0, 0)
                             : x < 150 ? qRgb(0, 255, 0)
                                       : qRgb(0, 0, 255));
    return picture;
}

TEST(FramePreparation, CoverFillsTheCanvasWhereContainLeavesWhite)
{
    const QImage picture = threeBands();
    const QSize square(100, 100);
    const QImage contained = sources::PrepareFrame(picture, picture.size(), square, {});
    // Contained: 100 x 50 in the middle, white above and below.
    EXPECT_EQ(contained.pixel(50, 10), qRgb(255, 255, 255));
    EXPECT_EQ(contained.pixel(5, 50), qRgb(255, 0, 0));
    EXPECT_EQ(contained.pixel(95, 50), qRgb(0, 0, 255));
    EXPECT_EQ(contained.pixel(50, 80), qRgb(255, 255, 255));

    Preparation cover;
    cover.fit = Fit::Cover;
    const QImage covered = sources::PrepareFrame(picture, picture.size(), square, cover);
    ASSERT_EQ(covered.size(), square);
    // Covered: the middle 100 x 100, the green band, edge to edge.
    for (const QPoint p :
         {QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99), QPoint(50, 50)})
        EXPECT_EQ(covered.pixel(p), qRgb(0, 255, 0)) << p.x() << "," << p.y();

    // A picture decoded at half its size covers the same way.
    const QImage half = picture.scaled(100, 50);
    const QImage fromHalf = sources::PrepareFrame(half, picture.size(), QSize(400, 100), cover);
    // 400 x 100 from 200 x 100: the middle half of the height, all three bands across.
    EXPECT_EQ(fromHalf.pixel(20, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fromHalf.pixel(200, 99), qRgb(0, 255, 0));
    EXPECT_EQ(fromHalf.pixel(380, 50), qRgb(0, 0, 255));

    // The silhouette comes after fitting: the contained margins are white, or black
    // inverted; the blue band (luminance 29) is black under a threshold of 100.
    Preparation silhouette;
    silhouette.silhouette = true;
    silhouette.threshold = 100;
    const QImage shape = sources::PrepareFrame(picture, picture.size(), square, silhouette);
    EXPECT_EQ(shape.pixel(50, 10), qRgb(255, 255, 255));
    EXPECT_EQ(shape.pixel(95, 50), qRgb(0, 0, 0));
    EXPECT_EQ(shape.pixel(50, 50), qRgb(255, 255, 255));
    silhouette.invert = true;
    const QImage negative = sources::PrepareFrame(picture, picture.size(), square, silhouette);
    EXPECT_EQ(negative.pixel(50, 10), qRgb(0, 0, 0));
    EXPECT_EQ(negative.pixel(95, 50), qRgb(255, 255, 255));
}

} // namespace
