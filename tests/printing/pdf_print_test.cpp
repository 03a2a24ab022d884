#include "platform/pdf_print_service.h"
#include "printing/module1.h"
#include "printing/pdf_tools.h"
#include "printing/printed_page.h"
#include "state/module3.h"
#include "support/program_fixture.h"

#include <QPrinter>

// Printing for real through QPrinter into PDF files, read back with poppler-utils.
namespace {

constexpr double kMmPerPixel = 25.4 / 96; // a display pixel is 1/96 inch on paper
constexpr double kPointsPerTwip = 1.0 / 20;

class PdfPrinting : public ProgramFixture {
protected:
    void SetUp() override
    {
        const QString missing = pdf_tools::missingTool();
        if (!missing.isEmpty())
            GTEST_SKIP() << missing.toStdString()
                         << " is not installed (poppler-utils): printed pages cannot be read";
    }

    QString file(const QString &name) { return temp.filePath(name); }

    // The printer the user confirms in the print dialog, as that dialog leaves it.
    std::unique_ptr<PdfPrintService> printerTo(const QString &pdf,
                                               std::optional<QPageSize::PageSizeId> paper = {},
                                               std::optional<QPageLayout::Orientation> turn = {})
    {
        auto service = std::make_unique<PdfPrintService>(pdf);
        service->dialogSettings = [this, paper, turn](QPrinter &p) {
            if (paper)
                p.setPageSize(QPageSize(*paper));
            if (turn)
                p.setPageOrientation(*turn);
            margins = p.pageLayout().margins(QPageLayout::Point);
        };
        return service;
    }

    QString printPicture(const QString &name)
    {
        const QString pdf = file(name);
        auto service = printerTo(pdf);
        module1::PrintPicture(state, *service);
        EXPECT_EQ(service->documentsEnded(), 1);
        return pdf;
    }

    QString printLattice(const QString &name, std::optional<QPageSize::PageSizeId> paper = {},
                         std::optional<QPageLayout::Orientation> turn = {})
    {
        const QString pdf = file(name);
        auto service = printerTo(pdf, paper, turn);
        module1::PrintLatticeSheet(state, *service);
        EXPECT_EQ(service->documentsEnded(), 1);
        return pdf;
    }

    void setWidth(int w)
    {
        vars().lineWidth = w;
        vars().latticeGap = w;
        vars().latticeBar = w;
        Module3::DrawLatticeSheet(state);
    }

    // Picture 1 black, picture 2 white: the composed pictures are black in picture 1's
    // stripes and white in picture 2's.
    void composeBlackStripes()
    {
        surfaces().Picture8[0].fillBox(0, 0, 320, 240, kBlack);
        surfaces().Picture9[0].fillBox(0, 0, 640, 480, kBlack);
        window().ComposePictures();
    }

    QMarginsF margins;
};

void expectPageMm(const QString &pdf, double widthMm, double heightMm)
{
    const auto size = pdf_tools::pageSizePoints(pdf);
    ASSERT_TRUE(size) << "pdfinfo could not read " << pdf.toStdString();
    // The PDF engine writes whole points.
    EXPECT_NEAR(size->width(), widthMm * kPointsPerMm, 1.0);
    EXPECT_NEAR(size->height(), heightMm * kPointsPerMm, 1.0);
    EXPECT_EQ(pdf_tools::pageCount(pdf), 1);
}

TEST_F(PdfPrinting, PaperSizesAndOrientations)
{
    struct Case {
        int paper, orientation;
        double widthMm, heightMm;
    };
    // B5 is the Japanese 182 x 257 mm, not the ISO 176 x 250 mm.
    for (const Case &c :
         {Case{0, 0, 297, 210}, Case{0, 1, 210, 297}, Case{1, 0, 257, 182}, Case{1, 1, 182, 257}}) {
        SCOPED_TRACE(QStringLiteral("paper %1 orientation %2")
                         .arg(c.paper)
                         .arg(c.orientation)
                         .toStdString());
        state.print.printPaper = c.paper;
        state.print.printOrientation = c.orientation;
        const QString pdf =
            printPicture(QStringLiteral("page-%1-%2.pdf").arg(c.paper).arg(c.orientation));
        expectPageMm(pdf, c.widthMm, c.heightMm);
    }
}

TEST_F(PdfPrinting, PicturesComeOutAtTheirNaturalSizeAndLossless)
{
    struct Case {
        int size;
        int width, height;
        double widthMm, heightMm;
    };
    // A pattern with single-pixel detail and odd colours, which lossy compression would
    // change.
    for (Surface *s : {&surfaces().Picture3, &surfaces().Picture11}) {
        for (int x = 0; x < s->width(); ++x)
            s->fillBox(x, 0, x, s->height(), rgb(x % 7 * 37, x % 3 * 120, (x * 13) % 256));
        s->pset(1, 1, rgb(255, 0, 0));
    }
    for (const Case &c : {Case{0, 320, 240, 84.67, 63.50}, Case{1, 640, 464, 169.33, 122.77}}) {
        SCOPED_TRACE(c.size);
        state.print.printSize = c.size;
        const QString pdf = printPicture(QStringLiteral("picture-%1.pdf").arg(c.size));
        const auto images = pdf_tools::images(pdf);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].width, c.width);
        EXPECT_EQ(images[0].height, c.height);
        EXPECT_EQ(images[0].encoding, QStringLiteral("image")) << "stored lossy";
        EXPECT_NEAR(images[0].widthMm(), c.widthMm, 0.01);
        EXPECT_NEAR(images[0].heightMm(), c.heightMm, 0.01);

        const Surface &printed = c.size == 0 ? surfaces().Picture3 : surfaces().Picture11;
        const QImage stored =
            pdf_tools::firstImage(pdf, temp.path()).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(stored.size(), printed.image().size());
        for (int y = 0; y < stored.height(); ++y) {
            for (int x = 0; x < stored.width(); ++x) {
                if ((stored.pixel(x, y) & 0xFFFFFF) != (printed.image().pixel(x, y) & 0xFFFFFF))
                    FAIL() << "first changed pixel (" << x << ", " << y
                           << "): " << QColor(stored.pixel(x, y)).name().toStdString()
                           << " instead of "
                           << QColor(printed.image().pixel(x, y)).name().toStdString();
            }
        }
    }
}

TEST_F(PdfPrinting, PictureSitsAtTheTopLeftOfThePrintableArea)
{
    surfaces().Picture3.fillBox(0, 0, 320, 240, rgb(255, 0, 0));
    const QString pdf = printPicture(QStringLiteral("corner.pdf"));
    // 288 dots per inch: 4 dots per point, 3 per display pixel.
    const QImage page = pdf_tools::render(pdf, 288, temp.path(), QRect(0, 0, 1200, 1000));
    ASSERT_FALSE(page.isNull());
    const auto red = printed_page::boundsOf(page, qRgb(255, 0, 0));
    ASSERT_TRUE(red);
    EXPECT_NEAR(red->left(), margins.left() * 4, 1);
    EXPECT_NEAR(red->top(), margins.top() * 4, 1);
    EXPECT_NEAR(red->width(), 960, 1);
    EXPECT_NEAR(red->height(), 720, 1);
}

TEST_F(PdfPrinting, LatticeSheetsKeepTheirWidthAndTakeTheSheetHeight)
{
    struct Case {
        int orientation;
        QPageSize::PageSizeId dialogPaper;
        QPageLayout::Orientation dialogTurn;
        double pageW, pageH; // mm
        int pixels;
        double widthMm, heightMm;
    };
    // The print dialog leaves a sheet small enough that H stays on the page: an A6 sheet
    // upright (148 mm high) for the landscape lattice, A4 turned (210 mm) for the portrait.
    const Case cases[] = {
        {0, QPageSize::A6, QPageLayout::Portrait, 297, 210, 1030, 272.52, 148.0},
        {1, QPageSize::A4, QPageLayout::Landscape, 210, 297, 672, 177.80, 210.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pixels);
        state.print.printOrientation = c.orientation;
        Surface &sheet = c.orientation == 0 ? surfaces().Picture4 : surfaces().Picture40;
        sheet.fillBox(0, 0, sheet.width(), sheet.height(), rgb(0, 0, 255));
        const QString pdf = printLattice(QStringLiteral("lattice-%1.pdf").arg(c.orientation),
                                         c.dialogPaper, c.dialogTurn);
        expectPageMm(pdf, c.pageW, c.pageH);
        const auto images = pdf_tools::images(pdf);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].width, c.pixels);
        EXPECT_EQ(images[0].height, 240);
        EXPECT_EQ(images[0].encoding, QStringLiteral("image"));

        // Width on a strip across the page, height on a strip down its left side, at
        // 384 dots per inch (4 dots per display pixel).
        const double mmPerDot = 25.4 / 384;
        const int pageDotsW = int(c.pageW / 25.4 * 384), pageDotsH = int(c.pageH / 25.4 * 384);
        const QImage across = pdf_tools::render(pdf, 384, temp.path(), QRect(0, 100, pageDotsW, 8));
        const QImage down = pdf_tools::render(pdf, 384, temp.path(), QRect(0, 0, 300, pageDotsH));
        const auto wide = printed_page::boundsOf(across, qRgb(0, 0, 255));
        const auto tall = printed_page::boundsOf(down, qRgb(0, 0, 255));
        ASSERT_TRUE(wide);
        ASSERT_TRUE(tall);
        // pdftoppm widens a scaled picture by up to 3 dots at its far edges: 0.2 mm.
        EXPECT_NEAR(wide->width() * mmPerDot, c.widthMm, 0.2);
        EXPECT_NEAR(tall->height() * mmPerDot, c.heightMm, 0.2);
        EXPECT_NEAR(wide->left() * mmPerDot, margins.left() / kPointsPerMm, 0.1);
        EXPECT_NEAR(tall->top() * mmPerDot, margins.top() / kPointsPerMm, 0.1);
    }
}

TEST_F(PdfPrinting, LandscapeLatticeAfterAnUprightDialogRunsOffTheBottomEdge)
{
    // The dialog leaves A4 upright: H is the long side, 297 mm, longer than the turned
    // page is high, so the bars reach the bottom edge.
    state.print.printOrientation = 0;
    const QString pdf = printLattice(QStringLiteral("lattice-default.pdf"));
    expectPageMm(pdf, 297, 210);
    const QImage page = pdf_tools::render(pdf, 96, temp.path());
    ASSERT_FALSE(page.isNull());
    const auto top = printed_page::darkRuns(page, int(margins.top() * 96 / 72) + 2);
    const auto bottom = printed_page::darkRuns(page, page.height() - 1);
    EXPECT_EQ(top.size(), 257u); // bars of Picture4 at the default width 2
    EXPECT_EQ(bottom.size(), top.size());
}

TEST_F(PdfPrinting, PrintedBarsMatchThePrintedStripesAtEveryWidth)
{
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(w);
        setWidth(w);
        composeBlackStripes();
        state.print.printSize = 0;
        state.print.printOrientation = 0;
        state.print.printPaper = 0;
        const QString picture = printPicture(QStringLiteral("stripes-%1.pdf").arg(w));
        const QString lattice = printLattice(QStringLiteral("bars-%1.pdf").arg(w));

        // 288 dots per inch: 3 dots per display pixel; one row through the top of both.
        const QRect strip(0, int(margins.top() * 4) + 30, 3400, 1);
        const QImage stripes = pdf_tools::render(picture, 288, temp.path(), strip);
        const QImage bars = pdf_tools::render(lattice, 288, temp.path(), strip);
        ASSERT_FALSE(stripes.isNull());
        ASSERT_FALSE(bars.isNull());
        const auto stripeRuns = printed_page::darkRuns(stripes, 0);
        const auto barRuns = printed_page::darkRuns(bars, 0);
        ASSERT_GE(stripeRuns.size(), 30u);
        ASSERT_GE(barRuns.size(), 100u);

        const double stripePitch = printed_page::pitch(stripeRuns);
        const double barPitch = printed_page::pitch(barRuns);
        EXPECT_NEAR(barPitch, stripePitch, 0.01);
        EXPECT_NEAR(stripePitch / 288 * 25.4, 2 * w * kMmPerPixel, 0.001);
        EXPECT_NEAR(stripeRuns[1].length, 3 * w, 1);
        EXPECT_NEAR(barRuns[1].length, 3 * w, 1);
    }
}

TEST_F(PdfPrinting, AnAbandonedDocumentLeavesNoFileAndNoOpenJob)
{
    const QString pdf = file(QStringLiteral("abandoned.pdf"));
    PdfPrintService service(pdf);
    service.showPrinter();
    service.setPaperSize(9);
    service.paintPicture(surfaces().Picture3.image(), 0, 0);
    service.abortDoc();
    EXPECT_FALSE(QFile::exists(pdf));
    // The job is gone: ending it now is an error, not a late page.
    EXPECT_THROW(service.endDoc(), CommandError);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(service.documentsEnded(), 0);
}

TEST_F(PdfPrinting, APrinterThatCannotStartTheDocumentFailsSilentlyAndRecovers)
{
    // The output cannot be opened: the print ends silently with nothing written, and the
    // next print works normally.
    const QString unwritable = file(QStringLiteral("missing-folder/picture.pdf"));
    PdfPrintService broken(unwritable);
    EXPECT_NO_THROW(module1::PrintPicture(state, broken));
    EXPECT_EQ(broken.documentsEnded(), 0);
    EXPECT_FALSE(QFile::exists(unwritable));
    EXPECT_THROW(broken.endDoc(), CommandError);

    const QString pdf = printPicture(QStringLiteral("after.pdf"));
    EXPECT_EQ(pdf_tools::pageCount(pdf), 1);
}

TEST_F(PdfPrinting, NothingDrawnSendsNoPage)
{
    state.print.printOrientation = 9;
    const QString pdf = file(QStringLiteral("empty.pdf"));
    PdfPrintService service(pdf);
    module1::PrintLatticeSheet(state, service);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
