#include "shapes/disc_rule.h"

#include "frames/frames_rule.h"
#include "platform/surface.h"

#include <cmath>
#include <cstdint>
#include <new>
#include <numbers>
#include <stdexcept>

namespace shapes
{

namespace
{

constexpr uint32_t kWhitePixel = 0xFFFFFFFFu;
constexpr uint32_t kBlackPixel = 0xFF000000u;
constexpr double kBoundarySlack = 1e-6;

void checkRule(int periods, int frameCount)
{
    if (frameCount < frames::kMinFrames || frameCount > frames::kMaxFrames)
        throw std::invalid_argument("frame count out of range");
    if (periods < kMinPeriods || periods > kMaxPeriods)
        throw std::invalid_argument("periods out of range");
}

int positiveMod(int value, int modulus)
{
    const int r = value % modulus;
    return r < 0 ? r + modulus : r;
}

// Where a pixel lies on the lattice disc: the radius and the centre's distances.
struct DiscGeometry {
    double centreX;
    double centreY;
    double radius;
    double hub;
    double pinHole;

    explicit DiscGeometry(QSize canvas)
        : centreX(canvas.width() / 2.0), centreY(canvas.height() / 2.0),
          radius(std::min(canvas.width(), canvas.height()) / 2.0), hub(DiscHubRadius(radius)),
          pinHole(DiscPinHoleRadius(radius))
    {
    }
    double distance(int x, int y) const
    {
        return std::hypot(x + 0.5 - centreX, y + 0.5 - centreY);
    }
};

} // namespace

double DiscSlitPosition(QSize canvas, int periods, int frameCount, int x, int y)
{
    const double dx = x + 0.5 - canvas.width() / 2.0;
    const double dy = y + 0.5 - canvas.height() / 2.0;
    // Clockwise from 12 o'clock, with y growing downwards: atan2 of right over up.
    double theta = std::atan2(dx, -dy);
    if (theta < 0)
        theta += 2 * std::numbers::pi;
    return theta * periods * frameCount / (2 * std::numbers::pi);
}

int SectorOf(double slitPosition)
{
    const double nearest = std::round(slitPosition);
    if (std::abs(slitPosition - nearest) < kBoundarySlack)
        return int(nearest);
    return int(std::floor(slitPosition));
}

QImage ComposeDisc(const std::vector<QImage> &canvases, int periods)
{
    const int count = int(canvases.size());
    checkRule(periods, count);
    const QSize size = canvases.front().size();
    std::vector<QImage> frames;
    for (const QImage &canvas : canvases) {
        if (canvas.size() != size)
            throw std::invalid_argument("frames differ in size");
        frames.push_back(asSurfaceImage(canvas));
    }
    QImage composed(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *out = reinterpret_cast<uint32_t *>(composed.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int sector = SectorOf(DiscSlitPosition(size, periods, count, x, y));
            const QImage &frame = frames[size_t(positiveMod(-sector, count))];
            out[x] = reinterpret_cast<const uint32_t *>(frame.constScanLine(y))[x];
        }
    }
    return composed;
}

QImage ComposeFittedDisc(QSize canvas, int frameCount, int periods,
                         const std::function<QImage(int)> &fittedFrame)
{
    checkRule(periods, frameCount);
    if (canvas.isEmpty())
        throw std::invalid_argument("empty canvas");
    // Which frame each pixel takes, worked out once rather than once a frame.
    std::vector<uint8_t> owner(size_t(canvas.width()) * size_t(canvas.height()));
    for (int y = 0, i = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x, ++i)
            owner[size_t(i)] = uint8_t(
                positiveMod(-SectorOf(DiscSlitPosition(canvas, periods, frameCount, x, y)),
                            frameCount));
    QImage composed(canvas, QImage::Format_RGB32);
    if (composed.isNull())
        throw std::bad_alloc();
    for (int f = 0; f < frameCount; ++f) {
        const QImage fitted = fittedFrame(f);
        if (fitted.isNull())
            throw std::bad_alloc();
        if (fitted.size() != canvas)
            throw std::invalid_argument("frames differ in size");
        const QImage frame = asSurfaceImage(fitted);
        for (int y = 0; y < canvas.height(); ++y) {
            const uint8_t *row = &owner[size_t(y) * size_t(canvas.width())];
            const auto *in = reinterpret_cast<const uint32_t *>(frame.constScanLine(y));
            auto *out = reinterpret_cast<uint32_t *>(composed.scanLine(y));
            for (int x = 0; x < canvas.width(); ++x)
                if (row[x] == f)
                    out[x] = in[x];
        }
    }
    return composed;
}

QImage DiscLattice(QSize canvas, int periods, int frameCount)
{
    checkRule(periods, frameCount);
    const DiscGeometry disc(canvas);
    QImage lattice(canvas, QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y) {
        auto *out = reinterpret_cast<uint32_t *>(lattice.scanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            const double r = disc.distance(x, y);
            bool clear = r > disc.radius || r < disc.pinHole;
            if (!clear && r >= disc.hub) {
                const int sector = SectorOf(DiscSlitPosition(canvas, periods, frameCount, x, y));
                clear = positiveMod(sector, frameCount) == 0;
            }
            out[x] = clear ? kWhitePixel : kBlackPixel;
        }
    }
    return lattice;
}

int DiscCycleLength(int frameCount)
{
    return frameCount * kPreviewStepsPerSlit;
}

QImage DiscPreviewFrame(const QImage &composed, int periods, int frameCount, int step)
{
    QImage frame;
    DiscPreview(composed, periods, frameCount).frameInto(step, frame);
    return frame;
}

namespace
{
// Positions on the disc are never negative.
constexpr double kOutside = -2;
constexpr double kHub = -1;
} // namespace

DiscPreview::DiscPreview(const QImage &composed, int periods, int frameCount)
    : composed_(composed), frameCount_(frameCount)
{
    checkRule(periods, frameCount);
    source_ = asSurfaceImage(composed);
    const QSize size = source_.size();
    const DiscGeometry disc(size);
    position_.resize(size_t(size.width()) * size_t(size.height()));
    for (int y = 0, i = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x, ++i) {
            const double r = disc.distance(x, y);
            position_[size_t(i)] = r > disc.radius ? kOutside
                                   : r < disc.hub
                                       ? kHub
                                       : DiscSlitPosition(size, periods, frameCount, x, y);
        }
    }
}

void DiscPreview::frameInto(int step, QImage &out) const
{
    const QSize size = source_.size();
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    if (out.isNull())
        throw std::bad_alloc();
    const double turn = double(step) / kPreviewStepsPerSlit;
    for (int y = 0; y < size.height(); ++y) {
        const auto *in = reinterpret_cast<const uint32_t *>(source_.constScanLine(y));
        auto *line = reinterpret_cast<uint32_t *>(out.scanLine(y));
        const double *position = &position_[size_t(y) * size_t(size.width())];
        for (int x = 0; x < size.width(); ++x) {
            if (position[x] == kOutside) {
                line[x] = kWhitePixel;
                continue;
            }
            const bool shows =
                position[x] != kHub && positiveMod(SectorOf(position[x] + turn), frameCount_) == 0;
            line[x] = shows ? in[x] : kBlackPixel;
        }
    }
}

} // namespace shapes
