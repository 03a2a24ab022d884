#include "frames/frames_rule.h"
#include "sheet/pdf_content.h"
#include "sheet/pdf_update.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_marks.h"
#include "sheet/sheet_readers.h"
#include "sheet/sheet_render.h"
#include "sheet/sheet_svg.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <QTemporaryFile>

// The sheet read back as a printer and a cutter would take it: page 1 rendered without
// resampling, the paper's size and the request not to scale it as a PDF reader resolves
// them, and the crosses and the border where page 1, page 2 and the SVG put them.
namespace
{

using namespace sheet;
using sheet_readers::testFrames;

constexpr double kPointsPerMm = 72.0 / 25.4;

class SheetReadBack : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!pdf_tools::missingTool().isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftocairo")).isEmpty())
            GTEST_SKIP() << "poppler-utils missing";
    }
    QString file(const QString &name) const { return temp.filePath(name); }
    QTemporaryDir temp;
};

TEST_F(SheetReadBack, PageOneRenderedAtItsDpiIsTheFramesRuleEveryPixel)
{
    struct Case {
        SheetChoices choices;
        int frames;
    };
    SheetChoices custom{Paper::Custom, true, 0.7, 360, 70.0};
    custom.customMm = QSizeF(130, 170.5);
    for (const Case &c : {Case{{Paper::A4, false, 0.5, 600, 45.0}, 3}, Case{custom, 4},
                          Case{{Paper::Letter, true, 0.3, 720, 30.0}, 2}}) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames at " << c.choices.dpi << " dpi");
        const std::vector<FramePicture> frames = testFrames(c.frames);
        const SheetGeometry g = layOutSheet(c.choices, c.frames, QSize(640, 480));
        const QString pdf = file(QStringLiteral("sheet.pdf"));
        writeSheetPdf(pdf, g, composeSheetPicture(frames, g));

        // Page 1 at the sheet's dpi, one page pixel to a dot, cropped to the picture area.
        const QRect area = g.pictureDots();
        const QString root = file(QStringLiteral("page"));
        ASSERT_TRUE(pdf_tools::run(
            QStringLiteral("pdftocairo"),
            QStringLiteral(
                "-png -singlefile -antialias none -f 1 -l 1 -r %1 -x %2 -y %3 -W %4 -H %5")
                    .arg(g.dpi)
                    .arg(area.x())
                    .arg(area.y())
                    .arg(area.width())
                    .arg(area.height())
                    .split(QLatin1Char(' '))
                << pdf << root));
        const QImage page =
            QImage(root + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(page.size(), area.size());

        std::vector<QImage> fitted;
        for (const FramePicture &f : frames)
            fitted.push_back(frames::FitFrame(f.picture, f.naturalSize, g.canvasDots));
        int wrong = 0;
        for (int y = 0; y < page.height(); ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(page.constScanLine(y));
            for (int x = 0; x < page.width(); ++x) {
                const QRgb want =
                    fitted[size_t(frames::FrameOfColumn(x, g.slitDots, c.frames))].pixel(x, y);
                if ((row[x] & 0xFFFFFF) != (want & 0xFFFFFF) && ++wrong <= 3)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << row[x]
                                  << ", the rule gives " << want;
            }
        }
        EXPECT_EQ(wrong, 0) << "of " << page.width() * page.height();
    }
}

TEST_F(SheetReadBack, EveryPaperHasItsExactSizeAndAsksNotToBeScaled)
{
    if (!sheet_readers::haveQpdf())
        GTEST_SKIP() << "qpdf missing";
    struct Case {
        Paper paper;
        bool landscape;
        QSizeF points; // as the paper lies
    };
    SheetChoices custom{Paper::Custom, false, 1.0, 300, 30.0};
    custom.customMm = QSizeF(300, 200.5);
    const Case cases[] = {
        {Paper::A4, false, {595.276, 841.890}},   {Paper::JisB5, false, {515.906, 728.504}},
        {Paper::Letter, false, {612, 792}},       {Paper::A3, false, {841.890, 1190.551}},
        {Paper::A2, false, {1190.551, 1683.780}}, {Paper::A1, false, {1683.780, 2383.937}},
        {Paper::A0, false, {2383.937, 3370.394}}, {Paper::JisB4, false, {728.504, 1031.811}},
        {Paper::A4, true, {841.890, 595.276}},    {Paper::Custom, false, {850.394, 568.346}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.paper) << (c.landscape ? " landscape" : ""));
        SheetChoices choices = custom;
        choices.paper = c.paper;
        choices.landscape = c.landscape;
        const SheetGeometry g = layOutSheet(choices, 2, QSize(640, 480));
        const QString pdf = file(QStringLiteral("sheet.pdf"));
        writeSheetPdf(pdf, g, composeSheetPicture(testFrames(2), g));
        const auto objects = sheet_readers::readObjects(pdf);
        ASSERT_TRUE(objects);
        ASSERT_EQ(objects->mediaBoxes.size(), 2u);
        for (const QRectF &box : objects->mediaBoxes) {
            EXPECT_NEAR(box.width(), c.points.width(), 0.01);
            EXPECT_NEAR(box.height(), c.points.height(), 0.01);
        }
        EXPECT_EQ(
            objects->catalog[QStringLiteral("/ViewerPreferences")][QStringLiteral("/PrintScaling")]
                .toString(),
            QStringLiteral("/None"));
        // The picture stays where the layout puts it, measured from the paper's top edge.
        const std::vector<pdf_content::Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 2u);
        ASSERT_EQ(pages[0].pictures.size(), 1u);
        const double pt = 72.0 / g.dpi;
        EXPECT_NEAR(pages[0].height, objects->mediaBoxes[0].bottom(), 1e-4) << "top edge";
        EXPECT_NEAR(pages[0].pictures[0].y(), g.originDots.y() * pt, 0.01);
    }

    // The calibration page too.
    const QString calibration = file(QStringLiteral("calibration.pdf"));
    writeCalibrationPdf(calibration, SheetChoices{Paper::JisB4, true, 1.0, 720, std::nullopt});
    const auto objects = sheet_readers::readObjects(calibration);
    ASSERT_TRUE(objects);
    ASSERT_EQ(objects->mediaBoxes.size(), 1u);
    EXPECT_NEAR(objects->mediaBoxes[0].width(), 1031.811, 0.01);
    EXPECT_NEAR(objects->mediaBoxes[0].height(), 728.504, 0.01);
    EXPECT_EQ(
        objects->catalog[QStringLiteral("/ViewerPreferences")][QStringLiteral("/PrintScaling")]
            .toString(),
        QStringLiteral("/None"));
}

// The crosses of one page as centres, from their two arms, in millimetres.
std::vector<QPointF> crossCentres(const pdf_content::Page &page)
{
    std::vector<QPointF> centres;
    const double arm = 2 * kCrossArmMm * kPointsPerMm;
    for (size_t i = 0; i + 1 < page.strokes.size(); ++i) {
        const auto &a = page.strokes[i], &b = page.strokes[i + 1];
        if (std::abs(std::abs(a.to.x() - a.from.x()) - arm) < 0.01 &&
            std::abs(std::abs(b.to.y() - b.from.y()) - arm) < 0.01)
            centres.push_back(QPointF(b.from.x(), a.from.y()) / kPointsPerMm);
    }
    return centres;
}

// Distance between two rectangles (a line is one with no width or height), 0 if they meet.
double distance(const QRectF &a, const QRectF &r)
{
    const double dx = std::max({r.left() - a.right(), 0.0, a.left() - r.right()});
    const double dy = std::max({r.top() - a.bottom(), 0.0, a.top() - r.bottom()});
    return std::hypot(dx, dy);
}

TEST_F(SheetReadBack, CrossesAndBorderLieAlikeOnBothPagesAndInTheSvg)
{
    // A4, and a paper too narrow for the footer's lines at their size.
    SheetChoices narrow{Paper::Custom, false, 1.1, 720, 60.0};
    narrow.customMm = QSizeF(125, 170);
    for (const SheetChoices &choices : {SheetChoices{Paper::A4, false, 1.1, 300, 80.0}, narrow}) {
        const int dpi = choices.dpi;
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const SheetGeometry g = layOutSheet(choices, 3, QSize(640, 480));
        const QString pdf = file(QStringLiteral("sheet.pdf"));
        writeSheetPdf(pdf, g, composeSheetPicture(testFrames(3), g));
        const std::vector<pdf_content::Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 2u);

        // The picture and the lattice on the pages, in millimetres.
        ASSERT_EQ(pages[0].pictures.size(), 1u);
        const QRectF picture(pages[0].pictures[0].topLeft() / kPointsPerMm,
                             pages[0].pictures[0].size() / kPointsPerMm);
        std::vector<QRectF> bars;
        for (const QRectF &r : pages[1].filled)
            if (std::abs(r.height() / kPointsPerMm - picture.height()) < 1e-3)
                bars.push_back(QRectF(r.topLeft() / kPointsPerMm, r.size() / kPointsPerMm));
        ASSERT_FALSE(bars.empty());
        QRectF covered = picture;
        for (const QRectF &bar : bars)
            covered |= bar;

        // Four crosses, the same on both pages, each arm at least 3 mm clear of both.
        const std::vector<QPointF> first = crossCentres(pages[0]);
        const std::vector<QPointF> second = crossCentres(pages[1]);
        ASSERT_EQ(first.size(), 4u);
        ASSERT_EQ(second.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(first[i].x(), second[i].x(), 1e-4);
            EXPECT_NEAR(first[i].y(), second[i].y(), 1e-4);
            const QPointF c = first[i];
            const QPointF across(kCrossArmMm, 0), down(0, kCrossArmMm);
            EXPECT_GE(distance(QRectF(c - across, c + across), covered), 3.0);
            EXPECT_GE(distance(QRectF(c - down, c + down), covered), 3.0);
        }
        // Every word of both pages as clear.
        static const QRegularExpression word(QStringLiteral(
            R"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)x"));
        int words = 0;
        for (auto it = word.globalMatch(
                 pdf_tools::run(QStringLiteral("pdftotext"),
                                {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
                     .value_or(QString()));
             it.hasNext(); ++words) {
            const auto m = it.next();
            const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
            EXPECT_GE(
                distance(QRectF(box.topLeft() / kPointsPerMm, box.size() / kPointsPerMm), covered),
                3.0);
            // Short of the edge most printers cannot print (the scale bar's "100 mm" may
            // reach into the margin).
            EXPECT_LE(box.right() / kPointsPerMm, g.paperMm.width() - 5) << "within the paper";
        }
        EXPECT_GT(words, 20);

        // The crosses of the SVG, in the same millimetres of the same paper.
        const QString svg = QString::fromUtf8(latticeSvg(g, 0.1));
        static const QRegularExpression path(QStringLiteral(
            R"x(<path id="cross-\d" d="M ([\d.]+) ([\d.]+) H ([\d.]+) M ([\d.]+) ([\d.]+) V)x"));
        std::vector<QPointF> drawn;
        for (auto it = path.globalMatch(svg); it.hasNext();) {
            const auto m = it.next();
            drawn.push_back(QPointF(m.captured(4).toDouble(), m.captured(2).toDouble()));
        }
        ASSERT_EQ(drawn.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(drawn[i].x(), first[i].x(), 1e-3);
            EXPECT_NEAR(drawn[i].y(), first[i].y(), 1e-3);
        }

        // Page 2's border: one closed outline where the SVG's outer cut runs, 5 mm or more
        // round the lattice; page 1 has none.
        std::vector<pdf_content::Segment> border;
        for (const auto &s : pages[1].strokes)
            if (std::hypot(s.to.x() - s.from.x(), s.to.y() - s.from.y()) >
                3 * kCrossArmMm * kPointsPerMm)
                border.push_back(s);
        ASSERT_EQ(border.size(), 4u);
        QRectF outline(border[0].from / kPointsPerMm, border[0].to / kPointsPerMm);
        for (const auto &s : border)
            outline |= QRectF(s.from / kPointsPerMm, s.to / kPointsPerMm).normalized();
        EXPECT_EQ(pages[0].strokes.size(), 8u);
        static const QRegularExpression outer(QStringLiteral(
            R"x(<rect id="outline" x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)")x"));
        const auto m = outer.match(svg);
        ASSERT_TRUE(m.hasMatch());
        const QRectF cut(m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble());
        EXPECT_NEAR(outline.left(), cut.left(), 1e-3);
        EXPECT_NEAR(outline.top(), cut.top(), 1e-3);
        EXPECT_NEAR(outline.right(), cut.right(), 1e-3);
        EXPECT_NEAR(outline.bottom(), cut.bottom(), 1e-3);
        EXPECT_GE(covered.left() - cut.left(), 5.0);
        EXPECT_GE(covered.top() - cut.top(), 5.0);
        EXPECT_GE(cut.right() - covered.right(), 5.0);
        EXPECT_GE(cut.bottom() - covered.bottom(), 5.0);
        for (const QPointF c : first)
            EXPECT_TRUE(cut.contains(QRectF(c - QPointF(kCrossArmMm, kCrossArmMm),
                                            c + QPointF(kCrossArmMm, kCrossArmMm))))
                << "the crosses stay on the cut lattice";
    }
}

} // namespace

namespace
{

// A file that is no PDF is refused, and nothing is written for it.
TEST(PdfUpdate, WritesNothingForAFileItCannotRead)
{
    for (const QByteArray &text :
         {QByteArray("%PDF-1.4\nnothing here\n%%EOF\n"),
          QByteArray("%PDF-1.4\nxref\n0 1\n0000000000 65535 f \ntrailer\n<<\n/Size 1\n>>\n"
                     "startxref\n9\n%%EOF\n")}) {
        QTemporaryFile file;
        ASSERT_TRUE(file.open());
        file.write(text);
        file.flush();
        QByteArray written;
        QBuffer out(&written);
        out.open(QIODevice::WriteOnly);
        EXPECT_FALSE(sheet::amendPdf(file.fileName(), out, QSizeF(595.276, 841.89)));
        EXPECT_TRUE(written.isEmpty());
    }
}

} // namespace
