#include "platform/picture_file.h"
#include "platform/smooth_scaling.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <vector>

namespace
{

// A bitmap of 24 or 32 bits a pixel, bottom row first or (a negative height) top row first.
bool writeBmp(const QString &path, const QImage &picture, int bits, bool topDown)
{
    const int rowBytes = (picture.width() * bits + 31) / 32 * 4;
    QByteArray header(54, '\0');
    const auto put32 = [&](int at, quint32 value) { qToLittleEndian(value, header.data() + at); };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, quint32(54 + rowBytes * picture.height()));
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(picture.width()));
    put32(22, quint32(topDown ? -picture.height() : picture.height()));
    qToLittleEndian<quint16>(1, header.data() + 26);
    qToLittleEndian<quint16>(quint16(bits), header.data() + 28);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size())
        return false;
    QByteArray row(rowBytes, '\0');
    for (int i = 0; i < picture.height(); ++i) {
        const int y = topDown ? i : picture.height() - 1 - i;
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            char *p = row.data() + x * bits / 8;
            p[0] = char(qBlue(pixel));
            p[1] = char(qGreen(pixel));
            p[2] = char(qRed(pixel));
        }
        if (file.write(row) != row.size())
            return false;
    }
    return true;
}

// A bitmap larger than its canvas is read a row at a time and reduced as the rows come:
// the very pixels of reducing the whole picture by areas, whichever way its rows are stored.
TEST(BmpBands, LargeBitmapsAreReducedRowByRowAsAWholeOneWouldBe)
{
    QImage picture(2400, 1800, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y,
                             qRgb(x * 255 / 2400, y * 255 / 1800, ((x / 7 + y / 5) % 2) * 255));
    // Reduced 4 times: 600 x 450 keeps the 300 asked for both ways.
    AreaReducer reducer(picture.size(), QSize(600, 450));
    for (int y = 0; y < picture.height(); ++y)
        reducer.addRow(reinterpret_cast<const QRgb *>(picture.constScanLine(y)));
    const QImage expected = reducer.onWhite();

    QTemporaryDir temp;
    for (const auto &[bits, topDown] : {std::pair{24, false}, {32, true}, {24, true}}) {
        SCOPED_TRACE(bits);
        SCOPED_TRACE(topDown);
        const QString path = temp.filePath(QStringLiteral("big%1%2.bmp").arg(bits).arg(topDown));
        ASSERT_TRUE(writeBmp(path, picture, bits, topDown));
        const DecodedPicture decoded = loadPictureFor(path, QSize(300, 300), WhenDamaged::Refuse);
        EXPECT_EQ(decoded.naturalSize, picture.size());
        EXPECT_EQ(decoded.picture.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32));
    }
}

// Stored top row first, a bitmap's height is negative in its header: 225 MP is refused
// before anything is decoded all the same.
TEST(BmpBands, AHugeClaimStoredTopRowFirstIsRefused)
{
    QTemporaryDir temp;
    const QString path = temp.filePath("claim.bmp");
    ASSERT_TRUE(writeBmp(path, QImage(4, 4, QImage::Format_RGB32), 24, true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray header = file.read(54);
    qToLittleEndian<qint32>(15000, header.data() + 18);
    qToLittleEndian<qint32>(-15000, header.data() + 22);
    ASSERT_TRUE(file.seek(0));
    file.write(header);
    file.close();
    EXPECT_FALSE(looksLikePictureFile(path));
    try {
        loadPictureFor(path, QSize(300, 300));
        ADD_FAILURE() << "decoded";
    } catch (const CommandError &e) {
        EXPECT_STREQ(e.what(), "picture too large");
    }
}

} // namespace
