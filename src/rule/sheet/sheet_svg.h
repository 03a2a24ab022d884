#pragma once

#include "sheet/sheet_geometry.h"

#include <QByteArray>

// The lattice as SVG for laser cutters, plotters and cutting machines.
namespace sheet
{

// The lattice as one piece to cut, on a drawing of the paper's size in millimetres, where
// everything lies where page 2 of the sheet prints it:
//  - layer "cut" (red): the outer outline along the border, then every slit as a closed
//    outline, each narrowed by the kerf, half on each edge, so that a cut slit comes out at
//    the sheet's slit;
//  - layer "marks" (blue): the registration crosses, for the cutter to draw or to mark,
//    not to cut.
// Throws SheetRefused for a kerf below 0 or not narrower than the slit.
QByteArray latticeSvg(const SheetGeometry &g, double kerfMm);

} // namespace sheet
