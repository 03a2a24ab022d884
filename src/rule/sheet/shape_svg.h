#pragma once

#include "sheet/disc_sheet.h"
#include "sheet/lamp_sheet.h"

#include <QByteArray>

// The lattices of discs and lamps as SVG to cut, one piece each, in millimetres on a drawing
// of the paper's size where page 2 of the sheet prints them. As for the straight lattice,
// layer "cut" (red) holds the cuts and layer "marks" (blue) what is drawn, not cut. Every cut
// is moved by half the kerf so that the piece comes out at the sheet's sizes: outlines
// outwards, slits and holes inwards.
namespace sheet
{

// Slits stop this short of the disc's rim, so that the cut disc stays one piece.
constexpr double kDiscRimMm = 3.0;

// The disc's slit radii in the SVG, in millimetres: from the hub out to the rim (the rim at
// most a tenth of the radius on small discs).
double discSlitInnerMm(const DiscSheetGeometry &g);
double discSlitOuterMm(const DiscSheetGeometry &g);

// The lattice disc: the outer circle "outline" (radius R); the P wedge slits "slit-1" ...,
// one a period (the sectors g = p N, clockwise from 12 o'clock), as closed paths between the
// hub and the rim; and the pin hole "pin-hole"; the crosses on "marks". Throws SheetRefused
// for a kerf below 0, not narrower than a slit at the hub, or as wide as the pin hole.
QByteArray discLatticeSvg(const DiscSheetGeometry &g, double kerfMm);

// The lattice strip: the outline "outline" round the slits, the rims and the glue tab; the P
// slits "slit-1" ... and those on the tab, "tab-slit-1" ..., each closed between the rims;
// the seam's registration line "seam" on "marks". Throws SheetRefused for a kerf below 0 or
// not narrower than the slit.
QByteArray lampLatticeSvg(const LampSheetGeometry &g, double kerfMm);

} // namespace sheet
