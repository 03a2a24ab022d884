#include "platform/surface.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

using pixels::at;

// The bitwise definitions of the platform's bit-block transfer, on 24-bit colours.
Colour expectedOp(RasterOp op, Colour s, Colour d)
{
    switch (op) {
    case RasterOp::SrcCopy:
        return s;
    case RasterOp::SrcPaint:
        return s | d;
    case RasterOp::SrcAnd:
        return s & d;
    case RasterOp::SrcInvert:
        return (s ^ d) & 0xFFFFFFu;
    case RasterOp::SrcErase:
        return (s & ~d) & 0xFFFFFFu;
    }
    return 0;
}

struct NamedOp {
    RasterOp op;
    const char *name;
};
const NamedOp kAllOps[] = {{RasterOp::SrcCopy, "SRCCOPY"},
                           {RasterOp::SrcPaint, "SRCPAINT"},
                           {RasterOp::SrcAnd, "SRCAND"},
                           {RasterOp::SrcInvert, "SRCINVERT"},
                           {RasterOp::SrcErase, "SRCERASE"}};
// The operations of the unscaled block transfer.
bool blockOp(RasterOp op)
{
    return op == RasterOp::SrcCopy || op == RasterOp::SrcAnd || op == RasterOp::SrcInvert;
}

Surface surfaceWith(const QImage &picture)
{
    Surface s(picture.width(), picture.height());
    s.setPicture(picture);
    return s;
}

// A transfer of a w x h block from (sx, sy) of a source to (dx, dy) of a destination.
struct Transfer {
    const char *what;
    int dx, dy, w, h, sx, sy;
    bool blit;   // Surface::bitBlt instead of an unstretched paint
    bool itself; // from the destination surface to itself, overlapping
};

// Unstretched, each destination pixel of the block that has a source pixel combines with
// it; everything else, clipped at either surface's edge, stays as it was. A surface drawn
// onto itself reads its pixels as they were before the transfer.
TEST(RasterOps, UnstretchedTransfersMatchTheBitwiseDefinition)
{
    const QImage source = pixels::randomPicture(30, 20, 1);
    const QImage dest = pixels::randomPicture(25, 18, 2);
    const Transfer transfers[] = {
        {"whole", 0, 0, 25, 18, 0, 0, false, false},
        {"part", 4, 3, 12, 9, 5, 7, false, false},
        {"off the top left", -5, -3, 20, 15, 0, 0, false, false},
        {"off the bottom right", 17, 12, 20, 15, 0, 0, false, false},
        {"source past its edge", 0, 0, 10, 10, 25, 0, false, false},
        {"source before its edge", 0, 0, 10, 10, -4, -2, false, false},
        {"onto itself", 3, 2, 25, 18, 0, 0, false, true},
        {"block", 4, 3, 15, 10, 10, 6, true, false},
        {"block clipped", -2, 12, 30, 20, 0, 0, true, false},
        {"block onto itself", 3, 2, 25, 18, 0, 0, true, true},
    };
    for (const Transfer &t : transfers)
        for (const NamedOp &op : kAllOps) {
            if (t.blit && !blockOp(op.op))
                continue;
            SCOPED_TRACE(::testing::Message() << op.name << ", " << t.what);
            const QImage &from = t.itself ? dest : source;
            Surface s = surfaceWith(dest);
            const Surface other = surfaceWith(source);
            if (t.blit)
                s.bitBlt(t.dx, t.dy, t.w, t.h, t.itself ? s : other, t.sx, t.sy, op.op);
            else
                s.paintPicture(t.itself ? s.image() : source,
                               RectF{double(t.dx), double(t.dy), double(t.w), double(t.h)},
                               RectF{double(t.sx), double(t.sy), double(t.w), double(t.h)}, op.op);
            EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
                const int sx = x - t.dx + t.sx, sy = y - t.dy + t.sy;
                const bool inBlock = x >= t.dx && y >= t.dy && x < t.dx + t.w && y < t.dy + t.h;
                if (!inBlock || !from.rect().contains(sx, sy))
                    return at(dest, x, y);
                return expectedOp(op.op, at(from, sx, sy), at(dest, x, y));
            }));
            EXPECT_TRUE(pixels::opaque(s.image()));
        }
}

// Stretching, the raster operations combine each destination pixel with the source pixel
// under its centre: exact at whole factors, enlarging and reducing, and no blended colours
// at odd ratios; where the source rectangle runs past the picture the destination stays.
TEST(RasterOps, StretchedRasterOpsUseTheNearestSourcePixel)
{
    struct Stretch {
        const char *what;
        QImage source;
        RectF dst, src;
    };
    // Uniform 3 x 2 blocks: every sample of a block has the block's colour.
    const QImage blocks = pixels::randomPicture(10, 8, 4).scaled(30, 16);
    const QImage source = pixels::randomPicture(16, 12, 5);
    const QImage dest = pixels::randomPicture(48, 30, 6);
    const Stretch stretches[] = {
        {"x3", source, {0, 0, 48, 30}, {0, 0, 16, 10}},
        {"x2 y5", source, {0, 0, 32, 30}, {0, 0, 16, 6}},
        {"x1 y4", source, {0, 0, 16, 28}, {0, 0, 16, 7}},
        {"reduced by 3 and 2", blocks, {0, 0, 10, 8}, {0, 0, 30, 16}},
        {"7x9 to 10x13", source, {0, 0, 10, 13}, {0, 0, 7, 9}},
        {"source past the right edge", source, {0, 0, 20, 20}, {11, 0, 10, 10}},
        {"source before the left edge", source, {0, 0, 20, 20}, {-5, 0, 10, 10}},
    };
    for (const Stretch &t : stretches)
        for (const NamedOp &op : kAllOps) {
            if (op.op == RasterOp::SrcCopy)
                continue; // a stretched plain copy is resampled smoothly, see below
            SCOPED_TRACE(::testing::Message() << op.name << ", " << t.what);
            Surface s = surfaceWith(dest);
            s.paintPicture(t.source, t.dst, t.src, op.op);
            EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
                const int sx = int(t.src.x) + int(std::floor((x + 0.5) * t.src.w / t.dst.w));
                const int sy = int(t.src.y) + int(std::floor((y + 0.5) * t.src.h / t.dst.h));
                if (x >= t.dst.w || y >= t.dst.h || !t.source.rect().contains(sx, sy))
                    return at(dest, x, y);
                return expectedOp(op.op, at(t.source, sx, sy), at(dest, x, y));
            }));
            EXPECT_TRUE(pixels::opaque(s.image()));
        }
}

// A stretched plain copy is resampled smoothly: a checkerboard reduced to half turns grey.
TEST(RasterOps, StretchedPlainCopyIsResampledSmoothly)
{
    Surface reduced(4, 4);
    reduced.paintPicture(
        pixels::pictureOf(8, 8, [](int x, int y) { return (x + y) % 2 ? kWhite : kBlack; }),
        RectF{0, 0, 4, 4}, RasterOp::SrcCopy);
    const Colour mid = reduced.point(1, 1);
    EXPECT_TRUE((mid & 0xFF) > 0x40u && (mid & 0xFF) < 0xC0u) << pixels::hex(mid);
}

// A fill with two paints on top in one pass gives the pixels of the three one after the
// other, for every pair of operations, on white and on another colour, and falls back to
// them when a source rectangle reaches past its picture.
TEST(RasterOps, FillAndTwoPaintsInOnePassMatchTheStepsInTurn)
{
    const QImage first = pixels::randomPicture(9, 6, 3);
    const QImage second = pixels::randomPicture(14, 7, 4);
    const RectF dst{1, 0, 7, 5};
    for (const RectF &secondSrc : {RectF{5, 1, 7, 5}, RectF{9, 3, 7, 5}})
        for (const Colour fill : {kWhite, rgb(200, 30, 90)})
            for (const NamedOp &a : kAllOps)
                for (const NamedOp &b : kAllOps) {
                    SCOPED_TRACE(::testing::Message()
                                 << a.name << " then " << b.name << " on " << pixels::hex(fill)
                                 << " from x = " << secondSrc.x);
                    Surface steps = surfaceWith(pixels::randomPicture(9, 6, 5));
                    steps.fillBox(1, 0, 7, 4, fill);
                    steps.paintPicture(first, dst, RectF{2, 1, 7, 5}, a.op);
                    steps.paintPicture(second, dst, secondSrc, b.op);
                    Surface onePass = surfaceWith(pixels::randomPicture(9, 6, 5));
                    onePass.fillAndPaint(dst, fill, {first, RectF{2, 1, 7, 5}, a.op},
                                         {second, secondSrc, b.op});
                    EXPECT_TRUE(pixels::sameImage(onePass.image(), steps.image()));
                }
}

} // namespace
