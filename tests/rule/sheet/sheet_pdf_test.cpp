#include "frames/frames_rule.h"
#include "printing/pdf_tools.h"
#include "sheet/pdf_content.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_readers.h"
#include "sheet/sheet_render.h"
#include "support/pixel_checks.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The sheet read back from its PDF: page sizes, the picture as stored and as placed, the
// lattice bars, the scale bar and the crosses, measured from the page content itself.
namespace
{

using namespace sheet;
using pdf_content::Page;

constexpr double kPointsPerMm = 72.0 / 25.4;

using sheet_readers::testFrames;

class SheetPdf : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!pdf_tools::missingTool().isEmpty())
            GTEST_SKIP() << "poppler-utils missing";
    }
    QString file(const QString &name) const { return temp.filePath(name); }
    QTemporaryDir temp;
};

// Edges of a rectangle in points, as the page gives them.
void expectNear(double actual, double expected, const char *what)
{
    EXPECT_NEAR(actual, expected, 0.01) << what;
}

TEST_F(SheetPdf, PicturePlacedAtOneDotAndLatticeOnItsStripeEdges)
{
    struct Case {
        Paper paper;
        bool landscape;
        int frames;
        double slitMm;
        int dpi;
        double widthMm;
    };
    for (const Case &c :
         {Case{Paper::A4, false, 2, 1.0, 300, 60}, Case{Paper::JisB5, true, 3, 0.3, 600, 40},
          Case{Paper::Letter, false, 5, 2.5, 300, 80}}) {
        SCOPED_TRACE(testing::Message()
                     << c.frames << " frames, " << c.slitMm << " mm at " << c.dpi << " dpi");
        const SheetChoices choices{c.paper, c.landscape, c.slitMm, c.dpi, c.widthMm};
        const std::vector<FramePicture> frames = testFrames(c.frames);
        const SheetGeometry g = layOutSheet(choices, c.frames, QSize(640, 480));
        const QString pdf = file(QStringLiteral("sheet.pdf"));
        writeSheetPdf(pdf, g, composeSheetPicture(frames, g));
        const double pt = 72.0 / c.dpi; // one printer dot in points

        // The paper, exactly.
        const pdf_tools::Info info = pdf_tools::info(pdf);
        EXPECT_EQ(info.pages, 2);
        const QSizeF paper = paperMm(c.paper, c.landscape) * kPointsPerMm;
        EXPECT_NEAR(info.points.width(), paper.width(), 0.01);
        EXPECT_NEAR(info.points.height(), paper.height(), 0.01);

        // The picture: stored losslessly at one pixel per dot, placed dots x 72 / dpi pt.
        const auto stored = pdf_tools::pictures(pdf);
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(QSize(stored[0].width, stored[0].height), g.canvasDots);
        EXPECT_EQ(stored[0].encoding, QStringLiteral("image"));
        const std::vector<Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 2u);
        ASSERT_EQ(pages[0].pictures.size(), 1u);
        const QRectF placed = pages[0].pictures[0];
        expectNear(placed.width(), g.canvasDots.width() * pt, "picture width");
        expectNear(placed.height(), g.canvasDots.height() * pt, "picture height");
        expectNear(placed.x(), g.originDots.x() * pt, "picture left");
        expectNear(placed.y(), g.originDots.y() * pt, "picture top");

        // Its pixels: column x of frame FrameOfColumn(x, s, N), each frame fitted onto the
        // canvas of the sheet.
        std::vector<QImage> fitted;
        for (const FramePicture &f : frames)
            fitted.push_back(frames::FitFrame(f.picture, f.naturalSize, g.canvasDots));
        const QImage picture = pdf_tools::firstPicture(pdf, temp.path());
        ASSERT_EQ(picture.size(), g.canvasDots);
        int wrong = 0;
        for (int y = 0; y < picture.height() && wrong < 3; ++y)
            for (int x = 0; x < picture.width() && wrong < 3; ++x) {
                const QRgb want =
                    fitted[size_t(frames::FrameOfColumn(x, g.slitDots, c.frames))].pixel(x, y);
                if ((picture.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF)) {
                    ++wrong;
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                                  << picture.pixel(x, y) << ", rule gives " << want;
                }
            }

        // Page 2: the bars, picture-high, one period past the picture, on stripe edges.
        std::vector<QRectF> bars;
        for (const QRectF &r : pages[1].filled)
            if (std::abs(r.height() - g.canvasDots.height() * pt) < 0.01)
                bars.push_back(r);
        std::sort(bars.begin(), bars.end(),
                  [](const QRectF &a, const QRectF &b) { return a.x() < b.x(); });
        std::vector<std::pair<int, int>> expected;
        const int latticeWidth = g.canvasDots.width() + c.frames * g.slitDots;
        for (int x = 0; x < latticeWidth; ++x)
            if (!frames::IsSlitColumn(x, g.slitDots, c.frames)) {
                if (expected.empty() || expected.back().second != x)
                    expected.push_back({x, x + 1});
                else
                    ++expected.back().second;
            }
        ASSERT_EQ(bars.size(), expected.size());
        const double stripe = g.slitDots * pt;
        for (size_t i = 0; i < bars.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "bar " << i);
            expectNear(bars[i].left(), placed.x() + expected[i].first * pt, "bar left");
            expectNear(bars[i].right(), placed.x() + expected[i].second * pt, "bar right");
            expectNear(bars[i].top(), placed.top(), "bar top");
            // Every edge is a stripe edge of page 1 (the last may end the lattice).
            const double fromPicture = (bars[i].left() - placed.x()) / stripe;
            EXPECT_NEAR(fromPicture, std::round(fromPicture), 0.01 / stripe);
            if (i > 0) {
                EXPECT_NEAR((bars[i].left() - bars[i - 1].left()) / kPointsPerMm,
                            c.frames * g.slitDots * 25.4 / c.dpi, 1e-4)
                    << "period";
            }
        }
        EXPECT_GE(bars.back().right() + stripe, placed.right() + c.frames * stripe - 0.01)
            << "covers the picture and one period";

        // Both pages: a 100 mm scale bar, and the same crosses centred on the picture's
        // corners.
        for (const Page &page : pages) {
            const bool hasBar =
                std::any_of(page.filled.begin(), page.filled.end(), [](const QRectF &r) {
                    return std::abs(r.width() - 100 * kPointsPerMm) < 0.01;
                });
            EXPECT_TRUE(hasBar) << "no 100 mm bar";
        }
        // The same crosses on both pages (page 2 adds the border), each centred outside a
        // corner of the lattice area.
        ASSERT_EQ(pages[0].strokes.size(), 8u);
        ASSERT_EQ(pages[1].strokes.size(), 12u);
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_NEAR(pages[0].strokes[i].from.x(), pages[1].strokes[i].from.x(), 1e-6);
            EXPECT_NEAR(pages[0].strokes[i].to.y(), pages[1].strokes[i].to.y(), 1e-6);
        }
        const double out = std::ceil(kCrossOffsetMm * c.dpi / 25.4) * pt;
        const QRectF lattice(placed.topLeft(),
                             QSizeF(g.latticeDots().width() * pt, placed.height()));
        const QPointF corners[] = {
            lattice.topLeft() + QPointF(-out, -out), lattice.topRight() + QPointF(out, -out),
            lattice.bottomLeft() + QPointF(-out, out), lattice.bottomRight() + QPointF(out, out)};
        for (int k = 0; k < 4; ++k) {
            const auto &across = pages[0].strokes[size_t(2 * k)];
            const auto &down = pages[0].strokes[size_t(2 * k + 1)];
            expectNear((across.from.x() + across.to.x()) / 2, corners[k].x(), "cross x");
            expectNear(across.from.y(), corners[k].y(), "cross y");
            expectNear(down.from.x(), corners[k].x(), "cross x");
            expectNear((down.from.y() + down.to.y()) / 2, corners[k].y(), "cross y");
        }

        // The line of figures, on both pages.
        for (int p = 1; p <= 2; ++p) {
            const QString text =
                pdf_tools::run(QStringLiteral("pdftotext"),
                               {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(p),
                                QStringLiteral("-l"), QString::number(p), pdf, QStringLiteral("-")})
                    .value_or(QString());
            // pdftotext gives the ideographic spaces as plain ones.
            QString line = figuresLine(g);
            line.replace(QChar(0x3000), QLatin1Char(' '));
            EXPECT_TRUE(text.simplified().contains(line)) << text.toStdString();
            QString fullSize = printAtFullSizeLine(Language::Japanese);
            fullSize.remove(QLatin1Char(' '));
            QString compact = text;
            compact.remove(QRegularExpression(QStringLiteral("\\s")));
            EXPECT_TRUE(compact.contains(fullSize)) << text.toStdString();
        }
    }
}

TEST_F(SheetPdf, CalibrationPatchesHaveTheSlitsTheirLabelsName)
{
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        const int dpi = 600;
        const QString pdf = file(QStringLiteral("calibration.pdf"));
        writeCalibrationPdf(pdf, SheetChoices{Paper::A4, landscape, 1.0, dpi, std::nullopt});
        const std::vector<Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 1u);

        // Labels "0.3 mm (0.30)" with their boxes, from pdftotext.
        struct Label {
            double value;
            QRectF box;
        };
        std::vector<Label> labels;
        static const QRegularExpression word(QStringLiteral(
            R"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(\d\.\d)</word>)x"));
        const QString html = pdf_tools::run(QStringLiteral("pdftotext"),
                                            {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})
                                 .value_or(QString());
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            labels.push_back({m.captured(5).toDouble(),
                              QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
        }
        ASSERT_EQ(labels.size(), calibrationSlitsMm().size());
        for (size_t i = 0; i < labels.size(); ++i)
            EXPECT_DOUBLE_EQ(labels[i].value, calibrationSlitsMm()[i]);

        // Each patch lies just below its label: bars s wide, one slit of s between them.
        for (const Label &label : labels) {
            SCOPED_TRACE(testing::Message() << label.value << " mm");
            std::vector<QRectF> row;
            for (const QRectF &r : pages[0].filled)
                if (r.height() > 10 * kPointsPerMm && r.top() > label.box.bottom() &&
                    r.top() < label.box.bottom() + 3 * kPointsPerMm &&
                    r.left() >= label.box.left() - 1)
                    row.push_back(r);
            std::sort(row.begin(), row.end(),
                      [](const QRectF &a, const QRectF &b) { return a.x() < b.x(); });
            const double slit = slitDots(label.value, dpi) * 72.0 / dpi;
            // The patch: the bars one slit apart from the first on; the next patch lies
            // further off.
            std::vector<QRectF> bars;
            for (const QRectF &r : row)
                if (bars.empty() || r.left() - bars.back().right() < slit + 0.01)
                    bars.push_back(r);
            ASSERT_GE(bars.size(), 3u);
            for (size_t i = 0; i + 1 < bars.size(); ++i) {
                EXPECT_NEAR(bars[i].width(), slit, 0.01);
                EXPECT_NEAR(bars[i + 1].left() - bars[i].right(), slit, 0.01);
            }
            // It starts with a slit at the label and holds whole periods, so it ends on a
            // whole bar.
            EXPECT_NEAR(bars.back().width(), slit, 0.01);
            const double start = bars.front().left() - slit;
            EXPECT_NEAR(start, label.box.left(), 1.0);
            const double periods = (bars.back().right() - start) / (2 * slit);
            EXPECT_NEAR(periods, std::round(periods), 1e-3);
        }
        // 100 mm rulers across and down.
        const auto has = [&](auto measure) {
            return std::any_of(
                pages[0].filled.begin(), pages[0].filled.end(),
                [&](const QRectF &r) { return std::abs(measure(r) - 100 * kPointsPerMm) < 0.01; });
        };
        EXPECT_TRUE(has([](const QRectF &r) { return r.width(); }));
        EXPECT_TRUE(has([](const QRectF &r) { return r.height(); }));
    }
}

TEST_F(SheetPdf, ResolutionBlockHasOneAndTwoDotLinesOnEachPrinterGrid)
{
    for (const int dpi : {600, 360}) {
        SCOPED_TRACE(testing::Message() << "page at " << dpi << " dpi");
        const QString pdf = file(QStringLiteral("calibration.pdf"));
        writeCalibrationPdf(pdf, SheetChoices{Paper::A4, false, 1.0, dpi, std::nullopt});
        const std::vector<Page> pages = pdf_content::readPages(pdf);
        ASSERT_EQ(pages.size(), 1u);
        // The block's lines are 8 mm tall, less than a grid dot; the ladder's are taller.
        std::vector<QRectF> lines;
        for (const QRectF &r : pages[0].filled)
            if (std::abs(r.height() - 8 * kPointsPerMm) < 0.25)
                lines.push_back(r);
        std::sort(lines.begin(), lines.end(),
                  [](const QRectF &a, const QRectF &b) { return a.x() < b.x(); });
        // Patches: runs of lines with no more than two of their widths between them.
        std::vector<std::vector<QRectF>> patches;
        for (const QRectF &r : lines)
            if (patches.empty() || r.left() - patches.back().back().right() > 1.0)
                patches.push_back({r});
            else
                patches.back().push_back(r);
        ASSERT_EQ(patches.size(), 2 * std::size(kResolutionTestDpi));
        for (size_t i = 0; i < patches.size(); ++i) {
            const int grid = kResolutionTestDpi[i / 2];
            const int lineDots = int(i % 2) + 1;
            SCOPED_TRACE(testing::Message() << lineDots << "-dot lines at " << grid << " dpi");
            const std::vector<QRectF> &patch = patches[i];
            const double dot = 72.0 / grid;
            EXPECT_GE(patch.size(), 10u);
            for (size_t k = 0; k < patch.size(); ++k) {
                EXPECT_NEAR(patch[k].width(), lineDots * dot, 2e-3);
                // On the printer's grid, counted from the paper's left edge.
                const double dots = patch[k].left() / dot;
                EXPECT_NEAR(dots, std::round(dots), 0.02);
                if (k > 0) {
                    EXPECT_NEAR(patch[k].left() - patch[k - 1].left(), 2 * lineDots * dot, 2e-3);
                }
            }
        }
    }
}

} // namespace
