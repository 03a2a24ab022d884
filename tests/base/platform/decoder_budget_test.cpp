#include "platform/picture_file.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

// A picture whose decoder would hold more than the budget is refused before it decodes,
// quickly, saying how much it would take; one within it still loads.
namespace
{

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? bytes : QByteArray();
}

QImage gradient(QImage::Format format)
{
    QImage image(64, 48, format);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x * 4, y * 5, 128));
    return image;
}

// The frame header's height and width set to another size, in a JPEG of any kind.
QByteArray withJpegSize(QByteArray jpeg, QSize size)
{
    qsizetype at = 2;
    while (at + 9 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) {
            qToBigEndian<quint16>(quint16(size.height()), jpeg.data() + at + 5);
            qToBigEndian<quint16>(quint16(size.width()), jpeg.data() + at + 7);
            return jpeg;
        }
        at += 2 + qFromBigEndian<quint16>(jpeg.constData() + at + 2);
    }
    return {};
}

// ImageWidth and ImageLength of a little-endian TIFF's first directory set to another size.
QByteArray withTiffSize(QByteArray tiff, QSize size)
{
    if (!tiff.startsWith("II"))
        return {};
    const quint32 directory = qFromLittleEndian<quint32>(tiff.constData() + 4);
    const quint16 entries = qFromLittleEndian<quint16>(tiff.constData() + directory);
    int set = 0;
    for (int i = 0; i < entries; ++i) {
        char *entry = tiff.data() + directory + 2 + 12 * i;
        const quint16 tag = qFromLittleEndian<quint16>(entry);
        const quint16 type = qFromLittleEndian<quint16>(entry + 2);
        if (tag != 256 && tag != 257)
            continue;
        const quint32 value = quint32(tag == 256 ? size.width() : size.height());
        if (type == 3)
            qToLittleEndian<quint16>(quint16(value), entry + 8);
        else
            qToLittleEndian<quint32>(value, entry + 8);
        ++set;
    }
    return set == 2 ? tiff : QByteArray();
}

void expectRefusedQuickly(const QString &path, const char *format)
{
    SCOPED_TRACE(format);
    QElapsedTimer timer;
    timer.start();
    try {
        loadPictureFor(path, QSize(640, 480), WhenDamaged::Refuse);
        ADD_FAILURE() << "decoded";
    } catch (const CommandError &e) {
        EXPECT_TRUE(QString(e.what()).startsWith("decoding it would take ")) << e.what();
        EXPECT_TRUE(QString(e.what()).endsWith("MB of memory, more than 839 MB")) << e.what();
    }
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(DecoderBudget, ProgressiveJpegsAndSixteenBitTiffsPastItAreRefusedBeforeDecoding)
{
    QTemporaryDir temp;
    // 210 MP: a baseline JPEG decodes a row of blocks at a time, a progressive one holds
    // every coefficient of the picture until its last scan.
    const QByteArray progressive = encoded(gradient(QImage::Format_RGB32), "jpeg", true);
    ASSERT_FALSE(progressive.isEmpty());
    QFile file(temp.filePath("scan.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(withJpegSize(progressive, QSize(15000, 14000)));
    file.close();
    expectRefusedQuickly(file.fileName(), "progressive JPEG");

    // 210 MP at 16 bits a channel: 8 bytes a pixel.
    const QByteArray tiff = encoded(gradient(QImage::Format_RGBA64), "tiff");
    ASSERT_FALSE(tiff.isEmpty());
    file.setFileName(temp.filePath("scan.tif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(withTiffSize(tiff, QSize(14000, 15000)));
    file.close();
    expectRefusedQuickly(file.fileName(), "16-bit TIFF");

    // The same small ones load, reduced to nothing.
    for (const char *name : {"small.jpg", "small.tif"}) {
        file.setFileName(temp.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(name).endsWith("jpg") ? progressive : tiff);
        file.close();
        EXPECT_EQ(loadPictureFor(file.fileName(), QSize(640, 480)).naturalSize, QSize(64, 48));
    }
}

} // namespace
