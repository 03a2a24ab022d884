#include "sheet/sheet_render.h"

#include "frames/frames_rule.h"
#include "sheet/sheet_marks.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace sheet
{

namespace
{

// The footer, measured down from the bottom of the picture area: the line of figures,
// then the scale bar.
constexpr double kFiguresBaselineMm = 8.0;
constexpr double kScaleBarTopMm = 10.5;

// One device unit is one dot when the device runs at the sheet's resolution; a device at
// another resolution is scaled to dots.
void useDots(QPainter &painter, int dpi)
{
    const int deviceDpi = painter.device()->logicalDpiX();
    if (deviceDpi != dpi)
        painter.scale(double(deviceDpi) / dpi, double(painter.device()->logicalDpiY()) / dpi);
}

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

void drawMarks(QPainter &painter, const SheetGeometry &g, const QString &pageName)
{
    const double perMm = dotsPerMm(g.dpi);
    const QRect area = g.pictureDots();
    // The corners of the picture area, on dot edges: the right and bottom edges lie after
    // the last column and row.
    const double left = area.x(), top = area.y();
    const double right = left + area.width(), bottom = top + area.height();
    for (const QPointF corner :
         {QPointF(left, top), QPointF(right, top), QPointF(left, bottom), QPointF(right, bottom)})
        drawCross(painter, corner, perMm);

    const double footerLeft = std::ceil(kMarginMm * perMm);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(9, perMm));
    painter.drawText(QPointF(footerLeft, bottom + kFiguresBaselineMm * perMm),
                     pageName + QStringLiteral("　") + figuresLine(g));
    painter.restore();
    drawRuler(painter, QPointF(footerLeft, std::round(bottom + kScaleBarTopMm * perMm)), perMm);
}

} // namespace

QString figuresLine(const SheetGeometry &g)
{
    return QStringLiteral("N = %1　スリット %2 mm（指定 %3 mm）　周期 %4 mm　%5 dpi")
        .arg(g.frameCount)
        .arg(mmText(g.slitMm()), mmText(g.requestedSlitMm), mmText(g.periodMm()))
        .arg(g.dpi);
}

std::vector<std::pair<int, int>> latticeBars(const SheetGeometry &g)
{
    return barsOf(g.latticeDots().width(), g.slitDots, g.frameCount);
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
    const QRect area = g.pictureDots();
    painter.drawImage(QRectF(area), composed);
    drawMarks(painter, g, QStringLiteral("1/2 絵"));

    device.newPage();
    const QRect lattice = g.latticeDots();
    for (const auto &[start, end] : latticeBars(g))
        painter.fillRect(QRectF(lattice.x() + start, lattice.y(), end - start, lattice.height()),
                         Qt::black);
    drawMarks(painter, g, QStringLiteral("2/2 格子（透明シート用）"));
    painter.restore();
}

std::vector<double> calibrationSlitsMm()
{
    std::vector<double> slits;
    for (int tenths = 3; tenths <= 30; ++tenths)
        slits.push_back(tenths / 10.0);
    return slits;
}

void renderCalibration(QPainter &painter, const SheetChoices &choices)
{
    painter.save();
    useDots(painter, choices.dpi);
    const double perMm = dotsPerMm(choices.dpi);
    const QSizeF paper = paperMm(choices.paper, choices.landscape);
    const auto dots = [&](double mm) { return std::round(mm * perMm); };

    painter.setPen(Qt::black);
    painter.setFont(sheetFont(11, perMm));
    painter.drawText(QPointF(dots(kMarginMm), dots(kMarginMm + 4)),
                     QStringLiteral("調整用シート　%1 dpi").arg(choices.dpi));
    painter.setFont(sheetFont(7, perMm));
    painter.drawText(QPointF(dots(kMarginMm + 60), dots(kMarginMm + 4)),
                     QStringLiteral("白いすき間と黒い線が同じ幅の格子です。印刷と透明シートで"
                                    "はっきり出るスリットの幅を選んでください。"));

    // Rulers: across below the title, down the left edge.
    constexpr double kLadderLeftMm = kMarginMm + 14;
    constexpr double kLadderTopMm = kMarginMm + 20;
    drawRuler(painter, QPointF(dots(kLadderLeftMm), dots(kMarginMm + 8)), perMm);
    drawRuler(painter, QPointF(dots(kMarginMm), dots(kLadderTopMm)), perMm, true);

    // The ladder: one cell per slit, row by row.
    const std::vector<double> slits = calibrationSlitsMm();
    const int columns = choices.landscape ? 7 : 4;
    const int rows = (int(slits.size()) + columns - 1) / columns;
    const double cellW = (paper.width() - kMarginMm - kLadderLeftMm) / columns;
    const double cellH = (paper.height() - kMarginMm - kLadderTopMm) / rows;
    painter.setFont(sheetFont(8, perMm));
    for (int i = 0; i < int(slits.size()); ++i) {
        const double cellX = kLadderLeftMm + (i % columns) * cellW;
        const double cellY = kLadderTopMm + (i / columns) * cellH;
        const int slit = slitDots(slits[size_t(i)], choices.dpi);
        painter.drawText(QPointF(dots(cellX), dots(cellY + 3.5)),
                         QStringLiteral("%1 mm (%2)")
                             .arg(QString::number(slits[size_t(i)], 'f', 1),
                                  mmText(dotsToMm(slit, choices.dpi))));
        const QRectF patch(dots(cellX), dots(cellY + 5), dots(cellW - 4), dots(cellH - 8));
        for (const auto &[start, end] : barsOf(int(patch.width()), slit, 2))
            painter.fillRect(QRectF(patch.x() + start, patch.y(), end - start, patch.height()),
                             Qt::black);
    }
    painter.restore();
}

} // namespace sheet
