#include "editor/scaled_copy.h"

#include "platform/numeric.h"
#include "platform/smooth_scaling.h"
#include "platform/surface.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// Resampling runs AVX2 loops where the processor has them (all but old x86-64 processors),
// the plain loops elsewhere or when tests turn them off.
bool avx2Allowed = true;

bool useAvx2()
{
#if defined(__x86_64__)
    static const bool present = __builtin_cpu_supports("avx2");
    return present && avx2Allowed;
#else
    return false;
#endif
}

// The two neighbours of each destination column of a part, and their weights: the same for
// every row, and for every band of rows of one drawing, so they are worked out once for it.
struct ColumnTaps {
    int drawnX = 0, drawnW = 0, sourceW = 0, from = 0, to = 0;
    std::vector<Tap> taps;
    std::vector<int> starts;            // the left neighbour; the right one is next to it
    std::vector<std::uint32_t> towards; // weight 0..256 towards the right neighbour
    // Each column's left neighbour counted from that of the first of its eight columns, and
    // the largest such offset: below 8 when enlarging, below 15 when reducing to no less
    // than half.
    std::vector<std::uint32_t> offsets;
    std::uint32_t reach = 0;
};

const ColumnTaps &columnTaps(int from, int to, int drawnX, int drawnW, int sourceW)
{
    // A few are kept: a drawing partly hidden by a later one is worked out in pieces, which
    // take turns band after band.
    static std::array<ColumnTaps, 4> tables;
    static std::size_t replaced = 0;
    for (const ColumnTaps &kept : tables)
        if (!kept.taps.empty() && kept.from == from && kept.to == to && kept.drawnX == drawnX &&
            kept.drawnW == drawnW && kept.sourceW == sourceW)
            return kept;
    replaced = (replaced + 1) % tables.size();
    ColumnTaps &kept = tables[replaced];
    kept.taps = taps(from, to, drawnX, drawnW, sourceW);
    const std::size_t count = kept.taps.size();
    kept.starts.resize(count);
    kept.towards.resize(count);
    kept.offsets.resize(count);
    kept.reach = 0;
    for (std::size_t c = 0; c < count; ++c) {
        kept.starts[c] = kept.taps[c].index;
        kept.towards[c] = kept.taps[c].weight;
        kept.offsets[c] = std::uint32_t(kept.starts[c] - kept.starts[c - c % 8]);
        kept.reach = std::max(kept.reach, kept.offsets[c]);
    }
    kept.drawnX = drawnX;
    kept.drawnW = drawnW;
    kept.sourceW = sourceW;
    kept.from = from;
    kept.to = to;
    return kept;
}

// Mixes two runs of pixels byte by byte, weight 0..256 towards b. Each product fits in 16
// bits (255 * 256), so the compiler can work on many bytes at once.
[[gnu::always_inline]] inline void mixRunLoop(const std::uint32_t *a, const std::uint32_t *b,
                                              std::uint32_t weight, std::uint32_t *out, int count)
{
    const auto *ab = reinterpret_cast<const std::uint8_t *>(a);
    const auto *bb = reinterpret_cast<const std::uint8_t *>(b);
    auto *ob = reinterpret_cast<std::uint8_t *>(out);
    const auto w = std::uint16_t(weight);
    const auto keep = std::uint16_t(256 - weight);
    for (int k = 0; k < count * 4; ++k)
        ob[k] = std::uint8_t((std::uint16_t(ab[k] * keep) + std::uint16_t(bb[k] * w)) >> 8);
}

void mixRunPlain(const std::uint32_t *a, const std::uint32_t *b, std::uint32_t weight,
                 std::uint32_t *out, int count)
{
    mixRunLoop(a, b, weight, out, count);
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void mixRunAvx2(const std::uint32_t *a, const std::uint32_t *b,
                                        std::uint32_t weight, std::uint32_t *out, int count)
{
    mixRunLoop(a, b, weight, out, count);
}
#endif

// Mixes pixels a and b, weight 0..256 towards b: the byte sums of mixRun, two bytes at a time.
// Blue and red (and green and alpha) sit 16 bits apart, where a product of up to 255 * 256
// cannot reach the other. Pixels is one pixel or a vector of them (passed by reference, as
// the plain build has no registers for a vector).
template <typename Pixels>
[[gnu::always_inline]] inline void mixPixels(const Pixels &a, const Pixels &b,
                                             const Pixels &towards, Pixels &out)
{
    constexpr std::uint32_t kEvenBytes = 0x00FF00FFu;
    const Pixels keep = 256u - towards;
    const Pixels blueRed = ((a & kEvenBytes) * keep + (b & kEvenBytes) * towards) >> 8;
    const Pixels greenAlpha = ((a >> 8) & kEvenBytes) * keep + ((b >> 8) & kEvenBytes) * towards;
    out = (blueRed & kEvenBytes) | (greenAlpha & ~kEvenBytes);
}

// Each column from its two neighbours in the blend, pixels starts[c] and starts[c] + 1.
[[gnu::always_inline]] inline void mixColumnsLoop(const std::uint32_t *__restrict blend,
                                                  const int *__restrict starts,
                                                  const std::uint32_t *__restrict towards,
                                                  std::uint32_t *__restrict out, int count)
{
    for (int c = 0; c < count; ++c)
        mixPixels(blend[starts[c]], blend[starts[c] + 1], towards[c], out[c]);
}

void mixColumnsPlain(const std::uint32_t *blend, const ColumnTaps &columns, std::uint32_t *out)
{
    mixColumnsLoop(blend, columns.starts.data(), columns.towards.data(), out,
                   int(columns.starts.size()));
}

#if defined(__x86_64__)
using Eight = std::uint32_t __attribute__((vector_size(32)));

// Pixel offsets[c] of `pixels` for each of the eight lanes c (offsets below 8).
[[gnu::target("avx2")]] inline Eight pick(Eight pixels, Eight offsets)
{
    return Eight(_mm256_permutevar8x32_epi32(__m256i(pixels), __m256i(offsets)));
}

// Pixel offsets[c] of the sixteen pixels low, high (offsets below 16): bit 3 of the offset,
// moved to the sign bit, chooses between the two registers.
[[gnu::target("avx2")]] inline Eight pick(Eight low, Eight high, Eight offsets)
{
    const __m256 fromHigh = _mm256_castsi256_ps(_mm256_slli_epi32(__m256i(offsets), 28));
    return Eight(_mm256_castps_si256(
        _mm256_blendv_ps(_mm256_castsi256_ps(__m256i(pick(low, offsets))),
                         _mm256_castsi256_ps(__m256i(pick(high, offsets))), fromHigh)));
}

// The same, eight columns at a time: their neighbours are picked by offset from the pixels
// that follow the first column's left neighbour, eight of them when enlarging and sixteen
// when reducing. The blend must hold 16 pixels from every left neighbour.
[[gnu::target("avx2")]] void mixColumnsAvx2(const std::uint32_t *blend, const ColumnTaps &columns,
                                            std::uint32_t *out)
{
    const int count = int(columns.starts.size());
    int c = 0;
    for (; c + 8 <= count && columns.reach < 15; c += 8) {
        const std::uint32_t *first = blend + columns.starts[std::size_t(c)];
        Eight offsets, towards, left, right;
        std::memcpy(&offsets, columns.offsets.data() + c, sizeof offsets);
        std::memcpy(&towards, columns.towards.data() + c, sizeof towards);
        if (columns.reach < 8) {
            Eight pixels, nextPixels;
            std::memcpy(&pixels, first, sizeof pixels);
            std::memcpy(&nextPixels, first + 1, sizeof nextPixels);
            left = pick(pixels, offsets);
            right = pick(nextPixels, offsets);
        } else {
            Eight low, high;
            std::memcpy(&low, first, sizeof low);
            std::memcpy(&high, first + 8, sizeof high);
            left = pick(low, high, offsets);
            right = pick(low, high, offsets + 1);
        }
        Eight mixed;
        mixPixels(left, right, towards, mixed);
        std::memcpy(out + c, &mixed, sizeof mixed);
    }
    mixColumnsLoop(blend, columns.starts.data() + c, columns.towards.data() + c, out + c,
                   count - c);
}
#else
// Without x86-64 there are no AVX2 loops: useAvx2() is false and these are never called.
void mixRunAvx2(const std::uint32_t *a, const std::uint32_t *b, std::uint32_t weight,
                std::uint32_t *out, int count)
{
    mixRunPlain(a, b, weight, out, count);
}

void mixColumnsAvx2(const std::uint32_t *blend, const ColumnTaps &columns, std::uint32_t *out)
{
    mixColumnsPlain(blend, columns, out);
}
#endif

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
    const bool avx2 = useAvx2();
    // Each output row mixes two source rows first (a straight run the compiler vectorises),
    // then mixes neighbouring columns of that blend. Rows that map to the same source rows
    // and weight share one blend. Past the row, the blend has room for the eight-column
    // loads; there the weight of what is read is 0.
    static std::vector<std::uint32_t> blend;
    blend.resize(std::size_t(srcW) + 16);
    const Tap *blended = nullptr;
    for (int r = 0; r < part.height(); ++r) {
        const Tap &row = rows[std::size_t(r)];
        if (!blended || blended->index != row.index || blended->next != row.next ||
            blended->weight != row.weight) {
            const auto *upper =
                reinterpret_cast<const std::uint32_t *>(source.constScanLine(row.index)) +
                firstColumn;
            const auto *lower =
                reinterpret_cast<const std::uint32_t *>(source.constScanLine(row.next)) +
                firstColumn;
            const int count = lastColumn - firstColumn + 1;
            if (avx2)
                mixRunAvx2(upper, lower, row.weight, blend.data() + firstColumn, count);
            else
                mixRunPlain(upper, lower, row.weight, blend.data() + firstColumn, count);
            blended = &row;
        }
        auto *line = reinterpret_cast<std::uint32_t *>(out.scanLine(part.top() + r - origin.y())) +
                     (part.left() - origin.x());
        if (avx2)
            mixColumnsAvx2(blend.data(), columns, line);
        else
            mixColumnsPlain(blend.data(), columns, line);
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

void allowAvx2Resampling(bool allowed)
{
    avx2Allowed = allowed;
}

ScaledCopy::ScaledCopy(const QImage &picture, double left, double top, double width, double height,
                       QSize bounds)
{
    if (picture.isNull())
        return;
    const int x0 = roundHalfEven(left);
    const int y0 = roundHalfEven(top);
    const int drawnW = roundHalfEven(left + width) - x0;
    const int drawnH = roundHalfEven(top + height) - y0;
    if (drawnW <= 0 || drawnH <= 0)
        return;
    drawn_ = QRect(x0, y0, drawnW, drawnH);
    area_ = drawn_ & QRect(QPoint(0, 0), bounds);
    // A drawing wholly outside (a strongly reduced picture moved off its small surface)
    // changes nothing.
    if (area_.isEmpty())
        return;
    source_ = asSurfaceImage(picture);
    // Unscaled, or reduced to less than half: the picture is small enough to stretch whole,
    // averaging areas as the surface's own drawing does.
    if (drawn_.size() == source_.size())
        stretched_ = true;
    else if (drawnW * 2 < source_.width() || drawnH * 2 < source_.height()) {
        source_ = asSurfaceImage(smoothScaled(source_, drawn_.size()));
        stretched_ = true;
    }
}

void ScaledCopy::render(QImage &out, QPoint origin) const
{
    if (stretched_)
        copyPart(source_, drawn_, out, origin);
    else if (!area_.isEmpty())
        renderScaled(source_, drawn_, out, origin);
}

void drawScaledCopy(Surface &target, const QImage &picture, double left, double top, double width,
                    double height)
{
    // Only the part someone looks at is computed, when it is needed: a zoomed picture far
    // larger than the target costs no more than the target itself.
    const ScaledCopy copy(picture, left, top, width, height,
                          QSize(target.width(), target.height()));
    target.drawOnDemand(copy.area(),
                        [copy](QImage &out, QPoint origin) { copy.render(out, origin); });
}
