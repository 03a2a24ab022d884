#include "frames/frames_rule.h"
#include "printing/pdf_tools.h"
#include "shapes/disc_rule.h"
#include "sheet/pdf_content.h"
#include "sheet/shape_sheet.h"
#include "sheet/sheet_readers.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

// Disc and lamp sheets read back from their PDFs: the wedges, hub and radius of the lattice
// disc, the picture disc's pixels, and the lamp's strips to the hundredth of a millimetre.
namespace
{

using namespace sheet;
using sheet_readers::testFrames;

constexpr double kPointsPerMm = 72.0 / 25.4;

class ShapeSheetPdf : public ::testing::Test
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

// Degrees clockwise from 12 o'clock, in [0, 360), on a page whose y grows downwards.
double angleOf(QPointF centre, QPointF p)
{
    const double a = std::atan2(p.x() - centre.x(), centre.y() - p.y()) * 180 / std::numbers::pi;
    return a < 0 ? a + 360 : a;
}

// The radius of a path all of whose points lie on one circle round `centre`, else -1.
double radiusOf(QPointF centre, const std::vector<QPointF> &points)
{
    const double r = std::hypot(points[0].x() - centre.x(), points[0].y() - centre.y());
    for (const QPointF p : points)
        if (std::abs(std::hypot(p.x() - centre.x(), p.y() - centre.y()) - r) > 0.01)
            return -1;
    return r;
}

struct DiscCase {
    SheetChoices choices;
    int frames;
    int periods;
};

TEST_F(ShapeSheetPdf, DiscLatticeWedgesHubAndRadiusReadBack)
{
    SheetChoices whole{Paper::Letter, true, 1.0, 300, std::nullopt};
    for (const DiscCase &c :
         {DiscCase{{Paper::A4, false, 1.0, 300, 60.0}, 3, 6}, DiscCase{whole, 5, 24},
          DiscCase{{Paper::A4, false, 1.0, 360, 80.3}, 8, 45}}) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames, " << c.periods << " periods");
        const DiscSheetGeometry g = layOutDiscSheet(c.choices, c.frames, c.periods);
        const QString pdf = file(QStringLiteral("disc.pdf"));
        writeShapeSheetPdf(pdf, g, composeDiscSheetPicture(testFrames(c.frames), g));
        const std::vector<pdf_content::Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 2u);

        const double pt = 72.0 / g.dpi;
        const QPointF centre = g.centreDots() * pt;
        const double radius = g.radiusDots() * pt;
        // The disc is the width asked, or the largest that fits (Letter landscape: 215.9 mm
        // less margins, borders and footer), to the half dot.
        const double asked = c.choices.widthMm.value_or(215.9 - 20 - 20 - 20);
        EXPECT_NEAR(radius / kPointsPerMm, asked / 2, 25.4 / g.dpi / 2 + 0.05);
        ASSERT_EQ(pages[0].pictures.size(), 1u);
        EXPECT_NEAR(pages[0].pictures[0].center().x(), centre.x(), 1e-3);
        EXPECT_NEAR(pages[0].pictures[0].width(), 2 * radius, 1e-3);

        // Page 2: a wedge is a path from the centre out to the rim and back.
        const double alpha = 360.0 / (c.periods * c.frames);
        std::vector<std::pair<double, double>> wedges;
        std::vector<double> circles;
        for (const std::vector<QPointF> &path : pages[1].filledPaths) {
            if (QLineF(path.front(), centre).length() < 1e-3) {
                const std::vector<QPointF> rim(path.begin() + 1, path.end() - 1);
                EXPECT_NEAR(radiusOf(centre, rim), radius, 0.01);
                const double start = angleOf(centre, rim.front());
                double sweep = angleOf(centre, rim.back()) - start;
                wedges.emplace_back(start, sweep < 0 ? sweep + 360 : sweep);
            } else if (const double r = radiusOf(centre, path); r > 0) {
                circles.push_back(r);
            }
        }
        ASSERT_EQ(int(wedges.size()), c.periods);
        std::sort(wedges.begin(), wedges.end());
        double sectors = 0;
        for (int p = 0; p < c.periods; ++p) {
            const auto [start, sweep] = wedges[size_t(p)];
            EXPECT_NEAR(start, (p * c.frames + 1) * alpha, 1e-3) << "wedge " << p;
            EXPECT_NEAR(sweep, (c.frames - 1) * alpha, 1e-3) << "wedge " << p;
            // The clear slit after each bar is one sector up to the next bar.
            const double next = p + 1 < c.periods ? wedges[size_t(p + 1)].first : 360 + alpha;
            EXPECT_NEAR(next - start - sweep, alpha, 1e-3);
            sectors += (sweep + next - start - sweep) / alpha;
        }
        EXPECT_NEAR(sectors, c.periods * c.frames, 1e-3) << "P N sectors round the disc";
        // The hub of R / 10 and the pin hole.
        ASSERT_EQ(circles.size(), 2u);
        EXPECT_NEAR(circles[0], radius / 10, 0.01);
        EXPECT_NEAR(circles[1], std::max(pt, radius / 50), 0.01);
        // The outer circle round both discs.
        for (const pdf_content::Page &page : pages)
            EXPECT_EQ(std::count_if(page.strokedPaths.begin(), page.strokedPaths.end(),
                                    [&](const auto &path) {
                                        return std::abs(radiusOf(centre, path) - radius) < 0.01;
                                    }),
                      1);
    }
}

TEST_F(ShapeSheetPdf, PictureDiscPrintsTheDiscRuleAtEveryDot)
{
    // 709 dots across, odd, then 472, even.
    for (const DiscCase &c : {DiscCase{{Paper::A4, false, 1.0, 300, 60.0}, 3, 6},
                              DiscCase{{Paper::A4, false, 1.0, 300, 40.0}, 4, 24}}) {
        SCOPED_TRACE(testing::Message() << c.choices.widthMm.value() << " mm");
        const DiscSheetGeometry g = layOutDiscSheet(c.choices, c.frames, c.periods);
        const std::vector<FramePicture> frames = testFrames(c.frames);
        const QString pdf = file(QStringLiteral("disc.pdf"));
        writeShapeSheetPdf(pdf, g, composeDiscSheetPicture(frames, g));
        // At the sheet's dpi, one page pixel to a dot, cropped to the disc's square.
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

        const QSize canvas(g.diameterDots, g.diameterDots);
        std::vector<QImage> fitted;
        for (const FramePicture &f : frames)
            fitted.push_back(frames::FitFrame(f.picture, f.naturalSize, canvas));
        const QImage rule = shapes::ComposeDisc(fitted, c.periods);
        // Every dot but those under the centre cross and the outer circle.
        const double r = g.radiusDots(), perMm = 300 / 25.4;
        int wrong = 0, checked = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const double d = std::hypot(x + 0.5 - r, y + 0.5 - r);
                if (d < 4.5 * perMm || std::abs(d - r) < 0.3 * perMm)
                    continue;
                ++checked;
                const QRgb want = d > r ? 0xFFFFFFFF : rule.pixel(x, y);
                if ((page.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF) && ++wrong <= 3)
                    ADD_FAILURE() << "dot (" << x << ", " << y << ") is " << std::hex
                                  << page.pixel(x, y) << ", the disc rule gives " << want;
            }
        EXPECT_EQ(wrong, 0) << "of " << checked;
        EXPECT_GT(checked, page.width() * page.height() * 3 / 4);
    }
}

TEST_F(ShapeSheetPdf, LampStripsReadBackToTheHundredthOfAMillimetre)
{
    struct Case {
        SheetChoices choices;
        int frames;
        double inner, outer;
        std::optional<double> height;
        int periods;       // by hand: round(pi D_in dpi / 25.4 / (N s))
        double stripMm;    // P N s dots
        double innerShown; // strip / pi, to 0.1 mm
    };
    // 300 dpi, s = 12 dots: pi 60 300 / 25.4 / 36 = 61.84; 62 x 36 = 2232 dots.
    // 600 dpi, s = 12 dots: pi 80 600 / 25.4 / 60 = 98.95; 99 x 60 = 5940 dots.
    for (const Case &c :
         {Case{{Paper::A4, true, 1.0, 300, std::nullopt}, 3, 60, 70, {}, 62, 188.976, 60.2},
          Case{{Paper::A3, true, 0.5, 600, std::nullopt}, 5, 80, 95, 50.0, 99, 251.46, 80.0}}) {
        SCOPED_TRACE(testing::Message() << c.inner << " / " << c.outer << " mm");
        const LampSheetGeometry g =
            layOutLampSheet(c.choices, c.frames, c.inner, c.outer, c.height, QSize(640, 480));
        EXPECT_EQ(g.lamp.periods, c.periods);
        EXPECT_NEAR(std::round(g.lamp.innerDiameterMm * 10) / 10, c.innerShown, 1e-9);
        const QString pdf = file(QStringLiteral("lamp.pdf"));
        writeShapeSheetPdf(pdf, g, composeLampSheetPicture(testFrames(c.frames), g));
        const std::vector<pdf_content::Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 2u);

        // Page 1: the picture strip P N s dots long, its glue tab 10 mm beyond it.
        ASSERT_EQ(pages[0].pictures.size(), 1u);
        const QRectF picture = pages[0].pictures[0];
        EXPECT_NEAR(picture.width() / kPointsPerMm, c.stripMm, 0.01);
        const double height = c.height.value_or(c.stripMm * 480 / 640);
        EXPECT_NEAR(picture.height() / kPointsPerMm, height, 25.4 / g.dpi);
        const auto tab =
            std::find_if(pages[0].filled.begin(), pages[0].filled.end(), [&](const QRectF &r) {
                return std::abs(r.left() - picture.right()) < 1e-3;
            });
        ASSERT_NE(tab, pages[0].filled.end());
        EXPECT_NEAR(tab->width() / kPointsPerMm, kGlueTabMm, 0.01);
        EXPECT_NEAR(tab->height(), picture.height(), 1e-3);

        // Page 2: bars over the picture's height; the gaps between them are the slits.
        std::vector<QRectF> bars;
        for (const QRectF &r : pages[1].filled)
            if (std::abs(r.top() - picture.top()) < 1e-3 &&
                std::abs(r.height() - picture.height()) < 1e-3)
                bars.push_back(r);
        std::sort(bars.begin(), bars.end(),
                  [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
        ASSERT_GT(bars.size(), 2u);
        const double left = bars.front().left();
        const double length = std::numbers::pi * c.outer;
        EXPECT_NEAR((bars.back().right() - left) / kPointsPerMm, length + kGlueTabMm, 0.01);
        const double period = length / c.periods, slit = period / c.frames;
        int slits = 0;
        for (size_t i = 0; i + 1 < bars.size(); ++i) {
            const double start = (bars[i].right() - left) / kPointsPerMm;
            EXPECT_NEAR((bars[i + 1].left() - bars[i].right()) / kPointsPerMm, slit, 0.01);
            EXPECT_NEAR(start, (period - slit) / 2 + i * period, 0.01) << "slit " << i;
            if (start < length)
                ++slits;
        }
        EXPECT_EQ(slits, c.periods);
        // The seam's line where the strip comes round again, pi D_out from its start.
        const auto seam = std::find_if(
            pages[1].strokes.begin(), pages[1].strokes.end(), [&](const pdf_content::Segment &s) {
                return s.from.x() == s.to.x() && s.to.y() <= picture.top() + 1e-3;
            });
        ASSERT_NE(seam, pages[1].strokes.end());
        EXPECT_NEAR((seam->from.x() - left) / kPointsPerMm, length, 0.01);
        // The outline to cut: the strip, its tab and a rim above and below.
        ASSERT_EQ(pages[1].strokedRects.size(), 1u);
        const QRectF outline = pages[1].strokedRects[0];
        EXPECT_NEAR(outline.left(), left, 1e-3);
        EXPECT_NEAR(outline.width() / kPointsPerMm, length + kGlueTabMm, 0.01);
        EXPECT_NEAR(outline.height() / kPointsPerMm,
                    picture.height() / kPointsPerMm + 2 * kLampRimMm, 0.01);
    }
}

// What a window calls: the refusal before anything is composed, and printing any shape at the
// printer's own resolution.
TEST_F(ShapeSheetPdf, WindowsPrintAnyShapeThroughOneCall)
{
    const SheetChoices a4{Paper::A4, false, 1.0, 600, 50.0};
    const ShapeChoices disc{SheetShape::Disc, 8, 0, 0, {}};
    const ShapeChoices lamp{SheetShape::Lamp, 24, 60, 70, {}};
    EXPECT_FALSE(shapeSheetRefusal(a4, disc, 2, QSize(4, 3)));
    const std::optional<SheetRefused> refused = shapeSheetRefusal(a4, lamp, 2, QSize(4, 3));
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->message().contains(QStringLiteral("229.9 mm")));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file(QStringLiteral("printed.pdf")));
    printer.setResolution(300);
    printShapeSheet(printer, a4, disc, testFrames(2), QSize(4, 3));
    const std::vector<pdf_content::Page> pages = pdf_content::readPages(printer.outputFileName());
    ASSERT_EQ(pages.size(), 2u);
    // 50 mm at the printer's 300 dpi, not the 600 chosen: 591 dots.
    ASSERT_EQ(pages[0].pictures.size(), 1u);
    EXPECT_NEAR(pages[0].pictures[0].width(), 591 * 72.0 / 300, 1e-3);
    // 8 bars, and the hub and the pin hole.
    EXPECT_EQ(pages[1].filledPaths.size(), 8u + 2u);

    // A page preview: page 2 drawn at a tenth of the dots. With 8 periods of 2 frames a slit
    // is 22.5 degrees: clear at 11.25, black at 33.75 and in the hub.
    const DiscSheetGeometry g = layOutDiscSheet(a4, 2, 8);
    QImage preview((g.paperMm * dotsPerMm(g.dpi) / 10).toSize(), QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        QPainter painter(&preview);
        painter.scale(0.1, 0.1);
        renderShapeSheetPage(painter, ShapeSheet(g), 2, QImage());
    }
    const auto at = [&](double degrees, double radius) {
        const double a = degrees * std::numbers::pi / 180;
        const QPointF p = (g.centreDots() + radius * QPointF(std::sin(a), -std::cos(a))) / 10;
        return preview.pixel(p.toPoint()) & 0xFFFFFF;
    };
    EXPECT_EQ(at(11.25, g.radiusDots() * 0.6), 0xFFFFFFu);
    EXPECT_EQ(at(33.75, g.radiusDots() * 0.6), 0u);
    EXPECT_EQ(at(11.25, g.radiusDots() * 0.06), 0u);

    // Stopped at the last step: no file.
    const QString stopped = file(QStringLiteral("stopped.pdf"));
    struct Stop {
    };
    EXPECT_THROW(writeShapeSheetPdf(stopped, g, QImage(591, 591, QImage::Format_RGB32),
                                    [](int done) {
                                        if (done == sheetSteps(2))
                                            throw Stop();
                                    }),
                 Stop);
    EXPECT_FALSE(QFile::exists(stopped));
}

} // namespace
