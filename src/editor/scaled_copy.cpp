#include "editor/scaled_copy.h"

#include "platform/numeric.h"
#include "platform/surface.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

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

// Mixes two pixels, weight 0..256 towards b; red and blue in one word, green in another.
inline std::uint32_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight)
{
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t rb = (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight) >> 8) &
                             0x00FF00FFu;
    const std::uint32_t g =
        (((a & 0x0000FF00u) * keep + (b & 0x0000FF00u) * weight) >> 8) & 0x0000FF00u;
    return 0xFF000000u | rb | g;
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
    const int srcW = source.width();
    const int srcH = source.height();

    if ((drawnW == srcW && drawnH == srcH) || drawnW * 2 < srcW || drawnH * 2 < srcH) {
        // Unscaled, or reduced to less than half: the surface's own drawing serves.
        target.paintPicture(source, RectF{left, top, width, height}, RasterOp::SrcCopy);
        return;
    }

    // The visible part of the drawn rectangle.
    const int cx0 = std::max(x0, 0);
    const int cy0 = std::max(y0, 0);
    const int cx1 = std::min(x0 + drawnW, target.width());
    const int cy1 = std::min(y0 + drawnH, target.height());
    if (cx1 <= cx0 || cy1 <= cy0)
        return;

    const std::vector<Tap> columns = taps(cx0, cx1, x0, drawnW, srcW);
    const std::vector<Tap> rows = taps(cy0, cy1, y0, drawnH, srcH);
    const int firstColumn = columns.front().index;
    const int lastColumn = columns.back().next;

    // The drawing is built in a buffer kept between calls: a zoom or move press then costs
    // no fresh memory, whose first touch is what made presses slow.
    static std::vector<std::uint32_t> pixels;
    pixels.resize(std::max(pixels.size(), std::size_t(cx1 - cx0) * std::size_t(cy1 - cy0)));
    QImage region(reinterpret_cast<uchar *>(pixels.data()), cx1 - cx0, cy1 - cy0,
                  qsizetype(cx1 - cx0) * 4, QImage::Format_RGB32);
    // Each output row mixes two source rows first (a straight run the compiler vectorises),
    // then picks and mixes neighbouring columns of that blend. Rows that map to the same
    // source rows and weight share one blend.
    static std::vector<std::uint32_t> blend;
    blend.resize(std::size_t(srcW));
    const Tap *blended = nullptr;
    const int regionW = region.width();
    for (int r = 0; r < region.height(); ++r) {
        const Tap &row = rows[std::size_t(r)];
        if (!blended || blended->index != row.index || blended->next != row.next ||
            blended->weight != row.weight) {
            const auto *upper =
                reinterpret_cast<const std::uint32_t *>(source.constScanLine(row.index));
            const auto *lower =
                reinterpret_cast<const std::uint32_t *>(source.constScanLine(row.next));
            mixRun(upper + firstColumn, lower + firstColumn, row.weight,
                   blend.data() + firstColumn, lastColumn - firstColumn + 1);
            blended = &row;
        }
        auto *out = reinterpret_cast<std::uint32_t *>(region.scanLine(r));
        for (int c = 0; c < regionW; ++c) {
            const Tap &col = columns[std::size_t(c)];
            out[c] = mix(blend[std::size_t(col.index)], blend[std::size_t(col.next)], col.weight);
        }
    }
    target.paintPicture(region, RectF{double(cx0), double(cy0), double(regionW),
                                      double(region.height())},
                        RasterOp::SrcCopy);
}
