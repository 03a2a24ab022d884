#include "platform/png_encoding.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include <random>

namespace
{

QImage decoded(const QByteArray &png)
{
    QBuffer buffer;
    buffer.setData(png);
    QImageReader reader(&buffer, "png");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// Lossless for every kind of row the filter and the run-length coding meet: noise, stripes
// that change every column, rows repeated exactly, and sizes of one pixel and odd widths.
TEST(PngEncoding, DecodesToTheSamePixels)
{
    std::mt19937 random(7);
    for (const QSize size : {QSize(1, 1), QSize(3, 5), QSize(257, 31), QSize(1000, 2)}) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()).toStdString());
        QImage noise(size, QImage::Format_RGB32);
        QImage stripes(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                noise.setPixel(x, y, qRgb(int(random() % 256), int(random() % 256), int(random() % 256)));
                stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, x % 256, y % 256));
            }
        for (const QImage &picture : {noise, stripes}) {
            const QImage back = decoded(encodePng(picture));
            ASSERT_EQ(back.size(), picture.size());
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    ASSERT_EQ(back.pixel(x, y), picture.pixel(x, y)) << "at " << x << ", " << y;
        }
    }
    EXPECT_TRUE(encodePng(QImage()).isEmpty());
}
