#include "platform/pdf_print_service.h"
#include "printing/pdf_tools.h"
#include "sheet/printer_resolution.h"
#include "sheet/sheet_geometry.h"
#include "sheet_window/sheet_window.h"
#include "support/program_fixture.h"

#include <QDeadlineTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>

// The print sheet through the real CUPS queue "PDF" (cups-pdf), as the user's printer would
// take it. scripts/start-print-queue.sh sets the queue up; without it the test is skipped.
namespace
{

using namespace pdf_tools;

const QString kOutFolder = QStringLiteral("/var/spool/cups-pdf/lintaro");

TEST(SheetThroughCups, TwoPagesOfA4WithTheBarsAtThePeriod)
{
    if (!missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    if (run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).value_or(QString()).trimmed() !=
            QStringLiteral("scheduler is running") ||
        !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
        GTEST_SKIP() << "no CUPS queue \"PDF\": run scripts/start-print-queue.sh (as root)";
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (!conf.open(QIODevice::ReadOnly) || !conf.readAll().contains("\nOut " + kOutFolder.toUtf8()))
        GTEST_SKIP() << "cups-pdf does not write into " << kOutFolder.toStdString();

    QTemporaryDir temp;
    ScriptedFileDialogs dialogs;
    FakeAppServices app;
    RecordedMessages messages;
    PdfPrintService queue(temp.filePath(QStringLiteral("unused.pdf")));
    const QString title = QStringLiteral("lintaro-sheet-%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    queue.setPrinterName(QStringLiteral("PDF"));
    queue.setDocName(title);
    int resolution = 0;
    queue.dialogSettings = [&](QPrinter &printer) { resolution = sheet::sheetResolution(printer); };
    Platform platform{dialogs, queue, app, [] { return std::make_unique<ManualTimer>(); },
                      messages};

    std::vector<sheet::FramePicture> frames;
    for (QColor colour : {Qt::red, Qt::blue}) {
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(colour);
        frames.push_back({picture, QSize()});
    }
    SheetWindow w(platform, frames, QSize(320, 240));
    w.largestWidthCheck->click();
    w.widthMm->setValue(120);
    w.printSheetButton->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    sheet::SheetChoices choices = w.choices();
    choices.dpi = resolution;
    const sheet::SheetGeometry g = sheet::layOutSheet(choices, 2, QSize(320, 240));

    QString pdf;
    for (const QDeadlineTimer deadline(30000); !deadline.hasExpired() && pdf.isEmpty();
         QTest::qWait(100)) {
        const QStringList found = QDir(kOutFolder).entryList({title + QStringLiteral("*.pdf")});
        if (!found.isEmpty() && info(QDir(kOutFolder).filePath(found.first())).pages == 2)
            pdf = QDir(kOutFolder).filePath(found.first());
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no sheet from the queue within 30 s for "
                                << title.toStdString();
    EXPECT_NEAR(info(pdf).points.width(), 210 * kPointsPerMm, 1.0);
    EXPECT_NEAR(info(pdf).points.height(), 297 * kPointsPerMm, 1.0);

    // The sheet is laid out at the queue's own resolution (cups-pdf: 300 dpi), though Qt
    // spools at 1200, so page 1 keeps one picture pixel per printer dot.
    EXPECT_EQ(resolution, sheet::queueResolution(QStringLiteral("PDF")));
    const auto pictures = pdf_tools::pictures(pdf);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(QSize(pictures[0].width, pictures[0].height), g.canvasDots);

    // Page 2 rendered at the sheet's resolution, a band across the lattice: the bars are one
    // period apart, the first one slit from the picture's left edge, as page 1's stripes.
    const int row = g.originDots.y() + g.canvasDots.height() / 2;
    const QString second = temp.filePath(QStringLiteral("page2"));
    ASSERT_TRUE(run(QStringLiteral("pdftoppm"),
                    QStringLiteral("-png -singlefile -aa no -aaVector no -f 2 -l 2 -r %1 -x 0 "
                                   "-y %2 -W %3 -H 3")
                            .arg(g.dpi)
                            .arg(row)
                            .arg(int(210 * g.dpi / 25.4))
                            .split(' ')
                        << pdf << second));
    const QImage band(second + QStringLiteral(".png"));
    std::vector<pdf_tools::Run> bars = darkRuns(band, 1);
    // The thin border round the lattice, for cutting film by hand, is not a bar.
    const QRect lattice = g.latticeDots();
    std::erase_if(bars, [&](const pdf_tools::Run &r) {
        return r.start < lattice.x() || r.start >= lattice.x() + lattice.width();
    });
    ASSERT_GT(bars.size(), 10u) << g.dpi << " dpi";
    EXPECT_NEAR(pitch(bars), g.periodDots, 0.05);
    EXPECT_NEAR(bars.front().start, g.originDots.x() + g.slitDots, 1.0);
    EXPECT_NEAR(bars.front().length, g.slitDots, 1.0);

    // The figures keep their size in points whatever the units, so every word stays inside
    // the margins (Ghostscript leaves the glyphs without their characters: the boxes are what
    // can be read).
    const QString words =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
            .value_or(QString());
    static const QRegularExpression box(
        QStringLiteral(R"x(<word xMin="[\d.]+" yMin="[\d.]+" xMax="([\d.]+)")x"));
    int found = 0;
    for (auto it = box.globalMatch(words); it.hasNext(); ++found)
        EXPECT_LT(it.next().captured(1).toDouble(), 200 * kPointsPerMm);
    EXPECT_GT(found, 10);
    QFile::remove(pdf);
}

} // namespace
