#include "cli/cli_process.h"
#include "frames/frames_rule.h"
#include "support/animation_reading.h"
#include "support/pixel_checks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{

class ComposeCommand : public ::testing::Test
{
  protected:
    QString file(const QString &name) const { return temp.filePath(name); }
    QString write(const QImage &picture, const QString &name)
    {
        picture.save(file(name));
        return file(name);
    }
    // Random frames of the canvas size, written as PNG: they are copied pixel for pixel.
    std::vector<QImage> writeFrames(int count, QSize size, QStringList &paths)
    {
        std::vector<QImage> frames;
        for (int i = 0; i < count; ++i) {
            frames.push_back(pixels::randomPicture(size.width(), size.height(), 900u + i));
            paths << write(frames.back(), QStringLiteral("frame%1.png").arg(i));
        }
        return frames;
    }

    QTemporaryDir temp;
};

TEST_F(ComposeCommand, UsageErrorsExitWithTwoAReasonAndWhereTheHelpIsAndWriteNothing)
{
    QStringList two;
    writeFrames(2, QSize(32, 24), two);
    const QString out = file(QStringLiteral("out.png"));
    const QStringList nine{two[0], two[0], two[0], two[0], two[0], two[0], two[0], two[0], two[0]};
    const struct {
        QStringList arguments;
        const char *reason;
    } cases[] = {
        {{}, "a command is needed"},
        {{"draw"}, "unknown command \"draw\""},
        {QStringList{"compose", "--bogus", "-o", out} + two, "Unknown option 'bogus'"},
        {QStringList{"compose", "-w", "0", "-o", out} + two,
         "--slit takes a whole number from 1 to 10"},
        {QStringList{"compose", "--slit", "11", "-o", out} + two, "not \"11\""},
        {QStringList{"compose", "-s", "15x100", "-o", out} + two, "--size takes WIDTHxHEIGHT"},
        {QStringList{"compose", "--size", "100x10001", "-o", out} + two, "not \"100x10001\""},
        {QStringList{"compose", "-o", out, two[0]}, "2 to 8 frames are needed, not 1"},
        {QStringList{"compose", "-o", out, "--count", "9"} + nine,
         "--count takes a whole number from 2 to 8, not \"9\""},
        {QStringList{"compose", "-o", out, "--fit", "stretch"} + two,
         "--fit takes contain or cover, not \"stretch\""},
        {QStringList{"compose", "-o", out, "--invert"} + two, "--invert applies to --silhouette"},
        {QStringList{"compose", "-o", out, "--silhouette=256"} + two,
         "--silhouette takes a whole number from 0 to 255"},
        {QStringList{"compose", "-o", out, "--from", "2", "--to", "1"} + two,
         "--to must come after --from"},
        {QStringList{"compose", "-o", out, "--from", "soon"} + two, "--from takes seconds"},
        {QStringList{"compose"} + two, "--output is required"},
        {QStringList{"compose", "-o", file("out.jpg")} + two, "must end in .png or .bmp"},
        {QStringList{"compose", "-o", out, "-l", file("l.tif")} + two, "--lattice cannot write"},
        {QStringList{"compose", "-o", out, "--gif", file("a.webp")} + two, "must end in .gif"},
        {QStringList{"compose", "-o", out, "--webp", file("a.gif")} + two, "must end in .webp"},
        {QStringList{"compose", "-o", out, "--lattice-width", "0"} + two, "--lattice-width takes"},
        // 32 wide, slit 2, two frames: a lattice slid up to 3 columns must reach 35.
        {QStringList{"compose", "-s", "32x24", "-o", out, "-l", file("l.png"), "--lattice-width",
                     "34"} +
             two,
         "--lattice-width takes a whole number from 35 to"},
        {QStringList{"compose", "-s", "32x24", "-w", "3", "-o", out, "--lattice-width", "20"} + two,
         "--lattice-width takes a whole number from 37 to"},
        {QStringList{"compose", "-o", two[1]} + two, "is named twice"},
        {QStringList{"compose", "-o", out, "-l", out} + two, "is named twice"},
        {QStringList{"compose", "-o", out} + two + QStringList{"--frames"},
         "Missing value after '--frames'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        const QString firstLine = run.err.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(firstLine.startsWith(QLatin1String("lintaro-cli: ")));
        EXPECT_TRUE(firstLine.contains(QLatin1String(c.reason))) << firstLine.toStdString();
        // The reason and where the help is, not the help itself.
        const QString command = c.arguments.value(0) == QLatin1String("compose")
                                    ? QStringLiteral("lintaro-cli compose")
                                    : QStringLiteral("lintaro-cli");
        EXPECT_EQ(run.err.section(QLatin1Char('\n'), 1),
                  QStringLiteral("Try '%1 --help'\n").arg(command));
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(ComposeCommand, HelpAndVersionGoToStandardOutput)
{
    const CliRun help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QLatin1String("compose [options] FRAME1 FRAME2")));
    EXPECT_TRUE(help.out.contains(QLatin1String("--lattice-width <PX>")));
    EXPECT_EQ(runCli({QStringLiteral("compose"), QStringLiteral("-h")}).exitCode, 0);
    const CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QLatin1String("lintaro-cli 1.")));
}

// Exit 1 names the file and the reason; an existing output stays as it was, and the
// report says what was and was not written.
TEST_F(ComposeCommand, UnreadableInputsAndUnwritableOutputsExitWithOne)
{
    QStringList two;
    writeFrames(2, QSize(32, 24), two);
    const QString out = file(QStringLiteral("out.png"));
    QFile old(out);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    QFile junk(file(QStringLiteral("junk.png")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is no picture");
    junk.close();
    QDir(temp.path()).mkdir(QStringLiteral("folder"));

    const struct {
        QString input;
        const char *reason;
    } inputs[] = {
        {file(QStringLiteral("missing.png")), "No such file or directory"},
        {junk.fileName(), ""},
        {file(QStringLiteral("folder")), "the folder holds no picture"},
    };
    for (const auto &c : inputs) {
        SCOPED_TRACE(c.input.toStdString());
        const CliRun run =
            runCli({QStringLiteral("compose"), QStringLiteral("-o"), out, two[0], c.input});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(
            QStringLiteral("cannot read %1: %2").arg(c.input, QLatin1String(c.reason))))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String("nothing was written")));
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    old.close();

    const QString nowhere = file(QStringLiteral("no/such/folder/"));
    const CliRun first = runCli(QStringList{QStringLiteral("compose"), QStringLiteral("-o"),
                                            nowhere + QStringLiteral("c.png")} +
                                two);
    EXPECT_EQ(first.exitCode, 1);
    EXPECT_TRUE(first.err.contains(QStringLiteral("cannot write %1c.png: ").arg(nowhere)));
    EXPECT_TRUE(first.err.contains(QLatin1String("nothing was written")));

    const CliRun later =
        runCli(QStringList{QStringLiteral("compose"), QStringLiteral("-s"), QStringLiteral("32x24"),
                           QStringLiteral("-o"), out, QStringLiteral("--gif"),
                           nowhere + QStringLiteral("a.gif"), QStringLiteral("--webp"),
                           file(QStringLiteral("a.webp"))} +
               two);
    EXPECT_EQ(later.exitCode, 1);
    EXPECT_TRUE(later.err.contains(QStringLiteral("written: %1\n").arg(out)))
        << later.err.toStdString();
    EXPECT_TRUE(later.err.contains(
        QStringLiteral("not written: %1a.gif, %2").arg(nowhere, file(QStringLiteral("a.webp")))));
    EXPECT_TRUE(
        pixels::sameImage(QImage(out), frames::ComposeFrames({QImage(two[0]), QImage(two[1])}, 2)));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("a.webp"))));
}

// The composed picture, the lattice and every preview frame follow the frames rule pixel
// for pixel; a frame of another size is fitted and centred as the windows place it.
TEST_F(ComposeCommand, ComposedLatticeAndFrameFilesAreExact)
{
    const QSize canvas(40, 20);
    for (int n : {2, 3, 4})
        for (int w : {1, 3}) {
            SCOPED_TRACE(::testing::Message() << "N = " << n << ", w = " << w);
            QStringList paths;
            std::vector<QImage> frames = writeFrames(n, canvas, paths);
            const QImage odd = pixels::randomPicture(50, 16, 77);
            paths.last() = write(odd, QStringLiteral("odd.png"));
            frames.back() = frames::FitFrame(odd, QSize(), canvas);
            const QString dir = file(QStringLiteral("frames-%1-%2").arg(n).arg(w));
            const QString composedPath =
                file(n == 3 ? QStringLiteral("c.bmp") : QStringLiteral("c.png"));
            const CliRun run = runCli(
                QStringList{QStringLiteral("compose"), QStringLiteral("-w"), QString::number(w),
                            QStringLiteral("-s"), QStringLiteral("40x20"), QStringLiteral("-o"),
                            composedPath, QStringLiteral("-l"), file(QStringLiteral("l.png")),
                            QStringLiteral("--frames"), dir} +
                paths);
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            const QImage composed = frames::ComposeFrames(frames, w);
            EXPECT_TRUE(pixels::sameImage(QImage(composedPath), composed));
            EXPECT_TRUE(pixels::sameImage(
                QImage(file(QStringLiteral("l.png"))),
                frames::FramesLattice(QSize(canvas.width() + n * w, canvas.height()), w, n)));
            EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), n * w);
            for (int o = 0; o < n * w; ++o) {
                SCOPED_TRACE(::testing::Message() << "offset " << o);
                EXPECT_TRUE(pixels::sameImage(
                    QImage(QDir(dir).filePath(
                        QStringLiteral("frame-%1.png").arg(o, 3, 10, QLatin1Char('0')))),
                    frames::PreviewFrame(composed, w, n, o)));
            }
        }
}

// Written a band at a time (nothing else needs the picture whole) or from the whole
// composed picture (the previews need it), the picture and lattice files are the same bytes.
TEST_F(ComposeCommand, PicturesWrittenInBandsEqualThoseWrittenWhole)
{
    QStringList paths;
    writeFrames(3, QSize(130, 40), paths);
    paths << write(pixels::randomPicture(77, 61, 3), QStringLiteral("odd.png"));
    for (const QString &suffix : {QStringLiteral("png"), QStringLiteral("bmp")}) {
        const QStringList common{QStringLiteral("compose"), QStringLiteral("-w"),
                                 QStringLiteral("3"), QStringLiteral("-s"),
                                 QStringLiteral("150x300")};
        const QString banded = file(QStringLiteral("banded.") + suffix);
        const QString whole = file(QStringLiteral("whole.") + suffix);
        const QString bandedLattice = file(QStringLiteral("banded_lattice.") + suffix);
        const QString wholeLattice = file(QStringLiteral("whole_lattice.") + suffix);
        ASSERT_EQ(
            runCli(common +
                   QStringList{QStringLiteral("-o"), banded, QStringLiteral("-l"), bandedLattice} +
                   paths)
                .exitCode,
            0);
        ASSERT_EQ(
            runCli(common +
                   QStringList{QStringLiteral("-o"), whole, QStringLiteral("-l"), wholeLattice,
                               QStringLiteral("--gif"), file(QStringLiteral("a.gif"))} +
                   paths)
                .exitCode,
            0);
        const auto bytes = [](const QString &path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        EXPECT_FALSE(bytes(banded).isEmpty());
        EXPECT_EQ(bytes(banded), bytes(whole)) << suffix.toStdString();
        EXPECT_EQ(bytes(bandedLattice), bytes(wholeLattice)) << suffix.toStdString();
    }
}

TEST_F(ComposeCommand, AnimatedWebPAndGifHoldOneCycleAtOneHundredMilliseconds)
{
    const int n = 3;
    const int w = 2;
    QStringList paths;
    std::vector<QImage> frames = writeFrames(n, QSize(48, 32), paths);
    // White and black areas, which the GIF must keep exact.
    frames[1] = pixels::pictureOf(48, 32, [](int x, int y) {
        return (x + y) % 5 < 2 ? kWhite : rgb(x * 5, 255 - y * 7, 90);
    });
    paths[1] = write(frames[1], QStringLiteral("plain.png"));
    const CliRun run =
        runCli(QStringList{QStringLiteral("compose"), QStringLiteral("-w"), QString::number(w),
                           QStringLiteral("-s"), QStringLiteral("48x32"), QStringLiteral("-o"),
                           file(QStringLiteral("c.png")), QStringLiteral("--gif"),
                           file(QStringLiteral("a.gif")), QStringLiteral("--webp"),
                           file(QStringLiteral("a.webp"))} +
               paths);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage composed = frames::ComposeFrames(frames, w);

    const animated::Animation webp = animated::readWebP(file(QStringLiteral("a.webp")));
    ASSERT_TRUE(webp.valid);
    ASSERT_EQ(webp.frames.size(), size_t(n * w));
    EXPECT_EQ(webp.loopCount, 0);
    for (int o = 0; o < n * w; ++o) {
        SCOPED_TRACE(::testing::Message() << "WebP frame " << o);
        EXPECT_TRUE(
            pixels::sameImage(webp.frames[size_t(o)], frames::PreviewFrame(composed, w, n, o)));
        EXPECT_EQ(webp.durationsMs[size_t(o)], 100);
    }

    const animated::Animation gif = animated::readGif(file(QStringLiteral("a.gif")));
    ASSERT_TRUE(gif.valid);
    ASSERT_EQ(gif.frames.size(), size_t(n * w));
    EXPECT_EQ(gif.loopCount, 0);
    for (int o = 0; o < n * w; ++o) {
        SCOPED_TRACE(::testing::Message() << "GIF frame " << o);
        EXPECT_EQ(gif.durationsMs[size_t(o)], 100);
        const QImage expected = frames::PreviewFrame(composed, w, n, o);
        const QImage &got = gif.frames[size_t(o)];
        ASSERT_EQ(got.size(), expected.size());
        // Black and white exactly; every other colour near its own.
        EXPECT_TRUE(pixels::matches(got, [&](int x, int y) {
            const Colour want = pixels::at(expected, x, y);
            const Colour have = pixels::at(got, x, y);
            if (want == kBlack || want == kWhite)
                return want;
            for (int shift : {0, 8, 16})
                if (std::abs(int((want >> shift) & 0xFF) - int((have >> shift) & 0xFF)) > 48)
                    return want;
            return have;
        }));
        // A colour that stays in its place keeps its palette entry: no shimmer.
        const QImage first = frames::PreviewFrame(composed, w, n, 0);
        EXPECT_TRUE(pixels::matches(got, [&](int x, int y) {
            const Colour have = pixels::at(got, x, y);
            return pixels::at(expected, x, y) == pixels::at(first, x, y) &&
                           pixels::at(first, x, y) != kBlack
                       ? pixels::at(gif.frames[0], x, y)
                       : have;
        }));
    }
}

} // namespace
