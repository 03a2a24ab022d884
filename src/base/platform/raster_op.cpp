#include "platform/raster_op.h"

#include <cstring>

namespace
{

template <RasterOp op> void applyRun(const unsigned *src, unsigned *dst, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = rasterOp<op>(src[i], dst[i]);
}

template <RasterOp first, RasterOp second>
void applyTwo(unsigned fill, const unsigned *__restrict src1, const unsigned *__restrict src2,
              unsigned *__restrict dst, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = rasterOp<second>(src2[i], rasterOp<first>(src1[i], fill));
}

// The same on white, the usual fill: with the fill known, the compiler folds the two
// operations into fewer, which halves the work per pixel of the animation preview.
template <RasterOp first, RasterOp second>
void applyTwoOnWhite(const unsigned *__restrict src1, const unsigned *__restrict src2,
                     unsigned *__restrict dst, int count)
{
    constexpr unsigned white = 0xFFFFFFFFu;
    constexpr unsigned alpha = 0xFF000000u;
    if constexpr (first == RasterOp::SrcInvert && second == RasterOp::SrcErase) {
        // The animation frame: white inverted by S1 is NOT S1 with the alpha byte set, and
        // erasing it by S2 leaves S1 AND S2 with the alpha byte set. Spelled out, as the
        // compiler keeps a needless clearing of the alpha byte before setting it.
        for (int i = 0; i < count; ++i)
            dst[i] = (src1[i] & src2[i]) | alpha;
    } else {
        for (int i = 0; i < count; ++i)
            dst[i] = rasterOp<second>(src2[i], rasterOp<first>(src1[i], white));
    }
}

// Calls fn with the operation as a compile-time value, so each loop is built for it.
template <typename Fn> void withOp(RasterOp op, Fn &&fn)
{
    switch (op) {
    case RasterOp::SrcCopy:
        return fn.template operator()<RasterOp::SrcCopy>();
    case RasterOp::SrcPaint:
        return fn.template operator()<RasterOp::SrcPaint>();
    case RasterOp::SrcAnd:
        return fn.template operator()<RasterOp::SrcAnd>();
    case RasterOp::SrcInvert:
        return fn.template operator()<RasterOp::SrcInvert>();
    case RasterOp::SrcErase:
        return fn.template operator()<RasterOp::SrcErase>();
    }
}

} // namespace

void applyRasterOp(RasterOp op, const unsigned *src, unsigned *dst, int count)
{
    if (op == RasterOp::SrcCopy) {
        std::memmove(dst, src, sizeof(unsigned) * static_cast<unsigned>(count));
        return;
    }
    withOp(op, [&]<RasterOp o>() { applyRun<o>(src, dst, count); });
}

void applyRasterOps(unsigned fill, RasterOp first, PixelRows src1, RasterOp second, PixelRows src2,
                    unsigned char *dst, long dstStride, int count, int rows)
{
    // The operations are chosen once; each row is then one tight loop.
    withOp(first, [&]<RasterOp a>() {
        withOp(second, [&]<RasterOp b>() {
            for (int y = 0; y < rows; ++y) {
                auto *to = reinterpret_cast<unsigned *>(dst + y * dstStride);
                if (fill == 0xFFFFFFFFu)
                    applyTwoOnWhite<a, b>(src1.row(y), src2.row(y), to, count);
                else
                    applyTwo<a, b>(fill, src1.row(y), src2.row(y), to, count);
            }
        });
    });
}
