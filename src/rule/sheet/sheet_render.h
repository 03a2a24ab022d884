#pragma once

#include "sheet/sheet_choices.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_texts.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <utility>
#include <vector>

class QPainter;
class QPagedPaintDevice;

// Drawing a print sheet onto any paged device: a PDF file (QPdfWriter) or the printer
// (QPrinter). The device's origin is the corner of the paper (no margins, a full page) and
// its resolution is the sheet's dpi, so one device unit is one printer dot.
namespace sheet
{

// Makes one painter unit one dot of a sheet at `dpi`, whatever the device's resolution.
void useDots(QPainter &painter, int dpi);
// The footer every sheet carries, from `topDots` down (in dots, painter in dots): the first
// line (the page's name and figures), the line that asks for printing at 100 %, and the
// 100 mm scale bar. It takes kFooterMm.
void drawFooter(QPainter &painter, int dpi, QSizeF paperMm, double topDots,
                const QString &firstLine, Language language);

// The bars of the lattice, as [first, last + 1) columns counted from the picture area's
// left edge, over the picture width and one period more.
std::vector<std::pair<int, int>> latticeBars(const SheetGeometry &g);
// The slits of the lattice as a cutter cuts them, [first, last + 1) columns from the
// picture area's left edge: every slit that starts inside the lattice, each a whole slit
// wide, the first at column 0.
std::vector<std::pair<int, int>> latticeSlits(const SheetGeometry &g);

// Page 1: the composed picture, placed at exactly one picture pixel per printer dot and
// stored losslessly. Page 2: the lattice as black rectangles on nothing, every bar edge on a
// stripe edge of page 1, and a thin outline along the border to cut film by hand. Both
// pages carry the registration crosses outside the lattice area, and below the border the
// line of figures, the line that asks for printing at 100 % and a 100 mm scale bar.
// `composed` is canvasDots in size. The painter is active on `device`.
void renderSheet(QPainter &painter, QPagedPaintDevice &device, const SheetGeometry &g,
                 const QImage &composed);
// One page of the sheet (1 or 2) as renderSheet draws it, with the painter's units in
// printer dots and its origin at the corner of the paper. Page 1 draws `composed` over the
// picture area at whatever size it has: the page preview gives a picture at its own scale.
void renderSheetPage(QPainter &painter, const SheetGeometry &g, int page, const QImage &composed);

// The slits of the calibration ladder: 0.3 to 3.0 mm in 0.1 mm steps.
std::vector<double> calibrationSlitsMm();
// The printer grids the calibration page's resolution block tries.
constexpr int kResolutionTestDpi[] = {300, 360, 600, 720, 1200};

// Refuses, with SheetRefused, a paper too small for the calibration page.
void checkCalibration(const SheetChoices &choices);

// The calibration page 「調整用シート」: a labelled lattice patch for every slit of the
// ladder (slit and bar of the same width, as with two frames) at the chosen resolution, each
// of whole periods ending on a bar; 100 mm rulers across and down; and the resolution
// block, a patch of 1-dot and one of 2-dot lines on the grid of each of
// kResolutionTestDpi. Throws SheetRefused as checkCalibration does.
void renderCalibration(QPainter &painter, const SheetChoices &choices);

} // namespace sheet
