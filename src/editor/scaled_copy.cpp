#include "editor/scaled_copy.h"

#include "platform/numeric.h"
#include "platform/surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

// Source position and weight of each destination column or row, in 8-bit fixed point:
// the destination pixel centre mapped back onto the source, between index and index + 1.
struct Tap {
    int index;
    int next;
    std::uint32_t weight; // 0..256 towards next
};

std::vector<Tap> taps(int from, int to, int origin, int drawn, int sourceSize)
{
    std::vector<Tap> result;
    result.reserve(std::size_t(std::max(to - from, 0)));
    const double scale = double(sourceSize) / drawn;
    for (int d = from; d < to; ++d) {
        double pos = (d - origin + 0.5) * scale - 0.5;
        pos = std::clamp(pos, 0.0, double(sourceSize - 1));
        const int index = int(pos);
        const int next = std::min(index + 1, sourceSize - 1);
        const auto weight = std::uint32_t((pos - index) * 256.0 + 0.5);
        result.push_back({index, next, weight});
    }
    return result;
}

// Mixes two runs of pixels byte by byte, weight 0..256 towards b. Each product fits in 16
// bits (255 * 256), so the compiler can work on many bytes at once.
void mixRun(const std::uint32_t *a, const std::uint32_t *b, std::uint32_t weight,
            std::uint32_t *out, int count)
{
    const auto *ab = reinterpret_cast<const std::uint8_t *>(a);
    const auto *bb = reinterpret_cast<const std::uint8_t *>(b);
    auto *ob = reinterpret_cast<std::uint8_t *>(out);
    const auto w = std::uint16_t(weight);
    const auto keep = std::uint16_t(256 - weight);
    for (int k = 0; k < count * 4; ++k)
        ob[k] = std::uint8_t((std::uint16_t(ab[k] * keep) + std::uint16_t(bb[k] * w)) >> 8);
}

// Mixes pairs of pixels byte by byte, each with its own weight: keep[k] for a, towards[k]
// for b (the weights of a column repeated for its four bytes). The same sums as mixRun.
void mixColumns(const std::uint8_t *__restrict a, const std::uint8_t *__restrict b,
                const std::uint16_t *__restrict keep, const std::uint16_t *__restrict towards,
                std::uint8_t *__restrict out, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out[k] =
            std::uint8_t((std::uint16_t(a[k] * keep[k]) + std::uint16_t(b[k] * towards[k])) >> 8);
}

// The pixels of the drawing `drawn` (the whole source stretched onto it) that out holds,
// out's (0, 0) being the target's `origin`.
void renderScaled(const QImage &source, const QRect &drawn, QImage &out, QPoint origin)
{
    const QRect part = drawn & QRect(origin, out.size());
    if (part.isEmpty())
        return;
    const int srcW = source.width();
    const int srcH = source.height();
    const std::vector<Tap> columns =
        taps(part.left(), part.right() + 1, drawn.x(), drawn.width(), srcW);
    const std::vector<Tap> rows =
        taps(part.top(), part.bottom() + 1, drawn.y(), drawn.height(), srcH);
    const int firstColumn = columns.front().index;
    const int lastColumn = columns.back().next;
    // Each output row mixes two source rows first (a straight run the compiler vectorises),
    // then picks and mixes neighbouring columns of that blend. Rows that map to the same
    // source rows and weight share one blend.
    static std::vector<std::uint32_t> blend;
    blend.resize(std::size_t(srcW) + 1);
    const Tap *blended = nullptr;
    const int partW = part.width();
    // The columns' weights for each byte, and the two neighbours of each column of a blend.
    static std::vector<std::uint16_t> keep, towards;
    static std::vector<std::uint32_t> left, right;
    keep.resize(std::size_t(partW) * 4);
    towards.resize(std::size_t(partW) * 4);
    static std::vector<int> starts;
    starts.resize(std::size_t(partW));
    for (int c = 0; c < partW; ++c)
        starts[std::size_t(c)] = columns[std::size_t(c)].index;
    left.resize(std::size_t(partW));
    right.resize(std::size_t(partW));
    for (int c = 0; c < partW; ++c)
        for (int k = 0; k < 4; ++k) {
            towards[std::size_t(c * 4 + k)] = std::uint16_t(columns[std::size_t(c)].weight);
            keep[std::size_t(c * 4 + k)] = std::uint16_t(256 - columns[std::size_t(c)].weight);
        }
    for (int r = 0; r < part.height(); ++r) {
        const Tap &row = rows[std::size_t(r)];
        if (!blended || blended->index != row.index || blended->next != row.next ||
            blended->weight != row.weight) {
            const auto *upper =
                reinterpret_cast<const std::uint32_t *>(source.constScanLine(row.index));
            const auto *lower =
                reinterpret_cast<const std::uint32_t *>(source.constScanLine(row.next));
            mixRun(upper + firstColumn, lower + firstColumn, row.weight, blend.data() + firstColumn,
                   lastColumn - firstColumn + 1);
            blended = &row;
        }
        auto *line = reinterpret_cast<std::uint32_t *>(out.scanLine(part.top() + r - origin.y())) +
                     (part.left() - origin.x());
        // Both neighbours in one read: next is index + 1, except at the last column where
        // the weight towards next is 0 and the padding pixel read instead counts for nothing.
        for (int c = 0; c < partW; ++c) {
            std::uint64_t pair;
            std::memcpy(&pair, blend.data() + starts[std::size_t(c)], sizeof pair);
            left[std::size_t(c)] = std::uint32_t(pair);
            right[std::size_t(c)] = std::uint32_t(pair >> 32);
        }
        mixColumns(reinterpret_cast<const std::uint8_t *>(left.data()),
                   reinterpret_cast<const std::uint8_t *>(right.data()), keep.data(),
                   towards.data(), reinterpret_cast<std::uint8_t *>(line), partW * 4);
    }
}

// The part of an already stretched picture placed at `drawn` that out holds.
void copyPart(const QImage &stretched, const QRect &drawn, QImage &out, QPoint origin)
{
    const QRect part = drawn & QRect(origin, out.size());
    for (int y = part.top(); y <= part.bottom(); ++y)
        std::memcpy(out.scanLine(y - origin.y()) + 4 * (part.left() - origin.x()),
                    stretched.constScanLine(y - drawn.y()) + 4 * (part.left() - drawn.x()),
                    std::size_t(part.width()) * 4);
}

} // namespace

void drawScaledCopy(Surface &target, const QImage &picture, double left, double top, double width,
                    double height)
{
    if (picture.isNull())
        return;
    const int x0 = roundHalfEven(left);
    const int y0 = roundHalfEven(top);
    const int drawnW = roundHalfEven(left + width) - x0;
    const int drawnH = roundHalfEven(top + height) - y0;
    if (drawnW <= 0 || drawnH <= 0)
        return;
    const QImage source = asSurfaceImage(picture);
    const QRect drawn(x0, y0, drawnW, drawnH);

    // Only the part someone looks at is computed, when it is needed: a zoomed picture far
    // larger than the editing area costs no more than the editing area itself.
    if ((drawnW == source.width() && drawnH == source.height()) || drawnW * 2 < source.width() ||
        drawnH * 2 < source.height()) {
        // Unscaled, or reduced to less than half: the picture is small enough to stretch
        // whole, averaging areas as the surface's own drawing does.
        const QImage stretched =
            drawn.size() == source.size()
                ? source
                : asSurfaceImage(
                      source.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        target.drawOnDemand(drawn, [stretched, drawn](QImage &out, QPoint origin) {
            copyPart(stretched, drawn, out, origin);
        });
        return;
    }
    target.drawOnDemand(drawn, [source, drawn](QImage &out, QPoint origin) {
        renderScaled(source, drawn, out, origin);
    });
}
