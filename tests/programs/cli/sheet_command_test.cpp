#include "cli/cli_process.h"
#include "printing/pdf_tools.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
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
        {{"--dpi", "500", "-o", out}, "--dpi takes 300, 360, 600, 720 or 1200"},
        {{"--paper", "a5", "-o", out}, "--paper takes a4, a3, a2, a1, a0, b5, b4, letter or WxH"},
        {{"--paper", "49.9x300", "-o", out}, "50 to 2000 each, not \"49.9x300\""},
        {{"--paper", "300x2001", "-o", out}, "50 to 2000 each"},
        {{"--paper", "110x300", "-o", out}, "at least 120 mm wide for the 100 mm scale bar"},
        {{"-o", file(QStringLiteral("sheet.png"))}, "must end in .pdf"},
        {{"-o", out, "--svg", file(QStringLiteral("l.png"))}, "must end in .svg"},
        {{"--width-mm", "200", "-o", out}, "does not fit the paper: at most 167.9 mm wide"},
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
        EXPECT_TRUE(run.err.contains(QStringLiteral("Try 'lintaro-cli sheet --help'")));
        EXPECT_FALSE(run.err.contains(QStringLiteral("Usage:")));
        EXPECT_FALSE(QFile::exists(out));
    }
    EXPECT_EQ(runCli({QStringLiteral("sheet"), QStringLiteral("-o"), out, frames[0]}).exitCode, 2);
    const CliRun small = runCli({"sheet", "--calibration", "--paper", "150x120", "-o", out});
    EXPECT_EQ(small.exitCode, 2);
    EXPECT_TRUE(small.err.contains(QStringLiteral("too small for the calibration page")))
        << small.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(SheetCommand, UnreadableInputOrUnwritableOutputExitsWithOne)
{
    const QString out = file(QStringLiteral("sheet.pdf"));
    const QString gone = file(QStringLiteral("gone.png"));
    const QString noDir = file(QStringLiteral("no/dir/s.pdf"));
    const QString empty = file(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    const struct {
        QStringList arguments;
        QString named;
    } cases[] = {
        {{frames[0], gone, "-o", out}, gone + QStringLiteral(": No such file or directory")},
        {{frames[0], empty, "-o", out}, QStringLiteral("the folder holds no picture")},
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

TEST_F(SheetCommand, DiscAndLampSheetsWithTheirCutFiles)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const QString out = file(QStringLiteral("shape.pdf"));
    const QString svg = file(QStringLiteral("shape.svg"));
    const auto svgText = [&] {
        QFile f(svg);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };

    const CliRun disc =
        runCli({"sheet", "--shape", "disc", "--periods", "12", "--dpi", "300", "--width-mm", "50",
                "-o", out, "--svg", svg, "--kerf-mm", "0.1", frames[0], frames[1]},
               QString(), QStringLiteral("C"));
    ASSERT_EQ(disc.exitCode, 0) << disc.err.toStdString();
    EXPECT_TRUE(disc.err.contains(QStringLiteral("12 periods"))) << disc.err.toStdString();
    EXPECT_EQ(pdf_tools::info(out).pages, 2);
    const auto pictures = pdf_tools::pictures(out);
    ASSERT_EQ(pictures.size(), 1u);
    // 50 mm at 300 dpi, square.
    EXPECT_EQ(QSize(pictures[0].width, pictures[0].height), QSize(591, 591));
    EXPECT_EQ(svgText().count(QStringLiteral("<path id=\"slit-")), 12);

    // The lamp's strips and what it needs: the inner cylinder it really wraps.
    const CliRun lamp =
        runCli({"sheet", "--shape", "lamp", "--inner-mm", "60", "--outer-mm", "70", "--landscape",
                "--dpi", "300", "--height-mm", "40", "-o", out, "--svg", svg, frames[0], frames[1]},
               QString(), QStringLiteral("C"));
    ASSERT_EQ(lamp.exitCode, 0) << lamp.err.toStdString();
    // s = 12 dots, N s = 24: pi 60 mm is 92.8 periods; 93 x 24 dots = 188.98 mm round 60.2 mm.
    EXPECT_TRUE(lamp.err.contains(QStringLiteral("93 periods"))) << lamp.err.toStdString();
    EXPECT_TRUE(lamp.err.contains(QStringLiteral("inner diameter 60.2 mm (asked 60 mm)")));
    const auto strip = pdf_tools::pictures(out);
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_EQ(QSize(strip[0].width, strip[0].height), QSize(2232, 472));
    EXPECT_EQ(svgText().count(QStringLiteral("<rect id=\"slit-")), 93);

    // Refused before anything is written, with what it needs.
    QFile::remove(out);
    const struct {
        QStringList arguments;
        const char *reason;
    } refused[] = {
        {{"--shape", "lamp", "--inner-mm", "60", "--outer-mm", "70"},
         "the lamp's strip is 229.9 mm long with its glue tab; the paper holds 190.0 mm"},
        {{"--shape", "lamp", "--inner-mm", "60", "--outer-mm", "70", "--width-mm", "50"},
         "--width-mm does not apply to --shape lamp"},
        {{"--shape", "disc", "--height-mm", "50"}, "--height-mm applies to --shape lamp only"},
        {{"--shape", "disc", "--slit-mm", "1"}, "--slit-mm does not apply to --shape disc"},
        {{"--shape", "disc", "--width-mm", "180"}, "at most 169.9 mm across"},
        {{"--shape", "disc", "--svg", svg, "--kerf-mm", "3"}, "--kerf-mm: the kerf must be"},
        {{"--shape", "disc", "--calibration"}, "--calibration takes no --shape"},
    };
    for (const auto &c : refused) {
        const QStringList arguments =
            QStringList{QStringLiteral("sheet"), QStringLiteral("-o"), out} + c.arguments + frames;
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.reason))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
    const CliRun help = runCli({"sheet", "--help"});
    EXPECT_TRUE(help.out.contains(QStringLiteral("--inner-mm"))) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--height-mm")));
}

// The sheet's texts follow the locale: Japanese where it is Japanese, English elsewhere.
TEST_F(SheetCommand, PagesSpeakTheLocalesLanguage)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const struct {
        const char *locale;
        const char *fullSize, *page2, *figures;
    } cases[] = {
        {"C", "Print at 100 % (actual size); the bar must measure 100 mm",
         "2/2 lattice (for transparency film)", "slit 0.99 mm (asked 1.00 mm)"},
        {"ja_JP.UTF-8", "実際のサイズ（100 %）で印刷し、目盛りが 100 mm あることを確かめてください",
         "2/2 格子（透明シート用）", "スリット 0.99 mm（指定 1.00 mm）"},
    };
    const QString out = file(QStringLiteral("sheet.pdf"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale);
        const CliRun run = runCli(
            {"sheet", "--paper", "300x200", "--dpi", "360", "-o", out, "-q", frames[0], frames[1]},
            QString(), QString::fromLatin1(c.locale));
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (int page = 1; page <= 2; ++page) {
            QString text = pdf_tools::run(QStringLiteral("pdftotext"),
                                          {QStringLiteral("-raw"), QStringLiteral("-f"),
                                           QString::number(page), QStringLiteral("-l"),
                                           QString::number(page), out, QStringLiteral("-")})
                               .value_or(QString());
            // pdftotext may split and space the line: compared without white space.
            const auto bare = [](QString s) {
                return s.remove(QRegularExpression(QStringLiteral("\\s")));
            };
            EXPECT_TRUE(bare(text).contains(bare(QString::fromUtf8(c.fullSize))))
                << text.toStdString();
            EXPECT_TRUE(bare(text).contains(bare(QString::fromUtf8(c.figures))))
                << text.toStdString();
            if (page == 2) {
                EXPECT_TRUE(bare(text).contains(bare(QString::fromUtf8(c.page2))))
                    << text.toStdString();
            }
        }
    }
}

} // namespace
