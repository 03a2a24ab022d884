#include "frames/frames_rule.h"
#include "platform/pdf_print_service.h"
#include "printing/pdf_tools.h"
#include "sheet/sheet_geometry.h"
#include "sheet_window/sheet_window.h"
#include "support/layout_checks.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"
#include "support/real_files.h"
#include "ui/controls.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

// The print-sheet window driven through its controls, with scripted dialogs, a PDF printer
// and recorded messages.
namespace
{

class SheetWindowTest : public ProgramFixture
{
  protected:
    SheetWindow &openFromMenu()
    {
        window().mnusheet->trigger();
        EXPECT_TRUE(window().sheetWindow());
        return *window().sheetWindow();
    }
};

TEST_F(SheetWindowTest, OpensFromThePrintMenuAndShowsTheRealSlitAndPeriod)
{
    SheetWindow &w = openFromMenu();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("印刷用シート"));
    EXPECT_TRUE(w.isVisible());
    // Defaults: A4 upright, 1.0 mm at 600 dpi, the largest picture that fits.
    const sheet::SheetChoices c = w.choices();
    EXPECT_EQ(c.paper, sheet::Paper::A4);
    EXPECT_FALSE(c.landscape);
    EXPECT_EQ(c.slitMm, 1.0);
    EXPECT_EQ(c.dpi, 600);
    EXPECT_FALSE(c.widthMm.has_value());
    EXPECT_EQ(w.realSlitLabel->text(), QStringLiteral("→ 実際 1.02 mm（24 ドット）"));
    EXPECT_EQ(w.realPeriodLabel->text(), QStringLiteral("周期 2.03 mm（指定 2.00 mm、2 コマ）"));
    EXPECT_EQ(w.widthMm->value(), 167.9);
    EXPECT_TRUE(w.refusalLabel->text().isEmpty());

    // 0.3 mm at 300 dpi: 4 dots.
    w.slitMm->setValue(0.3);
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(300));
    EXPECT_EQ(w.realSlitLabel->text(), QStringLiteral("→ 実際 0.34 mm（4 ドット）"));
    // A width typed in that does not fit: said at once, and again on saving, with no dialog.
    w.largestWidthCheck->click();
    EXPECT_TRUE(w.widthMm->isEnabled());
    w.widthMm->setValue(190);
    EXPECT_TRUE(w.refusalLabel->text().startsWith(QStringLiteral("絵が紙に入りません。")));
    w.saveSheetButton->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("絵が紙に入りません。")));
    EXPECT_TRUE(dialogs.shown().empty());
    // Landscape makes room for it.
    w.landscapeChoice->click();
    EXPECT_TRUE(w.refusalLabel->text().isEmpty());
}

TEST_F(SheetWindowTest, OffersLargerPapersOnesOwnSizeAndEveryPrinterGrid)
{
    SheetWindow &w = openFromMenu();
    QList<int> grids;
    for (int i = 0; i < w.dpiChoice->count(); ++i)
        grids << w.dpiChoice->itemData(i).toInt();
    EXPECT_EQ(grids, (QList<int>{300, 360, 600, 720, 1200}));

    // A0: a far wider picture fits.
    EXPECT_FALSE(w.customWidthMm->isEnabled());
    w.paperChoice[6]->click();
    EXPECT_EQ(w.choices().paper, sheet::Paper::A0);
    EXPECT_GT(w.widthMm->value(), 700);
    EXPECT_TRUE(w.refusalLabel->text().isEmpty());

    // A size of one's own: the boxes open, and too narrow a paper is refused at once and
    // again on saving the calibration page, before any dialog.
    w.paperChoice[8]->click();
    EXPECT_TRUE(w.customWidthMm->isEnabled());
    EXPECT_TRUE(w.customHeightMm->isEnabled());
    w.customWidthMm->setValue(300);
    w.customHeightMm->setValue(200.5);
    EXPECT_EQ(w.choices().paper, sheet::Paper::Custom);
    EXPECT_EQ(w.choices().customMm, QSizeF(300, 200.5));
    EXPECT_TRUE(w.refusalLabel->text().isEmpty());
    if (pdf_tools::missingTool().isEmpty()) {
        const QString pdf = temp.filePath(QStringLiteral("own.pdf"));
        dialogs.answer(pdf);
        w.saveSheetButton->click();
        const pdf_tools::Info info = pdf_tools::info(pdf);
        EXPECT_EQ(info.pages, 2);
        EXPECT_NEAR(info.points.width(), 300 * pdf_tools::kPointsPerMm, 0.01);
        EXPECT_NEAR(info.points.height(), 200.5 * pdf_tools::kPointsPerMm, 0.01);
    }
    w.customWidthMm->setValue(110);
    EXPECT_TRUE(w.refusalLabel->text().contains(QStringLiteral("120 mm")))
        << w.refusalLabel->text().toStdString();
    const size_t asked = dialogs.shown().size();
    w.saveCalibrationButton->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("120 mm")));
    EXPECT_EQ(dialogs.shown().size(), asked);

    w.paperChoice[0]->click();
    EXPECT_FALSE(w.customWidthMm->isEnabled());
    EXPECT_EQ(w.choices().paper, sheet::Paper::A4);
}

TEST_F(SheetWindowTest, ControlsFitWithoutOverlapsAtTheProgramsFontAndTwiceIt)
{
    SheetWindow &w = openFromMenu();
    QStringList faults = layoutFaults(&w);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    const QSize normal = w.size();
    w.setFont(gothicFont(18));
    faults = layoutFaults(&w);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    EXPECT_GT(w.width(), normal.width());
    EXPECT_GT(w.height(), normal.height());
}

TEST_F(SheetWindowTest, SavesTheSheetTheLatticeAndTheCalibrationPageOrSaysWhyNot)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    SheetWindow &w = openFromMenu();
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(300));
    const QString pdf = temp.filePath(QStringLiteral("sheet"));
    dialogs.answer(pdf); // the suffix is added
    w.saveSheetButton->click();
    const pdf_tools::Info info = pdf_tools::info(pdf + QStringLiteral(".pdf"));
    EXPECT_EQ(info.pages, 2);
    const auto pictures = pdf_tools::pictures(pdf + QStringLiteral(".pdf"));
    ASSERT_EQ(pictures.size(), 1u);
    const sheet::SheetGeometry g =
        sheet::layOutSheet(w.choices(), 2, surfaces().Picture3.image().size());
    EXPECT_EQ(QSize(pictures[0].width, pictures[0].height), g.canvasDots);

    dialogs.answer(temp.filePath(QStringLiteral("lattice.svg")));
    w.saveLatticeButton->click();
    EXPECT_TRUE(QFile::exists(temp.filePath(QStringLiteral("lattice.svg"))));
    dialogs.answer(temp.filePath(QStringLiteral("calibration.pdf")));
    w.saveCalibrationButton->click();
    EXPECT_EQ(pdf_tools::info(temp.filePath(QStringLiteral("calibration.pdf"))).pages, 1);
    EXPECT_TRUE(messages.shown.isEmpty());

    // A folder that is not there: the file and the system's reason; a cancel: nothing.
    const QString nowhere = temp.filePath(QStringLiteral("no/such/sheet.pdf"));
    dialogs.answer(nowhere);
    w.saveSheetButton->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("sheet.pdf")));
    dialogs.answer(std::nullopt);
    w.saveLatticeButton->click();
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(SheetWindowTest, TakesPicture1AsLoadedNotItsReducedCanvas)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    // Finer than the 640 x 480 canvas of the main window: one-pixel checks.
    QImage picture(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, (x + y) % 2 ? 0xFF2040C0u : 0xFFF0E010u);
    dialogs.answer(writePicture(picture, QStringLiteral("fine.png"), "PNG"));
    window().Command1_Click(0);
    SheetWindow &w = openFromMenu();
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(300));
    w.largestWidthCheck->click();
    w.widthMm->setValue(60);
    const QString pdf = temp.filePath(QStringLiteral("sheet.pdf"));
    dialogs.answer(pdf);
    w.saveSheetButton->click();

    const sheet::SheetGeometry g =
        sheet::layOutSheet(w.choices(), 2, surfaces().Picture3.image().size());
    const QImage fitted = frames::FitFrame(picture, QSize(), g.canvasDots);
    const QImage stored = pdf_tools::firstPicture(pdf, temp.path());
    ASSERT_EQ(stored.size(), g.canvasDots);
    for (int x = 0; x < g.canvasDots.width(); x += 7) {
        if (frames::FrameOfColumn(x, g.slitDots, 2) != 0)
            continue;
        for (int y = 0; y < g.canvasDots.height(); y += 5)
            ASSERT_EQ(stored.pixel(x, y) & 0xFFFFFF, fitted.pixel(x, y) & 0xFFFFFF)
                << "(" << x << ", " << y << ")";
    }
}

TEST_F(SheetWindowTest, PrintsAtThePrintersResolutionOnThePaperChosen)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    const QString out = temp.filePath(QStringLiteral("printed.pdf"));
    PdfPrintService pdfPrinter(out);
    int resolution = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // The printer offers 300 dpi; the user turns the page upright in the dialog.
    pdfPrinter.dialogSettings = [&](QPrinter &printer) {
        printer.setResolution(300);
        orientation = printer.pageLayout().orientation();
        printer.setPageOrientation(QPageLayout::Portrait);
        resolution = printer.resolution();
    };
    Platform withPdf{dialogs, pdfPrinter, app, [] { return std::make_unique<ManualTimer>(); },
                     messages};
    std::vector<sheet::FramePicture> frames;
    for (QColor colour : {Qt::red, Qt::green, Qt::blue}) {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(colour);
        frames.push_back({picture, QSize()});
    }
    SheetWindow w(withPdf, frames, QSize(300, 200));
    w.paperChoice[1]->click(); // JIS B5
    w.landscapeChoice->click();
    w.printSheetButton->click();
    EXPECT_EQ(orientation, QPageLayout::Landscape) << "the dialog opens on the choice";
    EXPECT_EQ(resolution, 300);
    EXPECT_TRUE(messages.shown.isEmpty());
    // B5 landscape as chosen, whatever the dialog left, and the picture at 300 dpi.
    const pdf_tools::Info info = pdf_tools::info(out);
    EXPECT_EQ(info.pages, 2);
    EXPECT_NEAR(info.points.width(), 257 * pdf_tools::kPointsPerMm, 0.6);
    EXPECT_NEAR(info.points.height(), 182 * pdf_tools::kPointsPerMm, 0.6);
    sheet::SheetChoices expected = w.choices();
    expected.dpi = 300;
    const auto pictures = pdf_tools::pictures(out);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(QSize(pictures[0].width, pictures[0].height),
              sheet::layOutSheet(expected, 3, QSize(300, 200)).canvasDots);
    EXPECT_NEAR(pictures[0].widthMm, sheet::layOutSheet(expected, 3, QSize(300, 200)).widthMm(),
                0.01);
}

// 「PDF ファイルに出力」 onto a full disk: the print failed, the user hears so, and no empty
// or cut-off file is left.
TEST_F(SheetWindowTest, APrintToAFullDiskSaysSoAndLeavesNoFile)
{
    const QString full = temp.filePath(QStringLiteral("full"));
    const real_files::FullDisk disk(full);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here (needs root)";
    PdfPrintService pdfPrinter(full + QStringLiteral("/sheet.pdf"));
    pdfPrinter.dialogSettings = [](QPrinter &printer) { printer.setResolution(300); };
    Platform withPdf{dialogs, pdfPrinter, app, [] { return std::make_unique<ManualTimer>(); },
                     messages};
    std::vector<sheet::FramePicture> frames;
    for (int seed : {1, 2}) {
        QImage picture = pixels::randomPicture(600, 400, seed);
        frames.push_back({picture, QSize()});
    }
    SheetWindow w(withPdf, frames, QSize(600, 400));
    w.printSheetButton->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("印刷できませんでした")));
    EXPECT_TRUE(
        QDir(full).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

} // namespace
