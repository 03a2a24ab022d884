#include "platform/pdf_print_service.h"
#include "printing/module1.h"
#include "printing/pdf_tools.h"
#include "state/module3.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"
#include "support/real_files.h"

#include <QPrinter>

// Printing for real through QPrinter into PDF files, read back with poppler-utils.
namespace
{

using namespace pdf_tools;
constexpr double kMmPerPixel = 25.4 / 96; // a display pixel is 1/96 inch on paper

class PdfPrinting : public ProgramFixture
{
  protected:
    void SetUp() override
    {
        if (!missingTool().isEmpty())
            GTEST_SKIP() << missingTool().toStdString()
                         << " is not installed (poppler-utils): printed pages cannot be read";
    }

    // Prints into a PDF file with the printer as the print dialog leaves it (its own
    // default, or the given paper upright or turned).
    QString print(void (*procedure)(ProgramState &, PrintService &, MessageService &),
                  const QString &name, std::optional<QPageSize::PageSizeId> paper = {},
                  bool turned = false)
    {
        const QString pdf = temp.filePath(name);
        PdfPrintService service(pdf);
        service.dialogSettings = [&](QPrinter &p) {
            if (paper) {
                p.setPageSize(QPageSize(*paper));
                p.setPageOrientation(turned ? QPageLayout::Landscape : QPageLayout::Portrait);
            }
            marginsMm = p.pageLayout().margins(QPageLayout::Millimeter);
        };
        procedure(state, service, messages);
        EXPECT_EQ(service.documentsEnded(), 1);
        return pdf;
    }

    QMarginsF marginsMm;
};

void expectPageMm(const QString &pdf, double widthMm, double heightMm)
{
    const Info page = info(pdf);
    EXPECT_EQ(page.pages, 1);
    // The PDF engine writes whole points.
    EXPECT_NEAR(page.points.width(), widthMm * kPointsPerMm, 1.0);
    EXPECT_NEAR(page.points.height(), heightMm * kPointsPerMm, 1.0);
}

// The paper in both orientations (B5 is the Japanese 182 x 257 mm, not the ISO 176 x 250 mm)
// and either composed picture at its natural size, stored lossless: single-pixel detail in
// odd colours comes back unchanged.
TEST_F(PdfPrinting, PaperSizesAndPictureSizes)
{
    struct Case {
        int paper, orientation, size;
        double pageW, pageH;
        Surface &picture;
        double widthMm, heightMm;
    };
    Surface &normal = surfaces().Picture3, &large = surfaces().Picture11;
    normal.setPicture(pixels::randomPicture(normal.width(), normal.height(), 7));
    large.setPicture(pixels::randomPicture(large.width(), large.height(), 8));
    for (const Case &c : {Case{0, 0, 0, 297, 210, normal, 84.67, 63.50},
                          Case{0, 1, 1, 210, 297, large, 169.33, 122.77},
                          Case{1, 0, 1, 257, 182, large, 169.33, 122.77},
                          Case{1, 1, 0, 182, 257, normal, 84.67, 63.50}}) {
        SCOPED_TRACE(testing::Message() << c.paper << " " << c.orientation << " " << c.size);
        state.print = {double(c.paper), double(c.orientation), double(c.size)};
        const QString pdf = print(module1::PrintPicture, QStringLiteral("picture.pdf"));
        expectPageMm(pdf, c.pageW, c.pageH);
        const auto stored = pictures(pdf);
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].encoding, QStringLiteral("image")) << "stored lossy";
        EXPECT_NEAR(stored[0].widthMm, c.widthMm, 0.01);
        EXPECT_NEAR(stored[0].heightMm, c.heightMm, 0.01);
        EXPECT_TRUE(pixels::sameImage(firstPicture(pdf, temp.path()), c.picture.image()));
    }
}

// The lattice keeps its width and is stretched to the sheet height H the print dialog left,
// at the top-left of the printable area. The dialog leaves a sheet small enough that H stays
// on the page: A6 upright (148 mm) for the landscape lattice, A4 turned (210 mm) for the
// portrait one.
TEST_F(PdfPrinting, LatticeSheetsKeepTheirWidthAndTakeTheSheetHeight)
{
    struct Case {
        int orientation;
        QPageSize::PageSizeId dialogPaper;
        bool dialogTurned;
        double pageW, pageH, widthMm, heightMm;
    };
    for (const Case &c : {Case{0, QPageSize::A6, false, 297, 210, 272.52, 148.0},
                          Case{1, QPageSize::A4, true, 210, 297, 177.80, 210.0}}) {
        SCOPED_TRACE(c.orientation);
        state.print.printOrientation = c.orientation;
        Surface &sheet = c.orientation == 0 ? surfaces().Picture4 : surfaces().Picture40;
        sheet.fillBox(0, 0, sheet.width(), sheet.height(), kBlack);
        const QString pdf = print(module1::PrintLatticeSheet, QStringLiteral("lattice.pdf"),
                                  c.dialogPaper, c.dialogTurned);
        expectPageMm(pdf, c.pageW, c.pageH);

        // A row across the page and a column down its left side, at 384 dots per inch.
        const double dotsPerMm = 384 / 25.4;
        const auto across =
            darkRuns(render(pdf, 384, temp.path(), QRect(0, 100, c.pageW * dotsPerMm, 1)), 0);
        const auto down =
            darkRuns(render(pdf, 384, temp.path(), QRect(100, 0, 1, c.pageH * dotsPerMm)), 0, true);
        ASSERT_EQ(across.size(), 1u);
        ASSERT_EQ(down.size(), 1u);
        // pdftoppm widens a scaled picture by up to 3 dots at its far edges: 0.2 mm.
        EXPECT_NEAR(across[0].length / dotsPerMm, c.widthMm, 0.2);
        EXPECT_NEAR(down[0].length / dotsPerMm, c.heightMm, 0.2);
        EXPECT_NEAR(across[0].start / dotsPerMm, marginsMm.left(), 0.1);
        EXPECT_NEAR(down[0].start / dotsPerMm, marginsMm.top(), 0.1);
    }
}

// Picture 1 black and picture 2 white: the printed stripes and the printed bars of the
// landscape sheet have the same pitch, two line widths, at every width.
TEST_F(PdfPrinting, PrintedBarsMatchThePrintedStripesAtEveryWidth)
{
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(w);
        setLineWidth(w);
        surfaces().Picture8[0].fillBox(0, 0, 320, 240, kBlack);
        surfaces().Picture9[0].fillBox(0, 0, 640, 480, kBlack);
        window().ComposePictures();
        state.print = {0, 0, 0};
        const QString picture = print(module1::PrintPicture, QStringLiteral("stripes.pdf"));
        const QString lattice = print(module1::PrintLatticeSheet, QStringLiteral("bars.pdf"));

        // 288 dots per inch: 3 dots per display pixel; one row through the top of both.
        const QRect row(0, int(marginsMm.top() * 288 / 25.4) + 30, 3400, 1);
        const auto stripes = darkRuns(render(picture, 288, temp.path(), row), 0);
        const auto bars = darkRuns(render(lattice, 288, temp.path(), row), 0);
        ASSERT_GE(stripes.size(), 30u);
        ASSERT_GE(bars.size(), 100u);
        EXPECT_NEAR(pitch(bars), pitch(stripes), 0.01);
        EXPECT_NEAR(pitch(stripes) / 288 * 25.4, 2 * w * kMmPerPixel, 0.001);
        EXPECT_NEAR(stripes[1].length, 3 * w, 1);
        EXPECT_NEAR(bars[1].length, 3 * w, 1);
    }
}

// An abandoned document, an output that cannot be opened and a document with nothing drawn
// leave no file; a failed print ends silently and the next one works.
TEST_F(PdfPrinting, NoPageFromAnAbandonedFailedOrEmptyDocument)
{
    const QString abandoned = temp.filePath(QStringLiteral("abandoned.pdf"));
    PdfPrintService service(abandoned);
    service.showPrinter();
    service.setPaperSize(9);
    service.paintPicture(surfaces().Picture3.image(), 0, 0);
    service.abortDoc();
    // The job is gone: ending it now is an error, not a late page.
    EXPECT_THROW(service.endDoc(), CommandError);
    EXPECT_EQ(service.documentsEnded(), 0);

    const QString unwritable = temp.filePath(QStringLiteral("missing-folder/picture.pdf"));
    PdfPrintService broken(unwritable);
    EXPECT_NO_THROW(module1::PrintPicture(state, broken, messages));
    EXPECT_EQ(broken.documentsEnded(), 0);
    EXPECT_THROW(broken.endDoc(), CommandError);

    const QString empty = temp.filePath(QStringLiteral("empty.pdf"));
    PdfPrintService nothing(empty);
    state.print.printOrientation = 9;
    module1::PrintLatticeSheet(state, nothing, messages);
    for (const QString &pdf : {abandoned, unwritable, empty})
        EXPECT_FALSE(QFile::exists(pdf)) << pdf.toStdString();

    state.print.printOrientation = 0;
    EXPECT_EQ(info(print(module1::PrintPicture, QStringLiteral("after.pdf"))).pages, 1);
}

// A PDF that does not fit on the disk is no printed page: the user is told, with the file and
// the system's reason, and no truncated PDF is left behind. A cancel stays silent.
TEST_F(PdfPrinting, APdfThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    const QString full = temp.filePath("full");
    const real_files::FullDisk disk(full);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here (needs root)";
    surfaces().Picture3.setPicture(pixels::randomPicture(320, 240, 9)); // about 230 kB
    const QString pdf = full + "/picture.pdf";
    PdfPrintService service(pdf);
    module1::PrintPicture(state, service, messages);
    EXPECT_EQ(service.documentsEnded(), 0);
    EXPECT_TRUE(QDir(full).isEmpty());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("印刷できませんでした\n%1\nNo space left on device").arg(pdf));

    messages.shown.clear();
    EXPECT_EQ(info(print(module1::PrintPicture, QStringLiteral("fits.pdf"))).pages, 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
