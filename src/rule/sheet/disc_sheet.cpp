#include "sheet/disc_sheet.h"

#include "shapes/disc_rule.h"
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
constexpr double kCircleLineMm = 0.1;

int wholeDots(double mm, int dpi)
{
    return int(std::ceil(mm * dotsPerMm(dpi) - 1e-9));
}

// Room for the disc: inside the margins and the border round it, above the footer.
double roomMm(const SheetChoices &choices)
{
    const QSizeF paper = paperMm(choices);
    return std::min(paper.width() - 2 * kMarginMm - 2 * kBorderMm,
                    paper.height() - 2 * kMarginMm - 2 * kBorderMm - kFooterMm);
}

// The largest diameter in whole tenths of a millimetre that still fits once it is dots.
double largestDiameterMm(const SheetChoices &choices)
{
    const double room = roomMm(choices);
    for (int tenths = int(std::floor(room * 10 + kSlackMm)); tenths >= int(kMinWidthMm * 10);
         --tenths) {
        const int dots = int(std::lround(tenths / 10.0 * dotsPerMm(choices.dpi)));
        if (dotsToMm(dots, choices.dpi) <= room + kSlackMm)
            return tenths / 10.0;
    }
    throw SheetRefused("the paper is too small for this sheet",
                       QStringLiteral("紙が小さすぎて、この設定の絵が入りません。"));
}

// Degrees clockwise from 12 o'clock, the disc's angles, on a page whose y grows downwards.
QPointF pointOnCircle(QPointF centre, double radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    return centre + radius * QPointF(std::sin(a), -std::cos(a));
}

// An arc from the path's current point at `fromDegrees` on to `toDegrees`, clockwise, as
// cubic curves of at most 15 degrees. QPainterPath::arcTo places even the arc's ends on its
// own curves, off the circle by up to 3e-4 of the radius; these ends lie on it exactly and the
// curves between stay within 1e-8 of the radius.
void appendArc(QPainterPath &path, QPointF centre, double radius, double fromDegrees,
               double toDegrees)
{
    const int pieces = std::max(1, int(std::ceil((toDegrees - fromDegrees) / 15 - 1e-9)));
    const double step = (toDegrees - fromDegrees) / pieces * std::numbers::pi / 180;
    const double handle = 4.0 / 3 * std::tan(step / 4) * radius;
    const auto tangent = [](double a) { return QPointF(std::cos(a), std::sin(a)); };
    for (int i = 0; i < pieces; ++i) {
        const double a = fromDegrees * std::numbers::pi / 180 + i * step, b = a + step;
        const double bDegrees = i + 1 == pieces ? toDegrees : b * 180 / std::numbers::pi;
        path.cubicTo(pointOnCircle(centre, radius, a * 180 / std::numbers::pi) +
                         handle * tangent(a),
                     pointOnCircle(centre, radius, bDegrees) - handle * tangent(b),
                     pointOnCircle(centre, radius, bDegrees));
    }
}

void drawCircle(QPainter &painter, QPointF centre, double radius, double perMm)
{
    painter.save();
    painter.setPen(QPen(Qt::black, kCircleLineMm * perMm));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(circlePath(centre, radius));
    painter.restore();
}

void drawMarks(QPainter &painter, const DiscSheetGeometry &g, int page)
{
    const double perMm = dotsPerMm(g.dpi);
    for (const QPoint centre : g.crossCentresDots())
        drawCross(painter, centre, perMm);
    const QRect border = g.borderDots();
    drawFooter(painter, g.dpi, g.paperMm, border.y() + border.height(),
               pageName(page, g.language) + QStringLiteral("　") +
                   discFiguresLine(g.language, g.frameCount, g.periods, g.slitDegrees(),
                                   g.diameterMm(), g.dpi),
               g.language);
}

} // namespace

QPointF DiscSheetGeometry::centreDots() const
{
    return QPointF(originDots.x() + radiusDots(), originDots.y() + radiusDots());
}

double DiscSheetGeometry::hubDots() const
{
    return shapes::DiscHubRadius(radiusDots());
}

double DiscSheetGeometry::pinHoleDots() const
{
    return shapes::DiscPinHoleRadius(radiusDots());
}

QRect DiscSheetGeometry::borderDots() const
{
    const int border = wholeDots(kBorderMm, dpi);
    return pictureDots().adjusted(-border, -border, border, border);
}

std::array<QPoint, 4> DiscSheetGeometry::crossCentresDots() const
{
    const int out = wholeDots(kCrossOffsetMm, dpi);
    const QRect square = pictureDots();
    const int left = square.x() - out, right = square.x() + square.width() + out;
    const int top = square.y() - out, bottom = square.y() + square.height() + out;
    return {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)};
}

DiscSheetGeometry layOutDiscSheet(const SheetChoices &choices, int frameCount, int periods)
{
    checkChoices(choices, frameCount, QSize(1, 1));
    if (periods < shapes::kMinPeriods || periods > shapes::kMaxPeriods)
        throw SheetRefused("a disc has 4 to 180 periods",
                           QStringLiteral("円盤の周期の数は 4 から 180 までです。"));
    const double largest = largestDiameterMm(choices);
    const double diameter = choices.widthMm.value_or(largest);
    if (!(diameter >= kMinWidthMm - kSlackMm))
        throw SheetRefused("the disc must be at least 10 mm across",
                           QStringLiteral("円盤の直径は 10 mm 以上にしてください。"));

    DiscSheetGeometry g;
    g.dpi = choices.dpi;
    g.frameCount = frameCount;
    g.periods = periods;
    g.landscape = choices.landscape;
    g.pageSize = pageSizeOf(choices);
    g.paperMm = paperMm(choices);
    g.language = choices.language;
    // Far too large is refused before it becomes dots.
    if (diameter <= g.paperMm.width())
        g.diameterDots = std::max(1, int(std::lround(diameter * dotsPerMm(g.dpi))));
    if (g.diameterDots == 0 || g.diameterMm() > roomMm(choices) + kSlackMm)
        throw SheetRefused(
            "the disc does not fit the paper: at most " +
                QString::number(largest, 'f', 1).toStdString() + " mm across",
            QStringLiteral("円盤が紙に入りません。\nこの紙では、円盤の直径は %1 mm までです。")
                .arg(QString::number(largest, 'f', 1)));

    const double paperWidthDots = g.paperMm.width() * dotsPerMm(g.dpi);
    g.originDots = QPoint(int(std::floor((paperWidthDots - g.diameterDots) / 2)),
                          wholeDots(kMarginMm, g.dpi) + wholeDots(kBorderMm, g.dpi));
    return g;
}

QImage composeDiscSheetPicture(const std::vector<FramePicture> &frames, const DiscSheetGeometry &g,
                               const sources::Preparation &preparation,
                               const std::function<void(int)> &beforeFrame)
{
    const QSize canvas(g.diameterDots, g.diameterDots);
    QImage picture = shapes::ComposeFittedDisc(canvas, int(frames.size()), g.periods, [&](int i) {
        if (beforeFrame)
            beforeFrame(i);
        const FramePicture &frame = frames[size_t(i)];
        return sources::PrepareFrame(frame.picture, frame.naturalSize, canvas, preparation);
    });
    clearOutsideDisc(picture);
    return picture;
}

void clearOutsideDisc(QImage &picture)
{
    const double cx = picture.width() / 2.0, cy = picture.height() / 2.0;
    const double r = std::min(cx, cy);
    // In squares: the centres and the radius are whole halves, so these are exact, and far
    // quicker than hypot on a disc of millions of dots.
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const double dy = y + 0.5 - cy;
        for (int x = 0; x < picture.width(); ++x) {
            const double dx = x + 0.5 - cx;
            if (dx * dx + dy * dy > r * r)
                row[x] = 0xFFFFFFFFu;
        }
    }
}

std::vector<Wedge> discBars(const DiscSheetGeometry &g)
{
    std::vector<Wedge> bars;
    const double alpha = g.slitDegrees();
    for (int p = 0; p < g.periods; ++p)
        bars.push_back({(p * g.frameCount + 1) * alpha, (g.frameCount - 1) * alpha});
    return bars;
}

QPainterPath wedgePath(QPointF centre, double radius, const Wedge &wedge)
{
    QPainterPath path(centre);
    path.lineTo(pointOnCircle(centre, radius, wedge.startDegrees));
    appendArc(path, centre, radius, wedge.startDegrees, wedge.startDegrees + wedge.sweepDegrees);
    path.closeSubpath();
    return path;
}

QPainterPath circlePath(QPointF centre, double radius)
{
    QPainterPath path(pointOnCircle(centre, radius, 0));
    appendArc(path, centre, radius, 0, 360);
    path.closeSubpath();
    return path;
}

void renderDiscSheetPage(QPainter &painter, const DiscSheetGeometry &g, int page,
                         const QImage &picture)
{
    painter.save();
    const double perMm = dotsPerMm(g.dpi);
    const QPointF centre = g.centreDots();
    if (page == 1) {
        painter.drawImage(QRectF(g.pictureDots()), picture);
        drawCircle(painter, centre, g.radiusDots(), perMm);
        drawCross(painter, centre, perMm);
        drawMarks(painter, g, 1);
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Wedge &bar : discBars(g))
        painter.fillPath(wedgePath(centre, g.radiusDots(), bar), Qt::black);
    painter.fillPath(circlePath(centre, g.hubDots()), Qt::black);
    // The pin hole: white in the hub, crossed by a thin line each way to centre the pin.
    painter.fillPath(circlePath(centre, g.pinHoleDots()), Qt::white);
    QPen pen(Qt::black, std::max(1.0, 0.1 * perMm));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const double arm = g.pinHoleDots();
    painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
    drawCircle(painter, centre, g.radiusDots(), perMm);
    drawMarks(painter, g, 2);
    painter.restore();
}

void renderDiscSheet(QPainter &painter, QPagedPaintDevice &device, const DiscSheetGeometry &g,
                     const QImage &picture)
{
    painter.save();
    useDots(painter, g.dpi);
    // Stored as it is, one pixel to a dot, as the straight sheet's picture.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    renderDiscSheetPage(painter, g, 1, picture);
    device.newPage();
    renderDiscSheetPage(painter, g, 2, picture);
    painter.restore();
}

} // namespace sheet
