#include "platform/command_error.h"
#include "platform/file_size_limit.h"
#include "platform/picture_file.h"
#include "support/pixel_checks.h"
#include "support/real_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A photograph with soft gradients and hard edges, as large as asked.
QImage photograph(int width, int height)
{
    return pixels::pictureOf(width, height, [&](int x, int y) {
        return rgb(x * 255 / width, y * 255 / height, ((x / 97 + y / 89) % 2) * 200);
    });
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

// A GIF of 3 x 2 pixels (Qt reads GIF but cannot write it): red, green, blue on the top
// row, 0x102030, white and black below.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396103000200f20500000000102030ff000000ff000000ffffffff0000000000002"
    "1f90400000000002c000000000300020000030428435190003b");

// Every file comes as an opaque 24-bit picture of its natural size, recognised by its
// content whatever its name; lossless files come back pixel for pixel.
TEST_F(PictureFile, LoadsEveryFormatAtItsNaturalSize)
{
    const QImage picture = pixels::randomPicture(33, 17, 40);
    const Colour six[] = {rgb(255, 0, 0),  rgb(0, 255, 0), rgb(0, 0, 255),
                          rgb(16, 32, 48), kWhite,         kBlack};
    const QImage gifPicture = pixels::pictureOf(3, 2, [&](int x, int y) { return six[3 * y + x]; });
    writeBytes(temp.filePath("a.gif"), kGif);
    struct Format {
        const char *name, *format;
        const QImage &picture;
        bool lossless;
    };
    for (const Format &f :
         {Format{"a.bmp", "BMP", picture, true}, Format{"a.gif", nullptr, gifPicture, true},
          Format{"a.jpg", "JPG", picture, false}, Format{"a.png", "PNG", picture, true},
          Format{"bitmap-named.jpg", "BMP", picture, true}}) {
        SCOPED_TRACE(f.name);
        const QString path = temp.filePath(f.name);
        if (f.format) {
            ASSERT_TRUE(f.picture.save(path, f.format));
        }
        const QImage loaded = loadPicture(path);
        EXPECT_EQ(loaded.size(), f.picture.size());
        EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
        EXPECT_TRUE(pixels::opaque(loaded));
        if (f.lossless) {
            EXPECT_TRUE(pixels::sameImage(loaded, f.picture));
        }
    }

    // Transparent parts show white.
    QImage clear(4, 1, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    clear.setPixel(1, 0, 0xFF102030u);
    ASSERT_TRUE(clear.save(temp.filePath("t.png"), "PNG"));
    EXPECT_TRUE(pixels::sameImage(loadPicture(temp.filePath("t.png")),
                                  pixels::pictureOf(4, 1, [](int x, int) {
                                      return x == 1 ? fromQRgb(0xFF102030u) : kWhite;
                                  })));
}

TEST_F(PictureFile, MissingOrUndecodableFilesAreCommandErrors)
{
    writeBytes(temp.filePath("garbage.bmp"), "this is not a picture at all");
    writeBytes(temp.filePath("empty.jpg"), QByteArray());
    writeBytes(temp.filePath("bad.jpg"), "\xFF\xD8\xFF\xE0 nothing more");
    ASSERT_TRUE(pixels::randomPicture(40, 40, 42).save(temp.filePath("full.bmp"), "BMP"));
    writeBytes(temp.filePath("truncated.bmp"), readAll(temp.filePath("full.bmp")).left(20));
    for (const char *name :
         {"missing.bmp", "garbage.bmp", "empty.jpg", "bad.jpg", "truncated.bmp", ""}) {
        SCOPED_TRACE(name);
        const QString path = *name ? temp.filePath(name) : QString();
        EXPECT_THROW(loadPicture(path), CommandError);
        EXPECT_THROW(loadPictureFor(path, QSize(640, 480)), CommandError);
    }
    EXPECT_THROW(loadPicture(temp.path()), CommandError); // a folder
}

// A large JPEG is decoded reduced by 2, 4 or 8 as long as both sides keep the bound's
// larger side, but measured at its own size; other formats are decoded whole.
TEST_F(PictureFile, LargePicturesAreDecodedReducedButMeasuredAtTheirOwnSize)
{
    struct Case {
        const char *name;
        QSize size, decoded;
    };
    const Case cases[] = {{"a.jpg", {2880, 2560}, {720, 640}},
                          {"b.jpg", {1301, 2000}, {651, 1000}}, // the decoder's sizes round up
                          {"c.jpg", {1279, 5000}, {1279, 5000}},
                          {"d.jpg", {640, 480}, {640, 480}},
                          {"e.jpg", {12000, 6000}, {1500, 750}},
                          {"f.bmp", {1400, 1300}, {1400, 1300}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = temp.filePath(c.name);
        ASSERT_TRUE(photograph(c.size.width(), c.size.height()).save(path, nullptr, 90));
        const DecodedPicture d = loadPictureFor(path, QSize(640, 480));
        EXPECT_EQ(d.naturalSize, c.size);
        EXPECT_EQ(d.picture.size(), c.decoded);
        EXPECT_EQ(d.picture.format(), QImage::Format_RGB32);
    }
}

// A failing save throws and leaves no file behind and any old file as it was, also when the
// disk fills up half-way through.
TEST_F(PictureFile, FailingSavesKeepTheOldFileAndLeaveNothingBehind)
{
    const QImage picture = pixels::randomPicture(320, 240, 44);
    const QString path = temp.filePath("picture.bmp");
    savePictureAsBmp(pixels::randomPicture(320, 240, 45), path);
    const QByteArray old = readAll(path);
    ASSERT_GT(old.size(), 200000);
    ASSERT_TRUE(QDir(temp.path()).mkdir("folder"));
    const QStringList before = entries();
    {
        const FileSizeLimit limit(4096);
        EXPECT_THROW(savePictureAsBmp(picture, path), CommandError);
    }
    for (const QString &target : {temp.filePath("folder"), temp.filePath("missing/x.bmp"),
                                  temp.filePath("picture.bmp/x.bmp"), QString()}) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_THROW(savePictureAsBmp(picture, target), CommandError);
    }
    EXPECT_THROW(savePictureAsBmp(QImage(), path), CommandError);
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(QDir(temp.filePath("folder")).isEmpty());
}

// Real scans and photographs beyond the readers' default 128 MB load; a header claiming more
// than any real picture, a FIFO, a device and a folder are refused at once, by the drag
// check too, without being decoded or opened.
TEST_F(PictureFile, RealPicturesLoadAndHugeClaimsOrNonFilesAreRefusedAtOnce)
{
    // An A4 page scanned at 600 dpi, in colour: 139 MB once decoded.
    const QString scan = temp.filePath("scan.png");
    QImage page(4960, 7016, QImage::Format_RGB888);
    page.fill(Qt::white);
    for (int y = 1000; y < 1100; ++y)
        std::fill_n(page.scanLine(y) + 3 * 500, 3 * 3000, uchar(0));
    QImageWriter writer(scan, "png");
    writer.setCompression(1);
    ASSERT_TRUE(writer.write(page));
    page = QImage();
    const DecodedPicture decoded = loadPictureFor(scan, QSize(640, 480));
    EXPECT_EQ(decoded.naturalSize, QSize(4960, 7016));
    EXPECT_EQ(decoded.picture.size(), QSize(1240, 1754)); // reduced by 4 once decoded
    EXPECT_TRUE(looksLikePictureFile(scan));

    const QString claim = temp.filePath("claim.jpg");
    ASSERT_TRUE(real_files::writeBytes(claim, real_files::jpegClaiming(QSize(46000, 46000))));
    const QString fifo = temp.filePath("fifo.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Should the FIFO ever be opened, a writer lets the test fail instead of hanging.
    std::mutex m;
    std::condition_variable done;
    bool finished = false;
    std::thread unblock([&] {
        std::unique_lock lock(m);
        if (!done.wait_for(lock, std::chrono::seconds(3), [&] { return finished; })) {
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    for (const QString &path : {claim, fifo, QStringLiteral("/dev/zero"), temp.path()}) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(looksLikePictureFile(path));
        EXPECT_THROW(loadPictureFor(path, QSize(640, 480)), CommandError);
        EXPECT_THROW(loadPicture(path), CommandError);
        EXPECT_LT(clock.elapsed(), 500);
    }
    {
        std::lock_guard lock(m);
        finished = true;
    }
    done.notify_all();
    unblock.join();
}

// Where the folder refuses new files, an existing file is written in place; a new name
// there, and a disk that fills up, fail with the system's reason and leave nothing behind.
TEST_F(PictureFile, SavesInPlaceWhereTheFolderRefusesNewFilesAndReportsAFullDisk)
{
    const QImage picture = pixels::randomPicture(320, 240, 46);
    const QString folder = temp.filePath("shared");
    ASSERT_TRUE(QDir(temp.path()).mkdir("shared"));
    const QString existing = folder + "/picture.bmp";
    savePictureAsBmp(pixels::randomPicture(320, 240, 47), existing);
    {
        const real_files::ReadOnlyFolderWithWritableFile mounts(folder, existing);
        if (!mounts.isMounted())
            GTEST_SKIP() << "bind mounts are not permitted here (needs root)";
        savePictureAsBmp(picture, existing);
        try {
            savePictureAsBmp(picture, folder + "/new.bmp");
            ADD_FAILURE() << "a new file was made in a read-only folder";
        } catch (const FileNotWritten &e) {
            EXPECT_EQ(e.reason(), "Read-only file system");
        }
    }
    QImage written;
    ASSERT_TRUE(written.load(existing, "BMP"));
    EXPECT_TRUE(pixels::sameImage(written, picture));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"picture.bmp"});

    const QString full = temp.filePath("full");
    const real_files::FullDisk disk(full);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here (needs root)";
    try {
        savePictureAsBmp(picture, full + "/picture.bmp");
        ADD_FAILURE() << "a 230 kB picture fitted on a 64 kB disk";
    } catch (const FileNotWritten &e) {
        EXPECT_EQ(e.path(), (full + "/picture.bmp").toStdString());
        EXPECT_EQ(e.reason(), "No space left on device");
    }
    EXPECT_TRUE(QDir(full).isEmpty());
}

} // namespace
