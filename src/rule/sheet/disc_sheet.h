#pragma once

#include "sheet/sheet_choices.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_picture.h"

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRect>

#include <array>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// The print sheet of a rotating disc: page 1 the picture disc composed by the disc rule at
// the printer's dots, page 2 the lattice disc as vector wedges, both centred on the same
// point of the paper so that a pin through both centres lines them up.
namespace sheet
{

struct DiscSheetGeometry {
    int dpi = 0;
    int frameCount = 0;
    int periods = 0;
    bool landscape = false;
    QPageSize pageSize;
    QSizeF paperMm;
    Language language = Language::Japanese;
    // The disc's square canvas in dots, and its top-left corner on the page.
    int diameterDots = 0;
    QPoint originDots;

    double radiusDots() const { return diameterDots / 2.0; }
    double diameterMm() const { return dotsToMm(diameterDots, dpi); }
    QPointF centreDots() const;
    double hubDots() const;
    double pinHoleDots() const;
    // alpha = 360 / (P N), in degrees clockwise from 12 o'clock.
    double slitDegrees() const { return 360.0 / (periods * frameCount); }
    QRect pictureDots() const { return QRect(originDots, QSize(diameterDots, diameterDots)); }
    // The square with kBorderMm round it: the crosses stay inside, the footer goes below.
    QRect borderDots() const;
    // The registration crosses, kCrossOffsetMm out from the square's corners both ways.
    std::array<QPoint, 4> crossCentresDots() const;
};

// The largest disc that fits inside the margins, or the user's width as its diameter.
// Throws SheetRefused for choices out of range, periods outside 4 to 180, or a disc that
// does not fit the paper (naming the largest that does).
DiscSheetGeometry layOutDiscSheet(const SheetChoices &choices, int frameCount, int periods);

// The picture disc: every frame fitted onto the square canvas and prepared as asked, then
// composed by the disc rule, one frame at a time; white outside the disc. `beforeFrame` is
// called as composeSheetPicture calls it.
QImage composeDiscSheetPicture(const std::vector<FramePicture> &frames, const DiscSheetGeometry &g,
                               const sources::Preparation &preparation = {},
                               const std::function<void(int)> &beforeFrame = {});
// Makes a composed disc (32-bit, its canvas square) white outside the disc, as the preview
// shows it: the paper round a picture disc is cut off.
void clearOutsideDisc(QImage &picture);

// A black wedge of the lattice: from `startDegrees` clockwise through `sweepDegrees`,
// angles clockwise from 12 o'clock.
struct Wedge {
    double startDegrees;
    double sweepDegrees;
};
// The P black wedges (the bars): sector p N + 1 to (p + 1) N - 1 of each period, so sector
// g is clear where g mod N = 0, as the disc rule's lattice.
std::vector<Wedge> discBars(const DiscSheetGeometry &g);
// A wedge from the centre out to `radius`, and a whole circle, in the painter's dots; the
// ends of their arcs lie exactly on the circle.
QPainterPath wedgePath(QPointF centre, double radius, const Wedge &wedge);
QPainterPath circlePath(QPointF centre, double radius);

// Page 1: the picture disc, one picture pixel per dot, a thin circle round it and a cross at
// its centre. Page 2: the lattice disc as vector wedges, the solid hub of R / 10 with the pin
// hole marked at the centre, and the outer circle. Both pages carry the registration
// crosses and the footer of the straight sheet. The painter is active on `device`.
void renderDiscSheet(QPainter &painter, QPagedPaintDevice &device, const DiscSheetGeometry &g,
                     const QImage &picture);
// One page (1 or 2) as renderDiscSheet draws it, the painter in dots from the paper's corner;
// page 1 draws `picture` over the disc's square at whatever size it has.
void renderDiscSheetPage(QPainter &painter, const DiscSheetGeometry &g, int page,
                         const QImage &picture);

} // namespace sheet
