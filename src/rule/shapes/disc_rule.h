#pragma once

#include <QImage>
#include <QSize>

#include <algorithm>
#include <functional>
#include <vector>

// The rule of a rotating disc of N frames: a printed disc under a transparent disc with
// radial slits, turned on a pin through both centres.
//  - Pixel (x, y) is taken at its centre (x + 0.5, y + 0.5); its angle theta is measured
//    clockwise from 12 o'clock around the canvas's centre (W / 2, H / 2), in [0, 360).
//  - With P periods around the disc the slit angle is alpha = 360 / (P N), and the pixel
//    lies in sector g = floor(theta / alpha).
//  - The composed picture takes pixel (x, y) from frame (-g) mod N, as the straight rule
//    takes column x from frame (-floor(x / w)) mod N.
//  - The lattice disc of radius R = min(W, H) / 2 is clear where g mod N = 0 and black
//    elsewhere; inside a hub of radius R / 10 it is solid, with a pin hole marked at the
//    centre. Outside R there is no disc.
//  - Preview step o of a cycle of N S steps (S steps a slit) turns the lattice anticlockwise
//    by phi = o alpha / S: a pixel of the disc shows where floor((theta + phi) / alpha)
//    mod N = 0 and is black elsewhere, so at phi = k alpha frame k shows alone.
// A pixel whose theta / alpha (turn included) lies within 1e-6 of a whole number counts as
// lying on that boundary, in the sector that starts there: pixels on the axes and the
// diagonals of a symmetric canvas then fall the same way whatever rounding atan2 made.
namespace shapes
{

constexpr int kMinPeriods = 4;
constexpr int kMaxPeriods = 180;
constexpr int kDefaultPeriods = 24;
constexpr int kPreviewStepsPerSlit = 4;

// The solid hub round the pin, and the pin hole marked in it, for a disc of radius R in
// pixels or dots.
inline double DiscHubRadius(double radius)
{
    return radius / 10.0;
}
inline double DiscPinHoleRadius(double radius)
{
    return std::max(1.0, radius / 50.0);
}

// theta / alpha for pixel (x, y): where it lies around the disc, in slits.
double DiscSlitPosition(QSize canvas, int periods, int frameCount, int x, int y);
// The sector a position (in slits, turn included) falls in, boundaries decided as above.
int SectorOf(double slitPosition);

// Composes frames already fitted to one canvas size by the disc rule. Throws
// std::invalid_argument when the count, the periods or the sizes do not fit the rule.
QImage ComposeDisc(const std::vector<QImage> &canvases, int periods);
// The same for frames fitted one at a time, as a print sheet composes them at the printer's
// dots: fittedFrame(i) gives frame i fitted to `canvas`, asked for each frame in order, so
// only one fitted frame is held beside the composed picture. Throws std::bad_alloc when a
// fitted frame is null (no memory for it), std::invalid_argument as ComposeDisc does.
QImage ComposeFittedDisc(QSize canvas, int frameCount, int periods,
                         const std::function<QImage(int)> &fittedFrame);
// The lattice disc on a canvas of the given size: clear (white) slits, black bars and hub,
// a white pin hole; white outside the disc.
QImage DiscLattice(QSize canvas, int periods, int frameCount);
// The number of preview steps in one cycle: N S.
int DiscCycleLength(int frameCount);
// The composed picture under the lattice disc turned by preview step `step`; outside the
// disc it is white.
QImage DiscPreviewFrame(const QImage &composed, int periods, int frameCount, int step);

// The same step after step for one composed picture: where every pixel lies on the disc
// is worked out once, so that a step costs a comparison a pixel rather than an angle,
// about a fifth of the time. Holds 8 bytes a pixel beside the picture. Throws
// std::invalid_argument as DiscPreviewFrame does.
class DiscPreview
{
  public:
    DiscPreview(const QImage &composed, int periods, int frameCount);
    // Preview step `step` into `out`, which is reused when it has the picture's size.
    void frameInto(int step, QImage &out) const;
    const QImage &composed() const { return composed_; }

  private:
    QImage composed_;
    QImage source_;
    int frameCount_;
    // theta / alpha of each pixel on the disc; kOutside or kHub elsewhere.
    std::vector<double> position_;
};

} // namespace shapes
