#include "platform/command_error.h"
#include "platform/file_size_limit.h"
#include "platform/gif_file.h"
#include "platform/picture_file.h"
#include "support/pixel_checks.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The Windows bitmap header: "BM", then width, height and bits per pixel.
struct BmpHeader {
    bool magic = false;
    qint32 width = 0;
    qint32 height = 0;
    quint16 bitsPerPixel = 0;
};

BmpHeader bmpHeader(const QByteArray &bytes)
{
    BmpHeader h;
    if (bytes.size() < 30)
        return h;
    h.magic = bytes.startsWith("BM");
    h.width = qFromLittleEndian<qint32>(bytes.constData() + 18);
    h.height = qFromLittleEndian<qint32>(bytes.constData() + 22);
    h.bitsPerPixel = qFromLittleEndian<quint16>(bytes.constData() + 28);
    return h;
}

class PictureFile : public ::testing::Test
{
  protected:
    QTemporaryDir temp;
    QStringList entries() const
    {
        return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(PictureFile, LoadsBmpGifAndJpegAtTheirNaturalSize)
{
    const QImage picture = pixels::randomPicture(33, 17, 40);
    ASSERT_TRUE(writeGif(picture.scaled(11, 17), temp.filePath("a.gif")));
    ASSERT_TRUE(QImage(temp.filePath("a.gif")).size() == QSize(11, 17));
    struct Format {
        const char *format;
        const char *name;
        QSize size;
    };
    for (const Format f : {Format{"BMP", "a.bmp", {33, 17}}, Format{nullptr, "a.gif", {11, 17}},
                           Format{"JPG", "a.jpg", {33, 17}}, Format{"PNG", "a.png", {33, 17}}}) {
        SCOPED_TRACE(f.name);
        const QString path = temp.filePath(f.name);
        if (f.format) {
            ASSERT_TRUE(picture.save(path, f.format));
        }
        const QImage loaded = loadPicture(path);
        EXPECT_EQ(loaded.size(), f.size);
        EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
        EXPECT_TRUE(pixels::opaque(loaded));
    }
    // Lossless files come back pixel for pixel.
    EXPECT_TRUE(pixels::sameImage(loadPicture(temp.filePath("a.bmp")), picture));
    EXPECT_TRUE(pixels::sameImage(loadPicture(temp.filePath("a.gif")), picture.scaled(11, 17)));
}

TEST_F(PictureFile, LoadsByContentWhateverTheName)
{
    const QImage picture = pixels::randomPicture(8, 6, 41);
    const QString path = temp.filePath("actually-a-bmp.jpg");
    ASSERT_TRUE(picture.save(path, "BMP"));
    EXPECT_TRUE(pixels::sameImage(loadPicture(path), picture));
}

TEST_F(PictureFile, TransparentPartsOfAPictureShowWhite)
{
    QImage picture(4, 1, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 0, 0xFF102030u);
    const QString path = temp.filePath("t.png");
    ASSERT_TRUE(picture.save(path, "PNG"));
    const QImage loaded = loadPicture(path);
    EXPECT_EQ(pixels::at(loaded, 0, 0), kWhite);
    EXPECT_EQ(pixels::at(loaded, 1, 0), fromQRgb(0xFF102030u));
    EXPECT_TRUE(pixels::opaque(loaded));
}

TEST_F(PictureFile, MissingOrUndecodableFilesAreCommandErrors)
{
    writeBytes(temp.filePath("garbage.bmp"), QByteArray("this is not a picture at all"));
    writeBytes(temp.filePath("empty.jpg"), QByteArray());
    QByteArray truncated;
    {
        const QString full = temp.filePath("full.bmp");
        ASSERT_TRUE(pixels::randomPicture(40, 40, 42).save(full, "BMP"));
        truncated = readAll(full).left(20);
    }
    writeBytes(temp.filePath("truncated.bmp"), truncated);
    for (const QString &name :
         {QStringLiteral("missing.bmp"), QStringLiteral("garbage.bmp"), QStringLiteral("empty.jpg"),
          QStringLiteral("truncated.bmp"), QString()}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_THROW(loadPicture(name.isEmpty() ? QString() : temp.filePath(name)), CommandError);
    }
    EXPECT_THROW(loadPicture(temp.path()), CommandError); // a folder
}

// A photograph with soft gradients and hard edges, as large as asked.
QImage photograph(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(x * 255 / width, y * 255 / height, ((x / 97 + y / 89) % 2) * 200);
    }
    return image;
}

TEST_F(PictureFile, LargeJpegIsDecodedReducedButMeasuredAtItsOwnSize)
{
    struct Case {
        int width, height;
        QSize decoded;
    };
    // Reduced by 2, 4 or 8 as long as both sides keep at least 640 pixels.
    const Case cases[] = {{2880, 2560, {720, 640}},
                          {1301, 2000, {651, 1000}}, // the decoder's sizes round up
                          {1279, 5000, {1279, 5000}},
                          {640, 480, {640, 480}},
                          {12000, 6000, {1500, 750}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        const QString path = temp.filePath("photo.jpg");
        ASSERT_TRUE(photograph(c.width, c.height).save(path, "JPG", 90));
        const DecodedPicture d = loadPictureFor(path, QSize(640, 480));
        EXPECT_EQ(d.naturalSize, QSize(c.width, c.height));
        EXPECT_EQ(d.picture.size(), c.decoded);
        EXPECT_EQ(d.picture.format(), QImage::Format_RGB32);
    }
}

TEST_F(PictureFile, ReducedJpegLooksLikeTheWholeOneReduced)
{
    const QString path = temp.filePath("photo.jpg");
    ASSERT_TRUE(photograph(2880, 2560).save(path, "JPG", 90));
    const DecodedPicture d = loadPictureFor(path, QSize(640, 480));
    ASSERT_EQ(d.picture.size(), QSize(720, 640));
    const QImage whole =
        loadPicture(path).scaled(720, 640, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    long long total = 0;
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 720; ++x)
            total += std::abs(qGreen(d.picture.pixel(x, y)) - qGreen(whole.pixel(x, y)));
    EXPECT_LT(double(total) / (720 * 640), 2.0);
}

TEST_F(PictureFile, UprightSizeOfATurnedJpeg)
{
    const QString path = temp.filePath("turned.jpg");
    QImageWriter writer(path, "jpeg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(photograph(2880, 1440)));
    const QImage upright = loadPicture(path);
    if (upright.size() != QSize(1440, 2880))
        GTEST_SKIP() << "this JPEG writer stores no orientation";
    const DecodedPicture d = loadPictureFor(path, QSize(640, 480));
    EXPECT_EQ(d.naturalSize, QSize(1440, 2880));
    EXPECT_EQ(d.picture.size(), QSize(720, 1440));
}

TEST_F(PictureFile, OtherFormatsAndBadFilesAreDecodedWhole)
{
    const QString path = temp.filePath("big.bmp");
    ASSERT_TRUE(photograph(1400, 1300).save(path, "BMP"));
    const DecodedPicture d = loadPictureFor(path, QSize(640, 480));
    EXPECT_EQ(d.naturalSize, QSize(1400, 1300));
    EXPECT_EQ(d.picture.size(), QSize(1400, 1300));
    writeBytes(temp.filePath("bad.jpg"), QByteArray("\xFF\xD8\xFF\xE0 nothing more"));
    EXPECT_THROW(loadPictureFor(temp.filePath("bad.jpg"), QSize(640, 480)), CommandError);
    EXPECT_THROW(loadPictureFor(temp.filePath("missing.jpg"), QSize(640, 480)), CommandError);
}

TEST_F(PictureFile, SavesA24BitBitmapThatReadsBackPixelForPixel)
{
    const QImage picture = pixels::randomPicture(321, 7, 43); // odd width: padded rows
    const QString path = temp.filePath("out.bmp");
    savePictureAsBmp(picture, path);
    const BmpHeader h = bmpHeader(readAll(path));
    EXPECT_TRUE(h.magic);
    EXPECT_EQ(h.width, 321);
    EXPECT_EQ(std::abs(h.height), 7);
    EXPECT_EQ(h.bitsPerPixel, 24);
    QImage back(path, "BMP");
    EXPECT_TRUE(pixels::sameImage(back, picture));
    EXPECT_EQ(entries(), QStringList{"out.bmp"});
}

TEST_F(PictureFile, SavesUnderTheNameAsGivenAndReplacesAnOldFile)
{
    const QString path = temp.filePath("no extension");
    writeBytes(path, QByteArray("old"));
    savePictureAsBmp(pixels::plainPicture(3, 2, kBlack), path);
    EXPECT_TRUE(bmpHeader(readAll(path)).magic);
    EXPECT_EQ(entries(), QStringList{"no extension"});
}

TEST_F(PictureFile, FailingSavesThrowAndLeaveNothingBehind)
{
    const QImage picture = pixels::randomPicture(10, 10, 44);
    ASSERT_TRUE(QDir(temp.path()).mkdir("folder"));
    writeBytes(temp.filePath("plain.txt"), QByteArray("keep me"));
    const QStringList before = entries();
    const QString targets[] = {
        temp.filePath("folder"),               // an existing folder
        temp.filePath("no-such-folder/x.bmp"), // inside a folder that does not exist
        temp.filePath("plain.txt/x.bmp"),      // inside a file
        QString(),                             // no name at all
    };
    for (const QString &target : targets) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_THROW(savePictureAsBmp(picture, target), CommandError);
        EXPECT_EQ(entries(), before);
        EXPECT_TRUE(QDir(temp.filePath("folder")).isEmpty());
        EXPECT_EQ(readAll(temp.filePath("plain.txt")), QByteArray("keep me"));
    }
    EXPECT_THROW(savePictureAsBmp(QImage(), temp.filePath("null.bmp")), CommandError);
    EXPECT_EQ(entries(), before);
}

// A write that fails half-way (a full disk) leaves the old file as it was and no partial
// or temporary file beside it.
TEST_F(PictureFile, WriteFailingHalfWayKeepsTheOldFile)
{
    const QString path = temp.filePath("picture.bmp");
    savePictureAsBmp(pixels::randomPicture(320, 240, 45), path);
    const QByteArray old = readAll(path);
    ASSERT_GT(old.size(), 200000);
    {
        const FileSizeLimit limit(4096);
        EXPECT_THROW(savePictureAsBmp(pixels::randomPicture(320, 240, 46), path), CommandError);
    }
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(entries(), QStringList{"picture.bmp"});
}

} // namespace
