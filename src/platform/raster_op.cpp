#include "platform/raster_op.h"

#include <cstring>

void applyRasterOp(RasterOp op, const unsigned *src, unsigned *dst, int count)
{
    constexpr unsigned alpha = 0xFF000000u;
    switch (op) {
    case RasterOp::SrcCopy:
        std::memmove(dst, src, sizeof(unsigned) * static_cast<unsigned>(count));
        return;
    case RasterOp::SrcPaint:
        for (int i = 0; i < count; ++i)
            dst[i] = src[i] | dst[i];
        return;
    case RasterOp::SrcAnd:
        // Both alpha bytes are 0xFF, so AND keeps it.
        for (int i = 0; i < count; ++i)
            dst[i] = src[i] & dst[i];
        return;
    case RasterOp::SrcInvert:
        for (int i = 0; i < count; ++i)
            dst[i] = (src[i] ^ dst[i]) | alpha;
        return;
    case RasterOp::SrcErase:
        for (int i = 0; i < count; ++i)
            dst[i] = (src[i] & ~dst[i]) | alpha;
        return;
    }
}
