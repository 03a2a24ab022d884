#include "platform/pdf_print_service.h"
#include "printing/module1.h"
#include "printing/pdf_tools.h"
#include "support/program_fixture.h"

#include <QDeadlineTimer>
#include <QPrinterInfo>
#include <QTest>

// Printing through the real CUPS queue "PDF" (cups-pdf), as the user's printer would.
// scripts/start-print-queue.sh sets the queue up; without it the test is skipped.
namespace
{

using namespace pdf_tools;

// The folder scripts/start-print-queue.sh has cups-pdf write into.
const QString kOutFolder = QStringLiteral("/var/spool/cups-pdf/lintaro");

class CupsQueuePrinting : public ProgramFixture
{
  protected:
    void SetUp() override
    {
        if (!missingTool().isEmpty())
            GTEST_SKIP() << missingTool().toStdString() << " is not installed (poppler-utils)";
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).value_or(QString()).trimmed() !=
            QStringLiteral("scheduler is running"))
            GTEST_SKIP() << "cupsd is not running: start it with scripts/start-print-queue.sh "
                            "(as root)";
        if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
            GTEST_SKIP() << "CUPS has no queue named \"PDF\": run scripts/start-print-queue.sh";
        QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
        if (!conf.open(QIODevice::ReadOnly) ||
            !conf.readAll().contains("\nOut " + kOutFolder.toUtf8()))
            GTEST_SKIP() << "cups-pdf does not write into " << kOutFolder.toStdString()
                         << ": run scripts/start-print-queue.sh";
    }
    void TearDown() override
    {
        for (const QString &f : produced)
            QFile::remove(f);
    }

    // Prints through the queue under a title of its own, then waits (at most 20 s) for
    // cups-pdf to write the page.
    QString printThroughQueue(const QString &what,
                              void (*procedure)(ProgramState &, PrintService &, MessageService &))
    {
        const QString title = QStringLiteral("lintaro-%1-%2-%3")
                                  .arg(what)
                                  .arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch());
        PdfPrintService service(temp.filePath(QStringLiteral("unused.pdf")));
        service.setPrinterName(QStringLiteral("PDF"));
        service.setDocName(title);
        procedure(state, service, messages);
        EXPECT_EQ(service.documentsEnded(), 1);

        for (const QDeadlineTimer deadline(20000); !deadline.hasExpired(); QTest::qWait(100)) {
            const QStringList found = QDir(kOutFolder).entryList({title + QStringLiteral("*.pdf")});
            if (found.isEmpty())
                continue;
            const QString pdf = QDir(kOutFolder).filePath(found.first());
            produced << pdf;
            // cups-pdf renames the file into place once Ghostscript is done.
            if (info(pdf).pages == 1) {
                // A4 either way round: CUPS turns a landscape job into a rotated upright page.
                const QSizeF page = info(pdf).points;
                EXPECT_NEAR(std::min(page.width(), page.height()), 210 * kPointsPerMm, 1.0);
                EXPECT_NEAR(std::max(page.width(), page.height()), 297 * kPointsPerMm, 1.0);
                return pdf;
            }
        }
        ADD_FAILURE() << "no page from the queue within 20 s for " << title.toStdString();
        return QString();
    }

    QStringList produced;
};

TEST_F(CupsQueuePrinting, PictureAndLatticeComeOutAtTheirPrintedSizes)
{
    const double mmPerPixel = 25.4 / 96;
    state.print = {0, 0, 0};
    const QString picture = printThroughQueue(QStringLiteral("picture"), module1::PrintPicture);
    ASSERT_FALSE(picture.isEmpty());
    const auto pictureImages = pictures(picture);
    ASSERT_EQ(pictureImages.size(), 1u);
    EXPECT_NEAR(pictureImages[0].widthMm, 84.67, 0.3);
    EXPECT_NEAR(pictureImages[0].heightMm, 63.50, 0.3);

    const QString lattice =
        printThroughQueue(QStringLiteral("lattice"), module1::PrintLatticeSheet);
    ASSERT_FALSE(lattice.isEmpty());
    const auto latticeImages = pictures(lattice);
    ASSERT_EQ(latticeImages.size(), 1u);
    EXPECT_NEAR(latticeImages[0].widthMm, 272.52, 0.5);

    // The bars on paper: 2 pixels wide, one every 4 pixels. The page may come out turned, so
    // measure across the bars whichever way they run.
    const QImage page = render(lattice, 288, temp.path());
    ASSERT_FALSE(page.isNull());
    const auto across = darkRuns(page, page.height() / 2);
    const auto down = darkRuns(page, page.width() / 2, true);
    const auto &bars = across.size() > down.size() ? across : down;
    ASSERT_GE(bars.size(), 200u);
    EXPECT_NEAR(pitch(bars) / 288 * 25.4, 4 * mmPerPixel, 0.005);
    EXPECT_NEAR(bars[1].length / 288.0 * 25.4, 2 * mmPerPixel, 0.1);
}

} // namespace
