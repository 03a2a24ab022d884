#pragma once

// The raster operations of the platform's bit-block transfer, applied to each colour bit
// of source S and destination D.
enum class RasterOp {
    SrcCopy,   // S
    SrcPaint,  // S OR D
    SrcAnd,    // S AND D
    SrcInvert, // S XOR D
    SrcErase,  // S AND NOT D
};

// One pixel (Format_RGB32) of op. The alpha byte of the result stays 0xFF when both alpha
// bytes are 0xFF.
template <RasterOp op> constexpr unsigned rasterOp(unsigned s, unsigned d)
{
    constexpr unsigned alpha = 0xFF000000u;
    if constexpr (op == RasterOp::SrcCopy)
        return s;
    else if constexpr (op == RasterOp::SrcPaint)
        return s | d;
    else if constexpr (op == RasterOp::SrcAnd)
        return s & d; // both alpha bytes are 0xFF, so AND keeps it
    else if constexpr (op == RasterOp::SrcInvert)
        return (s ^ d) | alpha;
    else
        return (s & ~d) | alpha;
}

// Combines one run of source pixels into a run of destination pixels (Format_RGB32).
// The alpha byte of the result stays 0xFF.
void applyRasterOp(RasterOp op, const unsigned *src, unsigned *dst, int count);

// A run of pixels in each of `rows` rows, `stride` bytes apart.
struct PixelRows {
    const unsigned char *first;
    long stride;
    const unsigned *row(int y) const
    {
        return reinterpret_cast<const unsigned *>(first + y * stride);
    }
};

// dst = second(src2, first(src1, fill)) for each pixel of `count` pixels in each of `rows`
// rows: a fill and two raster operations on top of each other, in one pass. The rows must
// not overlap dst.
void applyRasterOps(unsigned fill, RasterOp first, PixelRows src1, RasterOp second, PixelRows src2,
                    unsigned char *dst, long dstStride, int count, int rows);
