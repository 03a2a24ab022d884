#pragma once

#include <stdexcept>

// A lamp: the picture strip wraps an inner cylinder, the lattice strip a larger outer one,
// and the two turn together. For the slits to sweep the stripes evenly the angular periods
// must match, so the lattice's period is the picture's times D_out / D_in; what is fixed
// in whole printer dots is the picture strip, and the lattice follows from it.
namespace shapes
{

// The cylinders the program lays out, in mm: from a candle lamp's to a shop window's.
constexpr double kMinLampDiameterMm = 10;
constexpr double kMaxLampDiameterMm = 2000;

struct LampLayout {
    int frameCount = 0;
    int dpi = 0;
    // The picture strip: slit s = max(1, round(slit mm x dpi / 25.4)) dots, P periods of
    // N s dots, P = max(2, round(pi D_in dpi / 25.4 / (N s))), exactly P N s dots long, so
    // that the stripes run on across the seam.
    int slitDots = 0;
    int periods = 0;
    int stripDots = 0;
    // The diameter that strip really wraps, which the user builds the inner cylinder to.
    double innerDiameterMm = 0;
    // The lattice strip: pi D_out mm long, P periods, each with one slit of a period / N.
    double latticeLengthMm = 0;
    double latticePeriodMm = 0;
    double latticeSlitMm = 0;
};

// Throws std::invalid_argument when the frame count, slit, dpi or diameters are out of
// range, or the outer cylinder is not larger than the inner one.
LampLayout layOutLamp(int frameCount, double slitMm, int dpi, double innerMm, double outerMm);

} // namespace shapes
