#include "cli/cli_process.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <zlib.h>

// A picture far larger than its canvas costs memory by the canvas, not by the picture.
namespace
{

QByteArray chunk(const char *type, const QByteArray &data)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), out.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))),
        crc.data());
    return out + body + crc;
}

// An 8-bit RGB PNG of the given size, written a row at a time: gradients with bands, so
// that a reduction has something to average.
bool writeLargePng(const QString &path, int width, int height)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(width), header.data());
    qToBigEndian<quint32>(quint32(height), header.data() + 4);
    header[8] = 8; // bits
    header[9] = 2; // RGB
    file.write(QByteArray::fromHex("89504e470d0a1a0a") + chunk("IHDR", header));
    z_stream z{};
    deflateInit(&z, 1);
    QByteArray row(1 + width * 3, '\0');
    QByteArray out(1 << 20, '\0');
    for (int y = 0; y <= height; ++y) {
        if (y < height) {
            for (int x = 0; x < width; ++x) {
                row[1 + 3 * x] = char(x * 255 / width);
                row[2 + 3 * x] = char(y * 255 / height);
                row[3 + 3 * x] = char(((y / 97) % 2) * 200);
            }
        }
        z.next_in = reinterpret_cast<Bytef *>(row.data());
        z.avail_in = y < height ? uInt(row.size()) : 0;
        int status = Z_OK;
        do {
            z.next_out = reinterpret_cast<Bytef *>(out.data());
            z.avail_out = uInt(out.size());
            status = deflate(&z, y < height ? Z_NO_FLUSH : Z_FINISH);
            const int made = out.size() - int(z.avail_out);
            if (made > 0)
                file.write(chunk("IDAT", out.left(made)));
        } while (z.avail_out == 0 || (y == height && status != Z_STREAM_END));
    }
    deflateEnd(&z);
    return file.write(chunk("IEND", QByteArray())) > 0;
}

// Peak resident memory of lintaro-cli for the arguments, in MB, as /usr/bin/time sees it.
double peakMegabytes(const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start("/usr/bin/time", QStringList{"-f", "peak %M"} << LINTARO_CLI << arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return -1;
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    return err.section("peak ", 1).trimmed().toDouble() / 1024;
}

TEST(LargePictureMemory, A192MegapixelPngOntoASmallCanvasStaysWithin150MB)
{
    if (!QFile::exists("/usr/bin/time"))
        GTEST_SKIP() << "/usr/bin/time missing";
    QTemporaryDir temp;
    ASSERT_TRUE(writeLargePng(temp.filePath("huge.png"), 16000, 12000));
    QImage small(160, 120, QImage::Format_RGB32);
    small.fill(Qt::white);
    ASSERT_TRUE(small.save(temp.filePath("small.png")));
    // The canvas is given: without it, it would be the huge picture's own size.
    const double program = peakMegabytes(
        {"compose", "-q", "-s", "640x480", "-o", "a.png", "small.png", "small.png"}, temp.path());
    const double large = peakMegabytes(
        {"compose", "-q", "-s", "640x480", "-o", "b.png", "huge.png", "small.png"}, temp.path());
    ASSERT_GT(program, 0);
    ASSERT_GT(large, 0);
    EXPECT_LE(large - program, 150) << large << " MB against " << program << " MB";
    // The picture was drawn: its left edge dark, its right edge red, on the canvas.
    const QImage composed(temp.filePath("b.png"));
    ASSERT_EQ(composed.size(), QSize(640, 480));
    EXPECT_LT(qRed(composed.pixel(0, 240)), 20);
    EXPECT_GT(qRed(composed.pixel(636, 240)), 235);
}

} // namespace
