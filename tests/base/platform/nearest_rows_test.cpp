#include "platform/nearest_rows.h"

#include <gtest/gtest.h>

namespace
{

// A picture whose pixels name their own column and row.
QImage numbered(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | QRgb(y << 12) | QRgb(x));
    return image;
}

// The rows and columns taken must be Qt's own, since stretched raster paints use Qt's
// scaling and the composition must give the same pixels without it.
TEST(NearestSamples, TakeTheSamePixelsAsQtsNearestScaling)
{
    const QSize cases[][2] = {
        {{640, 480}, {640, 464}}, {{1280, 960}, {1280, 928}}, {{7, 5}, {7, 13}},
        {{5, 300}, {5, 17}},      {{3, 2}, {3, 500}},         {{333, 977}, {500, 1300}},
        {{41, 29}, {40, 30}},     {{2, 3}, {9, 3}},           {{100, 100}, {33, 49}},
    };
    for (const auto &c : cases) {
        const QSize from = c[0], to = c[1];
        SCOPED_TRACE(::testing::Message() << from.width() << "x" << from.height() << " -> "
                                          << to.width() << "x" << to.height());
        const QImage qt = numbered(from.width(), from.height())
                              .scaled(to, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const std::vector<int> columns = nearestSamples(from.width(), to.width());
        const std::vector<int> rows = nearestSamples(from.height(), to.height());
        for (int y = 0; y < to.height(); ++y)
            for (int x = 0; x < to.width(); ++x)
                ASSERT_EQ(qt.pixel(x, y) & 0xFFFFFFu,
                          QRgb(rows[std::size_t(y)] << 12) | QRgb(columns[std::size_t(x)]))
                    << "at (" << x << ", " << y << ")";

        const NearestRows stretched(numbered(from.width(), from.height()), to.width(), to.height());
        for (int y = 0; y < to.height(); ++y)
            ASSERT_EQ(
                0, std::memcmp(stretched.row(y), qt.constScanLine(y), std::size_t(to.width()) * 4))
                << "row " << y;
    }
}

} // namespace
