#include "cli/cli_process.h"
#include "shapes/disc_rule.h"
#include "support/animation_reading.h"
#include "support/pixel_checks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{

class ComposeDisc : public ::testing::Test
{
  protected:
    QString file(const QString &name) const { return temp.filePath(name); }
    QStringList writeFrames(const std::vector<QImage> &frames)
    {
        QStringList paths;
        for (size_t i = 0; i < frames.size(); ++i) {
            paths << file(QStringLiteral("frame%1.png").arg(i));
            frames[i].save(paths.back());
        }
        return paths;
    }
    QByteArray bytesOf(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir temp;
};

// An odd canvas, so that pixels lie on the axes and the diagonals; the outputs are the
// rule's own pictures, pixel for pixel.
TEST_F(ComposeDisc, WritesTheDiscRulesPictureLatticeAndPreviewFrames)
{
    const int n = 3;
    const int periods = 5;
    std::vector<QImage> frames;
    for (int i = 0; i < n; ++i)
        frames.push_back(pixels::randomPicture(41, 33, 70u + i));
    const CliRun run =
        runCli(QStringList{"compose", "--shape", "disc", "--periods", QString::number(periods),
                           "-o", file("disc.png"), "-l", file("lattice.bmp"), "--webp",
                           file("a.webp"), "--frames", file("steps")} +
               writeFrames(frames));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage composed = shapes::ComposeDisc(frames, periods);
    EXPECT_TRUE(pixels::sameImage(QImage(file("disc.png")), composed));
    EXPECT_TRUE(pixels::sameImage(QImage(file("lattice.bmp")),
                                  shapes::DiscLattice(QSize(41, 33), periods, n)));

    const int cycle = n * shapes::kPreviewStepsPerSlit;
    EXPECT_EQ(QDir(file("steps")).entryList(QDir::Files).size(), cycle);
    const animated::Animation webp = animated::readWebP(file("a.webp"));
    ASSERT_TRUE(webp.valid);
    ASSERT_EQ(webp.frames.size(), size_t(cycle));
    for (int step = 0; step < cycle; ++step) {
        SCOPED_TRACE(::testing::Message() << "step " << step);
        const QImage expected = shapes::DiscPreviewFrame(composed, periods, n, step);
        EXPECT_TRUE(pixels::sameImage(webp.frames[size_t(step)], expected));
        EXPECT_EQ(webp.durationsMs[size_t(step)], 100);
        EXPECT_TRUE(pixels::sameImage(
            QImage(
                QDir(file("steps"))
                    .filePath(QStringLiteral("frame-%1.png").arg(step, 3, 10, QLatin1Char('0')))),
            expected));
    }
}

// Plain frames of colours a GIF keeps exact: at a turn of k slits frame k shows alone
// through every slit, and nothing of the others.
TEST_F(ComposeDisc, GifTurnsTheLatticeAQuarterSlitEveryHundredMilliseconds)
{
    const Colour colours[] = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(0, 255, 0), rgb(255, 255, 0)};
    const int n = 4;
    std::vector<QImage> frames;
    for (const Colour colour : colours)
        frames.push_back(pixels::plainPicture(48, 40, colour));
    const CliRun run = runCli(
        QStringList{"compose", "--shape", "disc", "-o", file("disc.png"), "--gif", file("a.gif")} +
        writeFrames(frames));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const animated::Animation gif = animated::readGif(file("a.gif"));
    ASSERT_TRUE(gif.valid);
    EXPECT_EQ(gif.loopCount, 0);
    ASSERT_EQ(gif.frames.size(), size_t(n * 4));
    const QImage composed = shapes::ComposeDisc(frames, shapes::kDefaultPeriods);
    for (int step = 0; step < n * 4; ++step) {
        SCOPED_TRACE(::testing::Message() << "step " << step);
        EXPECT_EQ(gif.durationsMs[size_t(step)], 100);
        EXPECT_TRUE(pixels::sameImage(
            gif.frames[size_t(step)],
            shapes::DiscPreviewFrame(composed, shapes::kDefaultPeriods, n, step)));
    }
    for (int k = 0; k < n; ++k) {
        SCOPED_TRACE(::testing::Message() << "frame " << k);
        int shown = 0;
        EXPECT_TRUE(pixels::matches(gif.frames[size_t(k * 4)], [&](int x, int y) {
            const Colour have = pixels::at(gif.frames[size_t(k * 4)], x, y);
            shown += have == colours[k];
            return have == kBlack || have == kWhite ? have : colours[k];
        }));
        // About one slit in N of the disc shows.
        EXPECT_GT(shown, 48 * 40 / n / 3);
    }
}

TEST_F(ComposeDisc, StraightIsTheDefaultAndDiscRefusesTheSheetsMeasures)
{
    const QStringList paths =
        writeFrames({pixels::randomPicture(40, 30, 5u), pixels::randomPicture(40, 30, 6u)});
    const QStringList outputs{"-l", file("l.png"), "--gif", file("a.gif")};
    ASSERT_EQ(runCli(QStringList{"compose", "-o", file("a.png")} + outputs + paths).exitCode, 0);
    const QByteArray picture = bytesOf("a.png");
    const QByteArray lattice = bytesOf("l.png");
    const QByteArray gif = bytesOf("a.gif");
    ASSERT_EQ(
        runCli(QStringList{"compose", "--shape", "straight", "-o", file("a.png")} + outputs + paths)
            .exitCode,
        0);
    EXPECT_EQ(bytesOf("a.png"), picture);
    EXPECT_EQ(bytesOf("l.png"), lattice);
    EXPECT_EQ(bytesOf("a.gif"), gif);

    const struct {
        QStringList arguments;
        const char *reason;
    } refused[] = {
        {{"--shape", "lamp"}, "--shape lamp is made by 'lintaro-cli sheet'"},
        {{"--shape", "disc", "-w", "3"}, "--slit applies to --shape straight only"},
        {{"--shape", "disc", "--lattice-width", "100"},
         "--lattice-width applies to --shape straight only"},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run =
            runCli(QStringList{"compose", "-o", file("b.png")} + c.arguments + paths);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.reason))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String("Try 'lintaro-cli compose --help'")));
        EXPECT_FALSE(QFile::exists(file("b.png")));
    }
}

} // namespace
