#pragma once

#include "shapes/lamp_layout.h"
#include "sheet/sheet_choices.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_picture.h"

#include <QImage>
#include <QPoint>
#include <QRectF>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// The print sheet of a lamp: page 1 the picture strip that wraps the inner cylinder, page 2
// the lattice strip that wraps the outer one. Each strip ends in a glue tab that goes under
// its other end, with a registration line at the seam to glue it to.
namespace sheet
{

// Beyond the end of each strip, to glue under its start.
constexpr double kGlueTabMm = 10.0;
// Above and below the slits of the lattice strip, holding a cut strip together.
constexpr double kLampRimMm = 5.0;
// How far the seam's registration line and the corner marks reach out from a strip.
constexpr double kSeamTickMm = 3.0;
// The least strip height that makes a sheet.
constexpr double kMinStripHeightMm = 10.0;

struct LampSheetGeometry {
    shapes::LampLayout lamp;
    double askedInnerMm = 0;
    double outerMm = 0;
    int dpi = 0;
    int frameCount = 0;
    bool landscape = false;
    QPageSize pageSize;
    QSizeF paperMm;
    Language language = Language::Japanese;
    // Page 1: the picture strip, stripDots x heightDots, its top-left corner on the page.
    int heightDots = 0;
    QPoint pictureOriginDots;
    // Page 2: where the lattice strip's seam end lies across, in dots; its slits run from
    // the picture's top to its bottom, the rims above and below.
    double latticeLeftDots = 0;

    QSize canvasDots() const { return QSize(lamp.stripDots, heightDots); }
    double stripMm() const { return dotsToMm(lamp.stripDots, dpi); }
    double heightMm() const { return dotsToMm(heightDots, dpi); }
    QRect pictureDots() const { return QRect(pictureOriginDots, canvasDots()); }
    // The lattice strip's slit area, from the seam to the seam again, in dots.
    QRectF latticeDots() const;
    // The whole lattice strip to cut: the slit area, the glue tab and the rims.
    QRectF latticeOutlineDots() const;
};

// Lays the lamp out (see shapes::layOutLamp) on the chosen paper: the strip's height from
// the canvas's proportions or `heightMm`. Throws SheetRefused for choices out of range, an
// outer cylinder not larger than the inner one, or a strip longer or taller than the paper
// holds, naming the length or height it needs.
LampSheetGeometry layOutLampSheet(const SheetChoices &choices, int frameCount, double innerMm,
                                  double outerMm, std::optional<double> heightMm,
                                  QSize canvasAspect);

// The picture strip: every frame fitted onto the strip's canvas and prepared as asked, then
// composed by the frames rule with the strip's slit, one frame at a time. `beforeFrame` is
// called as composeSheetPicture calls it.
QImage composeLampSheetPicture(const std::vector<FramePicture> &frames, const LampSheetGeometry &g,
                               const sources::Preparation &preparation = {},
                               const std::function<void(int)> &beforeFrame = {});

// The lattice strip's slits in millimetres from its seam end, [start, end): the P slits of
// the strip, and then those that lie whole on the glue tab, which continue the pattern so
// that they fall on the first ones once the tab is glued under them. The slits sit in the
// middle of their periods: the seam then runs through the middle of a bar.
std::vector<std::pair<double, double>> lampLatticeSlitsMm(const LampSheetGeometry &g);

// Page 1: the picture strip, one pixel per dot, its glue tab, corner marks and the seam's
// line. Page 2: the lattice strip's bars as vector rectangles, its outline to cut along and
// the seam's line. Both carry the footer of the straight sheet.
void renderLampSheet(QPainter &painter, QPagedPaintDevice &device, const LampSheetGeometry &g,
                     const QImage &picture);
// One page (1 or 2) as renderLampSheet draws it, the painter in dots from the paper's corner;
// page 1 draws `picture` over the strip at whatever size it has.
void renderLampSheetPage(QPainter &painter, const LampSheetGeometry &g, int page,
                         const QImage &picture);

} // namespace sheet
