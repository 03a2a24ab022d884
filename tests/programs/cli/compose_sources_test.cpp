#include "cli/cli_process.h"
#include "frames/frames_rule.h"
#include "support/source_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using source_files::frameIndexOf;

class ComposeSources : public ::testing::Test
{
  protected:
    QString file(const QString &name) const { return temp.filePath(name); }
    // The frame column x of a composed picture shows, told by its colour among `colours`.
    static int frameAt(const QImage &composed, int x, int colours)
    {
        return frameIndexOf(composed.copy(x, 0, 1, composed.height()), colours);
    }
    QTemporaryDir temp;
};

// Twelve frames in a GIF: without a count, 6 are picked and the choice is said; the canvas
// is the frame's own size.
TEST_F(ComposeSources, AnimationGivesSixFramesAndSaysWhich)
{
    const QString gif = file(QStringLiteral("anim.gif"));
    source_files::writeAnimation(gif, 12);
    const QString out = file(QStringLiteral("out.png"));
    const CliRun run = runCli({"compose", "-w", "1", "-o", out, gif});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.err.contains(QLatin1String("lintaro-cli: picked 6 of 12 frames: 1, 3, 5, 7, 9, 11")))
        << run.err.toStdString();
    const QImage composed(out);
    ASSERT_EQ(composed.size(), QSize(64, 48));
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(frameAt(composed, x, 12), 2 * frames::FrameOfColumn(x, 1, 6)) << x;
    // Quiet says nothing; a count picks without a word.
    EXPECT_TRUE(runCli({"compose", "-q", "-o", out, gif}).err.isEmpty());
    const CliRun counted = runCli({"compose", "--count", "3", "-w", "1", "-o", out, gif});
    EXPECT_TRUE(counted.err.isEmpty()) << counted.err.toStdString();
    EXPECT_EQ(frameAt(QImage(out), 1, 12), 8);
}

// A GIF, a folder and a video's range one after the other: 12 + 12 + 10 = 34 frames, of
// which 4 are frames 0, 8, 17 and 25.
TEST_F(ComposeSources, SourcesFollowOneAnotherAndAVideoGivesItsRange)
{
    const QString gif = file(QStringLiteral("anim.gif"));
    source_files::writeAnimation(gif, 12);
    const QDir folder(file(QStringLiteral("frames")));
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    for (int n = 12; n >= 1; --n)
        source_files::colourFrame(n - 1, 12).save(
            folder.filePath(QStringLiteral("f%1.png").arg(n)));
    const QString video = file(QStringLiteral("clip.mp4"));
    if (!source_files::writeVideo(video, 20, 10, {"-c:v", "libx264", "-pix_fmt", "yuv420p"}))
        GTEST_SKIP() << "no ffmpeg with libx264";
    const QString out = file(QStringLiteral("out.png"));
    const CliRun run = runCli({"compose", "-w", "1", "-s", "32x24", "--count", "4", "--from", "0.5",
                               "--to", "1.5", "-o", out, gif, folder.path(), video});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage composed(out);
    // Columns 0, 3, 2, 1 show picks 0, 1, 2, 3.
    EXPECT_EQ(frameAt(composed, 0, 12), 0);
    EXPECT_EQ(frameAt(composed, 3, 12), 8);
    EXPECT_EQ(frameAt(composed, 2, 12), 5);
    EXPECT_EQ(frameAt(composed, 1, 20), 6);

    // The video alone, whole: 20 frames, 8 of them, on the video's own 64 x 48.
    const CliRun whole = runCli({"compose", "-w", "1", "--count", "8", "-o", out, video});
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    const QImage eight(out);
    ASSERT_EQ(eight.size(), QSize(64, 48));
    const int expected[] = {0, 2, 5, 7, 10, 12, 15, 17};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(frameAt(eight, x, 20), expected[frames::FrameOfColumn(x, 1, 8)]) << x;
}

// Three upright bands (red, green, blue) covering a square canvas show the green band
// alone; as silhouettes at 100 it is white, and a grey frame of 50 black.
TEST_F(ComposeSources, CoverAndSilhouetteApplyToEveryFrame)
{
    QImage bands(200, 100, QImage::Format_RGB32);
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y)
            bands.setPixel(x, y,
                           x < 50    ? qRgb(255, 0, 0)
                           : x < 150 ? qRgb(0, 255, 0)
                                     : qRgb(0, 0, 255));
    QImage grey(100, 100, QImage::Format_RGB32);
    grey.fill(qRgb(50, 50, 50));
    const QString a = file(QStringLiteral("bands.png"));
    const QString b = file(QStringLiteral("grey.png"));
    ASSERT_TRUE(bands.save(a) && grey.save(b));
    const QString out = file(QStringLiteral("out.png"));
    ASSERT_EQ(
        runCli({"compose", "-w", "1", "-s", "100x100", "--fit", "cover", "-o", out, a, b}).exitCode,
        0);
    EXPECT_EQ(QImage(out).pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(QImage(out).pixel(98, 99), qRgb(0, 255, 0));
    ASSERT_EQ(runCli({"compose", "-w", "1", "-s", "100x100", "--fit", "cover", "--silhouette=100",
                      "-o", out, a, b})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(out).pixel(0, 50), qRgb(255, 255, 255));
    EXPECT_EQ(QImage(out).pixel(1, 50), qRgb(0, 0, 0));
    // Contained, with Otsu's threshold and inverted: the margins of the bands frame are
    // black, the grey frame (one level: 128) white.
    ASSERT_EQ(
        runCli({"compose", "-w", "1", "-s", "100x100", "--silhouette", "--invert", "-o", out, a, b})
            .exitCode,
        0);
    EXPECT_EQ(QImage(out).pixel(0, 5), qRgb(0, 0, 0));
    EXPECT_EQ(QImage(out).pixel(1, 5), qRgb(255, 255, 255));
}

} // namespace
