#include "cli/cli_process.h"
#include "printing/pdf_tools.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// `lintaro-cli sheet` run as a user would: exit status, message and files written.
namespace
{

class SheetCommand : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        for (int i = 0; i < 2; ++i) {
            QImage frame(160, 120, QImage::Format_RGB32);
            frame.fill(i ? Qt::red : Qt::blue);
            frames << file(QStringLiteral("frame%1.png").arg(i));
            ASSERT_TRUE(frame.save(frames.last()));
        }
    }
    QString file(const QString &name) const { return temp.filePath(name); }

    QTemporaryDir temp;
    QStringList frames;
};

TEST_F(SheetCommand, UsageErrorsExitWithTwoAndTheReason)
{
    const QString out = file(QStringLiteral("sheet.pdf"));
    const QString svg = file(QStringLiteral("l.svg"));
    const struct {
        QStringList arguments;
        const char *reason;
    } cases[] = {
        {{"--bogus", "-o", out}, "Unknown option 'bogus'"},
        {{"--slit-mm", "3.5", "-o", out}, "--slit-mm takes 0.2 to 3.0 mm"},
        {{"--dpi", "500", "-o", out}, "--dpi takes 300, 600 or 1200"},
        {{"--paper", "a3", "-o", out}, "--paper takes a4, b5 or letter"},
        {{"-o", file(QStringLiteral("sheet.png"))}, "must end in .pdf"},
        {{"-o", out, "--svg", file(QStringLiteral("l.png"))}, "must end in .svg"},
        {{"--width-mm", "200", "-o", out}, "does not fit the paper: at most 187.9 mm wide"},
        {{"--width-mm", "wide", "-o", out}, "--width-mm takes millimetres"},
        {{"--kerf-mm", "0.1", "-o", out}, "--kerf-mm applies to the --svg lattice only"},
        {{"--svg", svg, "--kerf-mm", "1.5", "-o", out}, "narrower than the slit, 1.02 mm"},
        {{"-o", out, "--calibration"}, "--calibration takes no frames"},
        {{"-o", out, "-s", "10x10"}, "--size takes WIDTHxHEIGHT"},
    };
    for (const auto &c : cases) {
        const QStringList arguments = QStringList{QStringLiteral("sheet")} + c.arguments + frames;
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.reason))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: lintaro-cli sheet")));
        EXPECT_FALSE(QFile::exists(out));
    }
    EXPECT_EQ(runCli({QStringLiteral("sheet"), QStringLiteral("-o"), out, frames[0]}).exitCode, 2);
}

TEST_F(SheetCommand, UnreadableInputOrUnwritableOutputExitsWithOne)
{
    const QString out = file(QStringLiteral("sheet.pdf"));
    const QString gone = file(QStringLiteral("gone.png"));
    const QString noDir = file(QStringLiteral("no/dir/s.pdf"));
    const struct {
        QStringList arguments;
        QString named;
    } cases[] = {
        {{frames[0], gone, "-o", out}, gone + QStringLiteral(": No such file or directory")},
        {{frames[0], temp.path(), "-o", out}, QStringLiteral("not a regular file")},
        {{frames[0], frames[1], "-o", noDir}, QStringLiteral("cannot write ") + noDir},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(QStringList{QStringLiteral("sheet")} + c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(c.named)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("nothing was written")))
            << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST_F(SheetCommand, WritesTheSheetTheLatticeAndTheCalibrationPage)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const QString out = file(QStringLiteral("sheet.pdf"));
    const QString svg = file(QStringLiteral("lattice.svg"));
    const CliRun run = runCli(
        {"sheet", "--paper",    "letter",    "--landscape", "--slit-mm", "0.5",     "--dpi",
         "300",   "--width-mm", "80",        "-s",          "400x200",   "-o",      out,
         "--svg", svg,          "--kerf-mm", "0.1",         "-q",        frames[0], frames[1]});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const pdf_tools::Info info = pdf_tools::info(out);
    EXPECT_EQ(info.pages, 2);
    EXPECT_EQ(info.points, QSizeF(792, 612));
    const auto pictures = pdf_tools::pictures(out);
    ASSERT_EQ(pictures.size(), 1u);
    // 80 mm at 300 dpi, in the proportions of 400 x 200.
    EXPECT_EQ(QSize(pictures[0].width, pictures[0].height), QSize(945, 473));
    EXPECT_TRUE(QFile::exists(svg));

    const QString calibration = file(QStringLiteral("calibration.pdf"));
    const CliRun calibrate = runCli({"sheet", "--calibration", "--paper", "b5", "-o", calibration});
    EXPECT_EQ(calibrate.exitCode, 0) << calibrate.err.toStdString();
    EXPECT_EQ(pdf_tools::info(calibration).pages, 1);
}

} // namespace
