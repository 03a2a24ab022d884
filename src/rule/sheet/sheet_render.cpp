#include "sheet/sheet_render.h"

#include "frames/frames_rule.h"
#include "sheet/sheet_marks.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace sheet
{

namespace
{

// The footer, measured down from the border: the line of figures, the line that asks for
// printing at 100 %, then the scale bar.
constexpr double kFiguresBaselineMm = 5.0;
constexpr double kFullSizeBaselineMm = 9.5;
constexpr double kScaleBarTopMm = 11.5;
constexpr double kBorderLineMm = 0.1;

// The calibration page: the ladder starts below the title and the rulers; the resolution
// block and the line that asks for 100 % take the bottom.
constexpr double kLadderLeftMm = kMarginMm + 14;
constexpr double kLadderTopMm = kMarginMm + 20;
constexpr double kResolutionBlockMm = 22;
constexpr double kFullSizeLineMm = 6;
constexpr double kResolutionGroupMm = 28;
constexpr double kResolutionPatchMm = 12;
constexpr double kResolutionPatchHeightMm = 8;
constexpr double kMinCellWidthMm = 24;
constexpr double kMinCellHeightMm = 14;

// The bars of a lattice of `width` columns, slit w, N frames, with the frames rule.
std::vector<std::pair<int, int>> barsOf(int width, int slit, int frameCount)
{
    std::vector<std::pair<int, int>> bars;
    for (int x = 0; x < width;) {
        if (frames::IsSlitColumn(x, slit, frameCount)) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < width && !frames::IsSlitColumn(x, slit, frameCount))
            ++x;
        bars.emplace_back(start, x);
    }
    return bars;
}

void drawMarks(QPainter &painter, const SheetGeometry &g, int page)
{
    const double perMm = dotsPerMm(g.dpi);
    for (const QPoint centre : g.crossCentresDots())
        drawCross(painter, centre, perMm);
    const QRect border = g.borderDots();
    drawFooter(painter, g.dpi, g.paperMm, border.y() + border.height(),
               pageName(page, g.language) + QStringLiteral("　") + figuresLine(g), g.language);
}

// The border as one closed thin line, centred on the border's edges.
void drawBorder(QPainter &painter, const SheetGeometry &g)
{
    painter.save();
    QPen pen(Qt::black, kBorderLineMm * dotsPerMm(g.dpi));
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRect b = g.borderDots();
    const double left = b.x(), top = b.y(), right = left + b.width(), bottom = top + b.height();
    const QPointF corners[] = {
        {left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    painter.drawPolyline(corners, 5);
    painter.restore();
}

// The calibration page's cells, in millimetres from the corner of the paper.
struct CalibrationLayout {
    QSizeF paper;
    int columns = 0, rows = 0;
    double cellW = 0, cellH = 0;
    double blockTop = 0;
};

CalibrationLayout calibrationLayout(const SheetChoices &choices)
{
    CalibrationLayout l;
    l.paper = paperMm(choices);
    l.columns = choices.landscape ? 7 : 4;
    l.rows = (int(calibrationSlitsMm().size()) + l.columns - 1) / l.columns;
    l.blockTop = l.paper.height() - kMarginMm - kFullSizeLineMm - kResolutionBlockMm;
    l.cellW = (l.paper.width() - kMarginMm - kLadderLeftMm) / l.columns;
    l.cellH = (l.blockTop - kLadderTopMm) / l.rows;
    return l;
}

// A patch of lines `lineDots` wide and as far apart, on the grid of `gridDpi` counted from
// the corner of the paper: a printer on that grid prints every line alike.
void drawGridLines(QPainter &painter, int pageDpi, int gridDpi, QRectF patchMm, int lineDots)
{
    painter.save();
    painter.scale(double(pageDpi) / gridDpi, double(pageDpi) / gridDpi);
    const double perMm = dotsPerMm(gridDpi);
    const int left = int(std::ceil(patchMm.left() * perMm));
    const int top = int(std::ceil(patchMm.top() * perMm));
    const int height = int(std::floor(patchMm.height() * perMm));
    const int lines = int(std::floor(patchMm.width() * perMm)) / (2 * lineDots);
    for (int i = 0; i < lines; ++i)
        painter.fillRect(QRectF(left + 2 * i * lineDots, top, lineDots, height), Qt::black);
    painter.restore();
}

} // namespace

void useDots(QPainter &painter, int dpi)
{
    const int deviceDpi = painter.device()->logicalDpiX();
    if (deviceDpi != dpi)
        painter.scale(double(deviceDpi) / dpi, double(painter.device()->logicalDpiY()) / dpi);
}

void drawFooter(QPainter &painter, int dpi, QSizeF paperMm, double topDots,
                const QString &firstLine, Language language)
{
    const double perMm = dotsPerMm(dpi);
    const double footerLeft = std::ceil(kMarginMm * perMm);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(9, perMm));
    const double room = paperMm.width() * perMm - 2 * footerLeft;
    drawTextWithin(painter, QPointF(footerLeft, topDots + kFiguresBaselineMm * perMm), firstLine,
                   room);
    drawTextWithin(painter, QPointF(footerLeft, topDots + kFullSizeBaselineMm * perMm),
                   printAtFullSizeLine(language), room);
    painter.restore();
    drawRuler(painter, QPointF(footerLeft, std::round(topDots + kScaleBarTopMm * perMm)), perMm);
}

std::vector<std::pair<int, int>> latticeBars(const SheetGeometry &g)
{
    return barsOf(g.latticeDots().width(), g.slitDots, g.frameCount);
}

std::vector<std::pair<int, int>> latticeSlits(const SheetGeometry &g)
{
    std::vector<std::pair<int, int>> slits;
    for (int x = 0; x < g.latticeDots().width(); x += g.periodDots)
        slits.emplace_back(x, x + g.slitDots);
    return slits;
}

void renderSheetPage(QPainter &painter, const SheetGeometry &g, int page, const QImage &composed)
{
    if (page == 1) {
        painter.drawImage(QRectF(g.pictureDots()), composed);
        drawMarks(painter, g, 1);
        return;
    }
    const QRect lattice = g.latticeDots();
    for (const auto &[start, end] : latticeBars(g))
        painter.fillRect(QRectF(lattice.x() + start, lattice.y(), end - start, lattice.height()),
                         Qt::black);
    drawMarks(painter, g, 2);
    drawBorder(painter, g);
}

void renderSheet(QPainter &painter, QPagedPaintDevice &device, const SheetGeometry &g,
                 const QImage &composed)
{
    painter.save();
    useDots(painter, g.dpi);
    // Stored as it is: without this hint the PDF engine writes pictures as JPEG, which
    // blurs the stripe edges. No smoothing either: the picture is drawn one pixel to a dot.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    renderSheetPage(painter, g, 1, composed);
    device.newPage();
    renderSheetPage(painter, g, 2, composed);
    painter.restore();
}

std::vector<double> calibrationSlitsMm()
{
    std::vector<double> slits;
    for (int tenths = 3; tenths <= 30; ++tenths)
        slits.push_back(tenths / 10.0);
    return slits;
}

void checkCalibration(const SheetChoices &choices)
{
    checkPaper(choices);
    const CalibrationLayout l = calibrationLayout(choices);
    const double blockWidth = std::size(kResolutionTestDpi) * kResolutionGroupMm;
    if (l.cellW < kMinCellWidthMm || l.cellH < kMinCellHeightMm ||
        kLadderLeftMm + blockWidth > l.paper.width() - kMarginMm)
        throw SheetRefused("the paper is too small for the calibration page",
                           QStringLiteral("紙が小さすぎて、調整用シートが入りません。"));
}

void renderCalibration(QPainter &painter, const SheetChoices &choices)
{
    checkCalibration(choices);
    painter.save();
    useDots(painter, choices.dpi);
    const double perMm = dotsPerMm(choices.dpi);
    const CalibrationLayout l = calibrationLayout(choices);
    const auto dots = [&](double mm) { return std::round(mm * perMm); };

    painter.setPen(Qt::black);
    painter.setFont(sheetFont(11, perMm));
    painter.drawText(QPointF(dots(kMarginMm), dots(kMarginMm + 4)),
                     calibrationHeading(choices.dpi, choices.language));
    painter.setFont(sheetFont(7, perMm));
    drawTextWithin(painter, QPointF(dots(kMarginMm + 60), dots(kMarginMm + 4)),
                   calibrationHint(choices.language), dots(l.paper.width() - 2 * kMarginMm - 60));

    // Rulers: across below the title, down the left edge.
    drawRuler(painter, QPointF(dots(kLadderLeftMm), dots(kMarginMm + 8)), perMm);
    drawRuler(painter, QPointF(dots(kMarginMm), dots(kLadderTopMm)), perMm, true);

    // The ladder: one cell per slit, row by row. Each patch starts with a slit and holds
    // whole periods, so it ends on a whole bar: its last edge is as fair a test as any.
    const std::vector<double> slits = calibrationSlitsMm();
    painter.setFont(sheetFont(8, perMm));
    for (int i = 0; i < int(slits.size()); ++i) {
        const double cellX = kLadderLeftMm + (i % l.columns) * l.cellW;
        const double cellY = kLadderTopMm + (i / l.columns) * l.cellH;
        const int slit = slitDots(slits[size_t(i)], choices.dpi);
        painter.drawText(QPointF(dots(cellX), dots(cellY + 3.5)),
                         QStringLiteral("%1 mm (%2)")
                             .arg(QString::number(slits[size_t(i)], 'f', 1),
                                  mmText(dotsToMm(slit, choices.dpi))));
        const int period = 2 * slit;
        const int width = int(dots(l.cellW - 4)) / period * period;
        const QRectF patch(dots(cellX), dots(cellY + 5), width, dots(l.cellH - 8));
        for (const auto &[start, end] : barsOf(width, slit, 2))
            painter.fillRect(QRectF(patch.x() + start, patch.y(), end - start, patch.height()),
                             Qt::black);
    }

    // The resolution block: whichever grid prints its fine lines crisp is the printer's.
    painter.setFont(sheetFont(8, perMm));
    drawTextWithin(painter, QPointF(dots(kLadderLeftMm), dots(l.blockTop + 4)),
                   resolutionHint(choices.language),
                   dots(l.paper.width() - kMarginMm - kLadderLeftMm));
    for (size_t i = 0; i < std::size(kResolutionTestDpi); ++i) {
        const int grid = kResolutionTestDpi[i];
        const double groupX = kLadderLeftMm + i * kResolutionGroupMm;
        painter.drawText(QPointF(dots(groupX), dots(l.blockTop + 9)),
                         QStringLiteral("%1 dpi").arg(grid));
        for (int lineDots : {1, 2}) {
            const QRectF patch(groupX + (lineDots - 1) * (kResolutionPatchMm + 1), l.blockTop + 11,
                               kResolutionPatchMm, kResolutionPatchHeightMm);
            drawGridLines(painter, choices.dpi, grid, patch, lineDots);
        }
    }
    drawTextWithin(painter, QPointF(dots(kMarginMm), dots(l.paper.height() - kMarginMm - 1)),
                   printAtFullSizeLine(choices.language), dots(l.paper.width() - 2 * kMarginMm));
    painter.restore();
}

} // namespace sheet
