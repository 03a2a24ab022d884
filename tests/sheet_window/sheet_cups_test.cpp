#include "platform/pdf_print_service.h"
#include "printing/pdf_tools.h"
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
    queue.dialogSettings = [&](QPrinter &printer) { resolution = printer.resolution(); };
    Platform platform{dialogs, queue, app, [] { return std::make_unique<ManualTimer>(); },
                      messages};

    std::vector<sheet::FramePicture> frames;
    for (QColor colour : {Qt::red, Qt::blue}) {
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(colour);
        frames.push_back({picture, QSize()});
    }
    SheetWindow w(platform, frames, QSize(320, 240));
    w.Check1->click();
    w.Text2->setValue(120);
    w.Command1[1]->click();
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

    // Page 2 rendered at the sheet's resolution (Qt prints to a CUPS queue at 1200 dpi), a
    // band across the lattice: the bars are one period apart, the first one slit from the
    // picture's left edge, as page 1's stripes.
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
    const std::vector<pdf_tools::Run> bars = darkRuns(band, 1);
    ASSERT_GT(bars.size(), 10u) << g.dpi << " dpi";
    EXPECT_NEAR(pitch(bars), g.periodDots, 0.05);
    EXPECT_NEAR(bars.front().start, g.originDots.x() + g.slitDots, 1.0);
    EXPECT_NEAR(bars.front().length, g.slitDots, 1.0);
    QFile::remove(pdf);
}

} // namespace
