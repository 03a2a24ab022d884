#include "cli/cli_process.h"
#include "export/animation_file.h"
#include "support/real_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// lintaro-cli never loses a file of the user's: outputs that reach an input or each other,
// nodes that are not files, limits, signals and damaged inputs.
namespace
{

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CliFileSafety : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        QImage a(120, 90, QImage::Format_RGB32);
        a.fill(Qt::red);
        QImage b(120, 90, QImage::Format_RGB32);
        b.fill(Qt::blue);
        ASSERT_TRUE(a.save(file("in1.png")));
        ASSERT_TRUE(b.save(file("in2.jpg")));
        in1 = readAll(file("in1.png"));
    }
    QString file(const QString &name) const { return temp.filePath(name); }
    QStringList entries(const QString &folder = QString()) const
    {
        return QDir(folder.isEmpty() ? temp.path() : file(folder))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDir::Name);
    }
    CliRun compose(const QStringList &options)
    {
        return runCli(QStringList{"compose", "-q"} + options, temp.path());
    }

    QTemporaryDir temp;
    QByteArray in1;
};

// An output that reaches an input or another output, also through a link or inside
// --frames, is a usage error before anything is read or written.
TEST_F(CliFileSafety, OutputsThatReachAnotherRolesFileAreRefused)
{
    ASSERT_EQ(::symlink("in1.png", QFile::encodeName(file("alias.png")).constData()), 0);
    ASSERT_TRUE(QDir(temp.path()).mkdir("fr"));
    ASSERT_TRUE(QFile::copy(file("in1.png"), file("fr/frame-000.png")));
    const QList<QStringList> clashes{
        {"-o", "alias.png", "in1.png", "in2.jpg"},
        {"-o", "out.png", "-l", "alias.png", "in2.jpg", "in1.png"},
        {"-o", "fr/frame-001.png", "-l", "fr/frame-002.png", "--frames", "fr", "in1.png",
         "in2.jpg"},
        {"-o", "out.png", "--frames", "fr", "fr/frame-000.png", "in2.jpg"},
        {"-o", "out.png", "--frames", "./fr/../fr", "fr/frame-000.png", "in2.jpg"},
    };
    for (const QStringList &arguments : clashes) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = compose(arguments);
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("is named twice")) << run.err.toStdString();
    }
    EXPECT_EQ(readAll(file("in1.png")), in1);
    EXPECT_EQ(readAll(file("fr/frame-000.png")), in1);
    EXPECT_EQ(entries(), (QStringList{"alias.png", "fr", "in1.png", "in2.jpg"}));
    EXPECT_EQ(entries("fr"), QStringList{"frame-000.png"});
}

// A FIFO, a device or a link to one at an output's name is refused and left alone.
TEST_F(CliFileSafety, NodesThatAreNotFilesAreNeverReplaced)
{
    for (const char *fifo : {"pipe.png", "pipe.pdf"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(file(fifo)).constData(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(file("null.gif")).constData()), 0);
    for (const QStringList &arguments :
         {QStringList{"compose", "-o", "pipe.png", "in1.png", "in2.jpg"},
          QStringList{"compose", "-o", "out.png", "--gif", "null.gif", "in1.png", "in2.jpg"},
          QStringList{"sheet", "-o", "pipe.pdf", "in1.png", "in2.jpg"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = runCli(arguments, temp.path());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(": not a regular file")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("nothing was written"));
    }
    for (const char *fifo : {"pipe.png", "pipe.pdf"}) {
        struct stat status {
        };
        ASSERT_EQ(::lstat(QFile::encodeName(file(fifo)).constData(), &status), 0);
        EXPECT_TRUE(S_ISFIFO(status.st_mode));
    }
    EXPECT_TRUE(QFileInfo(file("null.gif")).isSymLink());
    EXPECT_EQ(entries(), (QStringList{"in1.png", "in2.jpg", "null.gif", "pipe.pdf", "pipe.png"}));
}

// The picture and its lattice are a pair, the preview frames a set: a failure in either
// leaves every old file of it as it was.
TEST_F(CliFileSafety, PairsAndFrameFoldersAreWrittenWholeOrNotAtAll)
{
    ASSERT_TRUE(real_files::writeBytes(file("walk.png"), "old picture"));
    ASSERT_TRUE(QDir(temp.path()).mkpath("walk_lattice.png"));
    CliRun run = compose({"-o", "walk.png", "-l", "walk_lattice.png", "in1.png", "in2.jpg"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("nothing was written")) << run.err.toStdString();
    EXPECT_EQ(readAll(file("walk.png")), "old picture");

    // The fourth frame's name leads into a folder that is not there: it fails only when written.
    ASSERT_TRUE(QDir(temp.path()).mkpath("fr"));
    ASSERT_EQ(
        ::symlink("../nowhere/frame.png", QFile::encodeName(file("fr/frame-003.png")).constData()),
        0);
    ASSERT_TRUE(real_files::writeBytes(file("fr/frame-000.png"), "old frame"));
    run = compose({"-o", "out.png", "--frames", "fr", "in1.png", "in2.jpg"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("written: out.png\n")) << run.err.toStdString();
    EXPECT_EQ(readAll(file("fr/frame-000.png")), "old frame");
    EXPECT_EQ(entries("fr"), (QStringList{"frame-000.png", "frame-003.png"}));
    EXPECT_EQ(entries(),
              (QStringList{"fr", "in1.png", "in2.jpg", "out.png", "walk.png", "walk_lattice.png"}));

    // A run that fails leaves no new folder of frames.
    run = compose({"-o", "out2.png", "--gif", "nowhere/a.gif", "--frames", "new/fr", "in1.png",
                   "in2.jpg"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("not written: nowhere/a.gif, new/fr/frame-000.png"))
        << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file("new")));
}

// In a folder that refuses new files, a file past the file-size limit fails as too large
// instead of ending the program half-way through the old file.
TEST_F(CliFileSafety, AFileSizeLimitFailsTheWriteAndKeepsTheOldFile)
{
    if (QStandardPaths::findExecutable("prlimit").isEmpty())
        GTEST_SKIP() << "prlimit missing";
    ASSERT_TRUE(QDir(temp.path()).mkdir("shared"));
    const QString old = file("shared/walk.bmp");
    ASSERT_TRUE(real_files::writeBytes(old, QByteArray(40000, 'o')));
    const real_files::ReadOnlyFolderWithWritableFile mounts(file("shared"), old);
    if (!mounts.isMounted())
        GTEST_SKIP() << "bind mounts are not permitted here (needs root)";
    QProcess process;
    process.setWorkingDirectory(temp.path());
    // At 640 x 480 the bitmap is larger than the limit allows.
    process.start("prlimit", {"--fsize=50000", LINTARO_CLI, "compose", "-q", "-s", "640x480",
                              "-o", "shared/walk.bmp", "in1.png", "in2.jpg"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("shared/walk.bmp: File too large"));
    EXPECT_EQ(readAll(old), QByteArray(40000, 'o'));
    EXPECT_EQ(entries("shared"), QStringList{"walk.bmp"});
}

// A picture and lattice written a band at a time that fail half-way (a full disk, here the
// file-size limit) leave no file and no temporary behind, and the old pair as it was.
TEST_F(CliFileSafety, APictureWrittenInBandsThatFailsHalfWayLeavesTheOldFiles)
{
    if (QStandardPaths::findExecutable("prlimit").isEmpty())
        GTEST_SKIP() << "prlimit missing";
    QImage noise(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 251, (x * y) % 253, (x ^ y) % 255));
    ASSERT_TRUE(noise.save(file("noise.png")));
    for (const QString &picture : {QStringLiteral("c.png"), QStringLiteral("c.bmp")}) {
        SCOPED_TRACE(picture.toStdString());
        ASSERT_TRUE(real_files::writeBytes(file(picture), "old picture"));
        ASSERT_TRUE(real_files::writeBytes(file("l.png"), "old lattice"));
        QProcess process;
        process.setWorkingDirectory(temp.path());
        // 900 x 600 pixels of noise are over a megabyte either way.
        process.start("prlimit", {"--fsize=300000", LINTARO_CLI, "compose", "-q", "-s", "900x600",
                                  "-o", picture, "-l", "l.png", "noise.png", "in1.png"});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_TRUE(process.readAllStandardError().contains(picture.toUtf8() + ": File too large"));
        EXPECT_EQ(readAll(file(picture)), "old picture");
        EXPECT_EQ(readAll(file("l.png")), "old lattice");
        EXPECT_EQ(entries(), (QStringList{picture, "in1.png", "in2.jpg", "l.png", "noise.png"}));
        QFile::remove(file(picture));
    }
}

// Stopped by SIGINT, SIGTERM or SIGHUP while a sheet is being written into a named
// temporary file (as on network mounts), the program removes it and ends as the signal
// says; the old sheet stays as it was.
TEST_F(CliFileSafety, SignalsRemoveNamedTemporariesAndEndWithTheirStatus)
{
    ASSERT_TRUE(real_files::writeBytes(file("s.pdf"), "old sheet"));
    for (const auto &[signal, status] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
        SCOPED_TRACE(signal);
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", LINTARO_NAMED_TEMPORARIES);
        env.remove("QT_QPA_PLATFORM");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(temp.path());
        process.start(LINTARO_CLI,
                      {"sheet", "-q", "--dpi", "1200", "-o", "s.pdf", "in1.png", "in2.jpg"});
        ASSERT_TRUE(process.waitForStarted());
        // Signalled as soon as the temporary beside the sheet exists.
        QElapsedTimer waited;
        waited.start();
        bool seen = false;
        while (!seen && waited.elapsed() < 20000 && process.state() == QProcess::Running) {
            seen = entries().filter(QRegularExpression("^s\\.pdf\\..{6}$")).size() == 1;
            if (!seen)
                QThread::msleep(2);
        }
        ASSERT_TRUE(seen) << "the sheet was written before a temporary was seen";
        ::kill(pid_t(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), status);
        EXPECT_EQ(entries(), (QStringList{"in1.png", "in2.jpg", "s.pdf"}));
        EXPECT_EQ(readAll(file("s.pdf")), "old sheet");
    }
}

// Cut-off and corrupted pictures of every format refuse the frame, naming the file, with
// nothing written; a tiny bitmap claiming 210 MP is refused before anything is decoded.
TEST_F(CliFileSafety, DamagedPicturesAreRefused)
{
    QImage photo(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 255 / 300, y, (x ^ y) & 0xFF));
    QStringList damaged;
    for (const char *format : {"bmp", "gif", "jpg", "png", "tiff"}) {
        const QString whole = file(QStringLiteral("whole.%1").arg(format));
        // Qt writes no GIF; the program's own encoder does.
        if (QByteArray(format) == "gif")
            animation::saveAnimation({photo}, 100, whole);
        else
            ASSERT_TRUE(photo.save(whole)) << format;
        const QByteArray bytes = readAll(whole);
        const QString cut = QStringLiteral("cut.%1").arg(format);
        ASSERT_TRUE(real_files::writeBytes(file(cut), bytes.left(bytes.size() * 6 / 10)));
        damaged << cut;
        const CliRun run = compose({"-o", "out.png", whole, "in2.jpg"});
        EXPECT_EQ(run.exitCode, 0) << format << ": " << run.err.toStdString();
    }
    QByteArray claim = QByteArray::fromHex("424d64000000000000003600000028000000b03600"
                                           "00983a0000010018000000000000000000");
    claim.resize(100);
    ASSERT_TRUE(real_files::writeBytes(file("claim.bmp"), claim));
    damaged << "claim.bmp";
    ASSERT_TRUE(QFile::remove(file("out.png")));
    for (const QString &name : damaged) {
        SCOPED_TRACE(name.toStdString());
        const CliRun run = compose({"-o", "out.png", "in1.png", name});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QStringLiteral("cannot read %1: damaged").arg(name)))
            << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(file("out.png")));
    }
}

// With no thread to be had (one process for the user), every output is still written, within
// seconds: the scaling and conversions that Qt shares out among helper threads run on the
// program's own thread, and the pictures differ from the usual ones by rounding at most.
TEST_F(CliFileSafety, WithoutHelperThreadsEveryOutputIsStillWritten)
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty() ||
        QStandardPaths::findExecutable("prlimit").isEmpty())
        GTEST_SKIP() << "needs root to run as another user";
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y,
                           qRgb(x * 255 / 1600, y * 255 / 1200, ((x / 50 + y / 40) % 2) * 255));
    ASSERT_TRUE(photo.save(file("photo.png")));
    ASSERT_TRUE(QFile::setPermissions(temp.path(), QFileDevice::Permissions(0x7777)));
    const QStringList compose{"compose", "-q",       "-o", "out.png",   "--gif",
                              "a.gif",   "--frames", "fr", "photo.png", "in2.jpg"};
    QProcess process;
    process.setWorkingDirectory(temp.path());
    for (const QStringList &arguments : {compose, QStringList{"sheet", "-q", "--dpi", "300", "-o",
                                                              "s.pdf", "photo.png", "in2.jpg"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        QElapsedTimer timer;
        timer.start();
        process.start("setpriv", QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                             "prlimit", "--nproc=1", LINTARO_CLI} +
                                     arguments);
        ASSERT_TRUE(process.waitForFinished(10000)) << "still running after 10 s";
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_LT(timer.elapsed(), 10000);
    }
    const QImage alone(file("out.png"));
    ASSERT_TRUE(QFile::rename(file("out.png"), file("alone.png")));
    const CliRun usual = runCli(compose, temp.path());
    ASSERT_EQ(usual.exitCode, 0);
    const QImage shared(file("out.png"));
    ASSERT_EQ(alone.size(), shared.size());
    int largest = 0;
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x) {
            const QRgb a = alone.pixel(x, y), b = shared.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)),
                                std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(largest, 2);
}

} // namespace
