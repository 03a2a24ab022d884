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

// Combines one run of source pixels into a run of destination pixels (Format_RGB32).
// The alpha byte of the result stays 0xFF.
void applyRasterOp(RasterOp op, const unsigned *src, unsigned *dst, int count);
