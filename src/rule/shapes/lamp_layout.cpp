#include "shapes/lamp_layout.h"

#include "frames/frames_rule.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace shapes
{

namespace
{
constexpr double kMmPerInch = 25.4;
} // namespace

LampLayout layOutLamp(int frameCount, double slitMm, int dpi, double innerMm, double outerMm)
{
    if (frameCount < frames::kMinFrames || frameCount > frames::kMaxFrames)
        throw std::invalid_argument("frame count out of range");
    if (!(slitMm > 0) || dpi <= 0 || !(innerMm > 0) || !std::isfinite(outerMm))
        throw std::invalid_argument("slit, resolution and diameters must be positive");
    if (!(outerMm > innerMm))
        throw std::invalid_argument("the outer cylinder must be larger than the inner one");

    LampLayout lamp;
    lamp.frameCount = frameCount;
    lamp.dpi = dpi;
    lamp.slitDots = std::max(1, int(std::lround(slitMm * dpi / kMmPerInch)));
    const double circumferenceDots = std::numbers::pi * innerMm * dpi / kMmPerInch;
    lamp.periods =
        std::max(2, int(std::lround(circumferenceDots / (frameCount * lamp.slitDots))));
    lamp.stripDots = lamp.periods * frameCount * lamp.slitDots;
    lamp.innerDiameterMm = lamp.stripDots * kMmPerInch / dpi / std::numbers::pi;
    lamp.latticeLengthMm = std::numbers::pi * outerMm;
    lamp.latticePeriodMm = lamp.latticeLengthMm / lamp.periods;
    lamp.latticeSlitMm = lamp.latticePeriodMm / frameCount;
    return lamp;
}

} // namespace shapes
