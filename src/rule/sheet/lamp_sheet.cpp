#include "sheet/lamp_sheet.h"

#include "frames/frames_rule.h"
#include "sheet/sheet_marks.h"
#include "sheet/sheet_render.h"
#include "sheet/sheet_texts.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sheet
{

namespace
{

constexpr double kSlackMm = 1e-9;
constexpr double kLineMm = 0.1;
constexpr double kTickGapMm = 1.0;
// The glue tab of the picture strip is tinted, so it is not taken for paper to cut off.
const QColor kTabTint(0xE0, 0xE0, 0xE0);

int wholeDots(double mm, int dpi)
{
    return int(std::ceil(mm * dotsPerMm(dpi) - 1e-9));
}

QString mm1(double mm)
{
    return QString::number(mm, 'f', 1);
}

SheetRefused tooLong(double needMm, double roomMm)
{
    return SheetRefused(
        "the lamp's strip is " + mm1(needMm).toStdString() +
            " mm long with its glue tab; the paper holds " + mm1(roomMm).toStdString() +
            " mm inside its margins",
        QStringLiteral("ランプの帯はのりしろを入れて %1 mm になり、この紙には %2 mm までしか入り"
                       "ません。大きな紙を選んでください。")
            .arg(mm1(needMm), mm1(roomMm)));
}

// From the paper's top: margin, border, the strip, its rim, border, the footer, margin.
double roomDownMm(QSizeF paper)
{
    return paper.height() - 2 * kMarginMm - 2 * kBorderMm - kLampRimMm - kFooterMm;
}

QPen thinPen(double perMm)
{
    QPen pen(Qt::black, kLineMm * perMm);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Short lines out from a rectangle's corners, clear of it, to cut along with a ruler.
void drawCornerMarks(QPainter &painter, const QRectF &r, double perMm)
{
    const double gap = kTickGapMm * perMm, length = kSeamTickMm * perMm;
    for (const double x : {r.left(), r.right()})
        for (const double y : {r.top(), r.bottom()}) {
            const double out = y == r.top() ? -1 : 1;
            painter.drawLine(QPointF(x, y + out * gap), QPointF(x, y + out * (gap + length)));
            const double side = x == r.left() ? -1 : 1;
            painter.drawLine(QPointF(x + side * gap, y), QPointF(x + side * (gap + length), y));
        }
}

// The seam's registration line above and below a strip, where the other end is glued.
void drawSeam(QPainter &painter, double x, double top, double bottom, double perMm)
{
    const double length = kSeamTickMm * perMm;
    painter.drawLine(QPointF(x, top - length), QPointF(x, top));
    painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + length));
}

// Below the lattice strip's rim on both pages.
void drawFooterOf(QPainter &painter, const LampSheetGeometry &g, int page)
{
    drawFooter(painter, g.dpi, g.paperMm,
               g.latticeOutlineDots().bottom() + wholeDots(kBorderMm, g.dpi),
               pageName(page, g.language) + QStringLiteral("　") +
                   lampFiguresLine(g.language, g.frameCount, g.lamp.periods,
                                   dotsToMm(g.lamp.slitDots, g.dpi), g.lamp.innerDiameterMm,
                                   g.askedInnerMm, g.outerMm, g.dpi),
               g.language);
}

// Page 2: the bars, the outline to cut along and the seam's line.
void drawLatticeStrip(QPainter &painter, const LampSheetGeometry &g)
{
    const double perMm = dotsPerMm(g.dpi);
    const double tab = kGlueTabMm * perMm;
    const QRectF lattice = g.latticeDots();
    const double end = lattice.width() + tab;
    double from = 0;
    const auto bar = [&](double start, double stop) {
        if (stop > start)
            painter.fillRect(
                QRectF(lattice.x() + start, lattice.y(), stop - start, lattice.height()),
                Qt::black);
    };
    for (const auto &[start, stop] : lampLatticeSlitsMm(g)) {
        bar(from, start * perMm);
        from = stop * perMm;
    }
    bar(from, end);
    painter.setPen(thinPen(perMm));
    painter.setBrush(Qt::NoBrush);
    const QRectF outline = g.latticeOutlineDots();
    painter.drawRect(outline);
    const double seam = lattice.x() + lattice.width();
    painter.drawLine(QPointF(seam, outline.top() - kSeamTickMm * perMm),
                     QPointF(seam, lattice.top()));
    painter.drawLine(QPointF(seam, lattice.bottom()),
                     QPointF(seam, outline.bottom() + kSeamTickMm * perMm));
    drawFooterOf(painter, g, 2);
}

} // namespace

QRectF LampSheetGeometry::latticeDots() const
{
    return QRectF(latticeLeftDots, pictureOriginDots.y(), lamp.latticeLengthMm * dotsPerMm(dpi),
                  heightDots);
}

QRectF LampSheetGeometry::latticeOutlineDots() const
{
    const double perMm = dotsPerMm(dpi);
    return latticeDots().adjusted(0, -kLampRimMm * perMm, kGlueTabMm * perMm, kLampRimMm * perMm);
}

LampSheetGeometry layOutLampSheet(const SheetChoices &choices, int frameCount, double innerMm,
                                  double outerMm, std::optional<double> heightMm,
                                  QSize canvasAspect)
{
    checkChoices(choices, frameCount, canvasAspect);
    if (!(innerMm > 0) || !std::isfinite(outerMm))
        throw SheetRefused("the lamp needs the diameters of both cylinders",
                           QStringLiteral("ランプには内筒と外筒の直径が要ります。"));
    if (!(outerMm > innerMm))
        throw SheetRefused("the outer cylinder must be larger than the inner one",
                           QStringLiteral("外筒は内筒より大きくしてください。"));
    const QSizeF paper = paperMm(choices);
    const double roomAcross = paper.width() - 2 * kMarginMm;
    // The outer strip is the longer; far too long is refused before it becomes dots.
    if (std::numbers::pi * outerMm > roomAcross)
        throw tooLong(std::numbers::pi * outerMm + kGlueTabMm, roomAcross);

    LampSheetGeometry g;
    g.lamp = shapes::layOutLamp(frameCount, choices.slitMm, choices.dpi, innerMm, outerMm);
    g.askedInnerMm = innerMm;
    g.outerMm = outerMm;
    g.dpi = choices.dpi;
    g.frameCount = frameCount;
    g.landscape = choices.landscape;
    g.pageSize = pageSizeOf(choices);
    g.paperMm = paper;
    g.language = choices.language;
    const double longest = std::max(g.stripMm(), g.lamp.latticeLengthMm) + kGlueTabMm;
    if (longest > roomAcross + kSlackMm)
        throw tooLong(longest, roomAcross);

    const double perMm = dotsPerMm(g.dpi);
    const double roomDown = roomDownMm(paper);
    if (heightMm) {
        if (!(*heightMm >= kMinStripHeightMm - kSlackMm))
            throw SheetRefused("the strip must be at least 10 mm high",
                               QStringLiteral("帯の高さは 10 mm 以上にしてください。"));
        g.heightDots = *heightMm <= paper.height() ? int(std::lround(*heightMm * perMm)) : 0;
    } else {
        g.heightDots = std::max(1, int(std::lround(double(g.lamp.stripDots) *
                                                   canvasAspect.height() / canvasAspect.width())));
    }
    if (g.heightDots == 0 || g.heightMm() > roomDown + kSlackMm)
        throw SheetRefused(
            "the strip is too high for the paper: at most " + mm1(roomDown).toStdString() +
                " mm high",
            QStringLiteral("帯が紙に入りません。この紙では、帯の高さは %1 mm までです。")
                .arg(mm1(roomDown)));

    const double paperWidthDots = paper.width() * perMm;
    const int top = wholeDots(kMarginMm, g.dpi) + wholeDots(kBorderMm, g.dpi);
    g.pictureOriginDots =
        QPoint(int(std::floor((paperWidthDots - g.lamp.stripDots - kGlueTabMm * perMm) / 2)), top);
    g.latticeLeftDots = (paperWidthDots - (g.lamp.latticeLengthMm + kGlueTabMm) * perMm) / 2;
    return g;
}

QImage composeLampSheetPicture(const std::vector<FramePicture> &frames, const LampSheetGeometry &g,
                               const sources::Preparation &preparation,
                               const std::function<void(int)> &beforeFrame)
{
    return frames::ComposeFittedFrames(int(frames.size()), g.lamp.slitDots, [&](int i) {
        if (beforeFrame)
            beforeFrame(i);
        const FramePicture &frame = frames[size_t(i)];
        return sources::PrepareFrame(frame.picture, frame.naturalSize, g.canvasDots(), preparation);
    });
}

std::vector<std::pair<double, double>> lampLatticeSlitsMm(const LampSheetGeometry &g)
{
    const double period = g.lamp.latticePeriodMm, slit = g.lamp.latticeSlitMm;
    const double first = (period - slit) / 2;
    const double end = g.lamp.latticeLengthMm + kGlueTabMm;
    std::vector<std::pair<double, double>> slits;
    for (int k = 0; first + k * period + slit <= end + kSlackMm; ++k)
        slits.emplace_back(first + k * period, first + k * period + slit);
    return slits;
}

void renderLampSheetPage(QPainter &painter, const LampSheetGeometry &g, int page,
                         const QImage &picture)
{
    painter.save();
    const double perMm = dotsPerMm(g.dpi);
    const double tab = kGlueTabMm * perMm;
    if (page == 2) {
        drawLatticeStrip(painter, g);
        painter.restore();
        return;
    }
    const QRectF strip(g.pictureDots());
    painter.drawImage(strip, picture);
    const QRectF tabArea(strip.right(), strip.top(), tab, strip.height());
    painter.fillRect(tabArea, kTabTint);
    painter.setPen(thinPen(perMm));
    // Inside the tab, so the outline takes nothing off the picture's last stripe.
    const double half = kLineMm * perMm / 2;
    painter.drawRect(tabArea.adjusted(half, half, -half, -half));
    painter.save();
    painter.setFont(sheetFont(7, perMm));
    painter.translate(tabArea.center());
    painter.rotate(90);
    painter.drawText(QRectF(-strip.height() / 2, -tab / 2, strip.height(), tab), Qt::AlignCenter,
                     glueTabLabel(g.language));
    painter.restore();
    drawCornerMarks(painter, strip.adjusted(0, 0, tab, 0), perMm);
    drawSeam(painter, strip.right(), strip.top(), strip.bottom(), perMm);
    drawFooterOf(painter, g, 1);
    painter.restore();
}

void renderLampSheet(QPainter &painter, QPagedPaintDevice &device, const LampSheetGeometry &g,
                     const QImage &picture)
{
    painter.save();
    useDots(painter, g.dpi);
    // Stored as it is, one pixel to a dot, as the straight sheet's picture.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    renderLampSheetPage(painter, g, 1, picture);
    device.newPage();
    renderLampSheetPage(painter, g, 2, picture);
    painter.restore();
}

} // namespace sheet
