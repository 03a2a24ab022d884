#pragma once

#include "sheet/sheet_choices.h"
#include "sheet/sheet_geometry.h"

#include <QImage>
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

// The line of figures on both pages: frames, the real and the chosen slit, the period and
// the resolution.
QString figuresLine(const SheetGeometry &g);

// The bars of the lattice, as [first, last + 1) columns counted from the picture area's
// left edge, over the picture width and one period more.
std::vector<std::pair<int, int>> latticeBars(const SheetGeometry &g);

// Page 1: the composed picture, placed at exactly one picture pixel per printer dot and
// stored losslessly. Page 2: the lattice as black rectangles on nothing, every bar edge on a
// stripe edge of page 1. Both pages carry the registration crosses at the corners of the
// picture area, the line of figures and a 100 mm scale bar. `composed` is canvasDots in
// size. The painter is active on `device`.
void renderSheet(QPainter &painter, QPagedPaintDevice &device, const SheetGeometry &g,
                 const QImage &composed);

// The slits of the calibration ladder: 0.3 to 3.0 mm in 0.1 mm steps.
std::vector<double> calibrationSlitsMm();

// The calibration page 「調整用シート」: a labelled lattice patch for every slit of the
// ladder (slit and bar of the same width, as with two frames) at the chosen resolution,
// and 100 mm rulers across and down.
void renderCalibration(QPainter &painter, const SheetChoices &choices);

} // namespace sheet
