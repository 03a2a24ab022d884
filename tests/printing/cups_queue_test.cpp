#include "platform/pdf_print_service.h"
#include "printing/module1.h"
#include "printing/pdf_tools.h"
#include "printing/printed_page.h"
#include "support/program_fixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTest>

// Printing through the real CUPS queue "PDF" (cups-pdf), as the user's printer would.
// scripts/start-print-queue.sh sets the queue up; without it the test is skipped.
namespace {

const QString kQueue = QStringLiteral("PDF");

// The folder cups-pdf writes into: the last "Out" line of its configuration.
QString cupsPdfOutFolder()
{
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (!conf.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QString out;
    static const QRegularExpression line(QStringLiteral(R"(^Out\s+(\S.*)$)"));
    for (const QString &l : QString::fromUtf8(conf.readAll()).split(QLatin1Char('\n'))) {
        const auto match = line.match(l.trimmed());
        if (match.hasMatch())
            out = match.captured(1).trimmed();
    }
    return out;
}

bool schedulerRunning()
{
    const auto status = pdf_tools::run(QStringLiteral("lpstat"), {QStringLiteral("-r")});
    return status && status->trimmed() == QStringLiteral("scheduler is running");
}

class CupsQueuePrinting : public ProgramFixture {
protected:
    void SetUp() override
    {
        const QString missing = pdf_tools::missingTool();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString() << " is not installed (poppler-utils)";
        if (!schedulerRunning())
            GTEST_SKIP() << "cupsd is not running: start it with scripts/start-print-queue.sh "
                            "(as root)";
        if (!QPrinterInfo::availablePrinterNames().contains(kQueue))
            GTEST_SKIP() << "CUPS has no queue named \"PDF\": run scripts/start-print-queue.sh";
        outFolder = cupsPdfOutFolder();
        if (outFolder.isEmpty() || outFolder.contains(QLatin1Char('$')) ||
            !QDir(outFolder).exists())
            GTEST_SKIP() << "cups-pdf writes into a per-user or missing folder ("
                         << outFolder.toStdString() << "), which the test cannot watch";
    }

    void TearDown() override
    {
        for (const QString &f : produced)
            QFile::remove(f);
    }

    // Prints through the queue under a title of its own, then waits (at most 20 s) for
    // cups-pdf to write the page.
    QString printThroughQueue(const QString &what,
                              void (*procedure)(ProgramState &, PrintService &))
    {
        const QString title = QStringLiteral("lintaro-%1-%2-%3")
                                  .arg(what)
                                  .arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        PdfPrintService service(temp.filePath(QStringLiteral("unused.pdf")));
        service.setPrinterName(kQueue);
        service.setDocName(title);
        procedure(state, service);
        EXPECT_EQ(service.documentsEnded(), 1);

        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            const QStringList found =
                QDir(outFolder).entryList({title + QStringLiteral("*.pdf")}, QDir::Files);
            if (!found.isEmpty()) {
                const QString pdf = QDir(outFolder).filePath(found.first());
                produced << pdf;
                // cups-pdf renames the file into place once Ghostscript is done.
                if (pdf_tools::pageCount(pdf) == 1)
                    return pdf;
            }
            QTest::qWait(100);
        }
        ADD_FAILURE() << "no page from the queue within 20 s for " << title.toStdString();
        return QString();
    }

    QString outFolder;
    QStringList produced;
};

// A4 either way round: CUPS turns a landscape job into a rotated upright page.
void expectA4(const QString &pdf)
{
    const auto size = pdf_tools::pageSizePoints(pdf);
    ASSERT_TRUE(size);
    const double shorter = std::min(size->width(), size->height());
    const double longer = std::max(size->width(), size->height());
    EXPECT_NEAR(shorter, 210 * kPointsPerMm, 1.0);
    EXPECT_NEAR(longer, 297 * kPointsPerMm, 1.0);
}

TEST_F(CupsQueuePrinting, PictureAndLatticeComeOutAtTheirPrintedSizes)
{
    const double mmPerPixel = 25.4 / 96;
    state.print.printPaper = 0;
    state.print.printOrientation = 0;
    state.print.printSize = 0;

    const QString picture = printThroughQueue(QStringLiteral("picture"), module1::PrintPicture);
    ASSERT_FALSE(picture.isEmpty());
    expectA4(picture);
    const auto pictureImages = pdf_tools::images(picture);
    ASSERT_EQ(pictureImages.size(), 1u);
    EXPECT_EQ(pictureImages[0].width, 320);
    EXPECT_EQ(pictureImages[0].height, 240);
    EXPECT_NEAR(pictureImages[0].widthMm(), 320 * mmPerPixel, 0.3);  // 84.67 mm
    EXPECT_NEAR(pictureImages[0].heightMm(), 240 * mmPerPixel, 0.3); // 63.50 mm

    const QString lattice =
        printThroughQueue(QStringLiteral("lattice"), module1::PrintLatticeSheet);
    ASSERT_FALSE(lattice.isEmpty());
    expectA4(lattice);
    const auto latticeImages = pdf_tools::images(lattice);
    ASSERT_EQ(latticeImages.size(), 1u);
    EXPECT_EQ(latticeImages[0].width, 1030);
    EXPECT_EQ(latticeImages[0].height, 240);
    EXPECT_NEAR(latticeImages[0].widthMm(), 272.52, 0.5);

    // The bars on paper: 2 pixels wide, one every 4 pixels (1.058 mm). The page may come
    // out turned, so measure across the bars whichever way they run.
    const QImage page = pdf_tools::render(lattice, 288, temp.path());
    ASSERT_FALSE(page.isNull());
    const auto across = printed_page::darkRuns(page, page.height() / 2);
    const auto down = printed_page::darkRuns(page, page.width() / 2, true);
    const auto &bars = across.size() > down.size() ? across : down;
    ASSERT_GE(bars.size(), 200u);
    EXPECT_NEAR(printed_page::pitch(bars) / 288 * 25.4, 4 * mmPerPixel, 0.005);
    EXPECT_NEAR(bars[1].length / 288.0 * 25.4, 2 * mmPerPixel, 0.1);
}

} // namespace
