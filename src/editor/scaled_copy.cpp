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

// The two neighbours of each destination column of a part, and their weights: the same for
// every row, and for every band of rows of one drawing, so they are worked out once for it.
struct ColumnTaps {
    int drawnX = 0, drawnW = 0, sourceW = 0, from = 0, to = 0;
    std::vector<Tap> taps;
    std::vector<int> starts;            // the left neighbour; the right one is next to it
    std::vector<std::uint32_t> towards; // weight 0..256 towards the right neighbour
};

const ColumnTaps &columnTaps(int from, int to, int drawnX, int drawnW, int sourceW)
{
    static ColumnTaps kept;
    if (kept.taps.empty() || kept.from != from || kept.to != to || kept.drawnX != drawnX ||
        kept.drawnW != drawnW || kept.sourceW != sourceW) {
        kept.taps = taps(from, to, drawnX, drawnW, sourceW);
        kept.starts.clear();
        kept.towards.clear();
        for (const Tap &tap : kept.taps) {
            kept.starts.push_back(tap.index);
            kept.towards.push_back(tap.weight);
        }
        kept.drawnX = drawnX;
        kept.drawnW = drawnW;
        kept.sourceW = sourceW;
        kept.from = from;
        kept.to = to;
    }
    return kept;
}

// The two loops below are built twice, for plain x86-64 and for AVX2, and the processor picks
// one when the program starts. Both compute the same exact integer sums.

// Mixes two runs of pixels byte by byte, weight 0..256 towards b. Each product fits in 16
// bits (255 * 256), so the compiler can work on many bytes at once.
[[gnu::target_clones("avx2", "default")]] void mixRun(const std::uint32_t *a,
                                                      const std::uint32_t *b, std::uint32_t weight,
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

// Mixes each column's two neighbours, pixels starts[c] and starts[c] + 1 of the blend, with
// its own weight: the byte sums of mixRun, two bytes at a time. Blue and red (and green and
// alpha) sit 16 bits apart, where a product of up to 255 * 256 cannot reach the other.
[[gnu::target_clones("avx2", "default")]] void mixColumns(const std::uint32_t *__restrict blend,
                                                          const int *__restrict starts,
                                                          const std::uint32_t *__restrict towards,
                                                          std::uint32_t *__restrict out, int count)
{
    constexpr std::uint32_t kEvenBytes = 0x00FF00FFu;
    for (int c = 0; c < count; ++c) {
        const std::uint32_t a = blend[starts[c]];
        const std::uint32_t b = blend[starts[c] + 1];
        const std::uint32_t w = towards[c];
        const std::uint32_t keep = 256 - w;
        const std::uint32_t blueRed = (((a & kEvenBytes) * keep + (b & kEvenBytes) * w) >> 8);
        const std::uint32_t greenAlpha =
            ((a >> 8) & kEvenBytes) * keep + ((b >> 8) & kEvenBytes) * w;
        out[c] = (blueRed & kEvenBytes) | (greenAlpha & ~kEvenBytes);
    }
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
    const ColumnTaps &columns =
        columnTaps(part.left(), part.right() + 1, drawn.x(), drawn.width(), srcW);
    const std::vector<Tap> rows =
        taps(part.top(), part.bottom() + 1, drawn.y(), drawn.height(), srcH);
    const int firstColumn = columns.taps.front().index;
    const int lastColumn = columns.taps.back().next;
    // Each output row mixes two source rows first (a straight run the compiler vectorises),
    // then mixes neighbouring columns of that blend. Rows that map to the same source rows
    // and weight share one blend. The blend has one pixel more than a row: the right
    // neighbour of the last column, whose weight there is 0.
    static std::vector<std::uint32_t> blend;
    blend.resize(std::size_t(srcW) + 1);
    const Tap *blended = nullptr;
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
        mixColumns(blend.data(), columns.starts.data(), columns.towards.data(), line, part.width());
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
    const QRect drawn(x0, y0, drawnW, drawnH);
    // A drawing wholly outside the target (a strongly reduced picture moved off its small
    // surface) changes nothing.
    if (!drawn.intersects(QRect(0, 0, target.width(), target.height())))
        return;
    const QImage source = asSurfaceImage(picture);

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
