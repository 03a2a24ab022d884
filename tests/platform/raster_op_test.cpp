#include "support/pixel_checks.h"
#include "platform/surface.h"

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

const NamedOp kBlockOps[] = {{RasterOp::SrcCopy, "SRCCOPY"},
                             {RasterOp::SrcAnd, "SRCAND"},
                             {RasterOp::SrcInvert, "SRCINVERT"}};

// A surface holding the given picture at its own size.
Surface surfaceWith(const QImage &picture)
{
    Surface s(picture.width(), picture.height());
    s.setPicture(picture);
    return s;
}

bool inside(int x, int y, int left, int top, int w, int h)
{
    return x >= left && y >= top && x < left + w && y < top + h;
}

TEST(RasterOps, UnstretchedMatchTheirBitwiseDefinition)
{
    const QImage source = pixels::randomPicture(37, 23, 1);
    const QImage dest = pixels::randomPicture(37, 23, 2);
    for (const NamedOp &op : kAllOps) {
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(dest);
        s.paintPicture(source, RectF{0, 0, 37, 23}, op.op);
        EXPECT_TRUE(pixels::matches(
            s, [&](int x, int y) { return expectedOp(op.op, at(source, x, y), at(dest, x, y)); }));
        EXPECT_TRUE(pixels::opaque(s.image()));
    }
}

TEST(RasterOps, SourceRectangleLandsOnTheDestinationRectangleOnly)
{
    const QImage source = pixels::randomPicture(40, 30, 3);
    const QImage dest = pixels::randomPicture(50, 40, 4);
    for (const NamedOp &op : kAllOps) {
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(dest);
        s.paintPicture(source, RectF{30, 25, 12, 9}, RectF{5, 7, 12, 9}, op.op);
        EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
            if (!inside(x, y, 30, 25, 12, 9))
                return at(dest, x, y);
            return expectedOp(op.op, at(source, x - 25, y - 18), at(dest, x, y));
        }));
    }
}

// Enlarging by whole factors: each source pixel becomes a kx x ky block, whichever source
// pixel a stretching raster operation picks as the nearest.
TEST(RasterOps, StretchedByWholeFactorsUseTheNearestSourcePixel)
{
    const QImage source = pixels::randomPicture(16, 12, 5);
    struct Factor {
        int kx, ky;
    };
    for (const Factor f : {Factor{3, 3}, Factor{2, 5}, Factor{1, 4}, Factor{4, 1}}) {
        const QImage dest = pixels::randomPicture(16 * f.kx, 12 * f.ky, 6);
        for (const NamedOp &op : kAllOps) {
            if (op.op == RasterOp::SrcCopy)
                continue; // a stretched plain copy is resampled smoothly, see below
            SCOPED_TRACE(::testing::Message() << op.name << " x" << f.kx << " y" << f.ky);
            Surface s = surfaceWith(dest);
            s.paintPicture(source, RectF{0, 0, 16.0 * f.kx, 12.0 * f.ky}, op.op);
            EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
                return expectedOp(op.op, at(source, x / f.kx, y / f.ky), at(dest, x, y));
            }));
            EXPECT_TRUE(pixels::opaque(s.image()));
        }
    }
}

// Reducing a picture made of uniform 3 x 2 blocks: every sample of a block has its colour.
TEST(RasterOps, StretchedDownByWholeFactorsStayExactForRasterOps)
{
    const QImage blocks = pixels::randomPicture(10, 8, 7);
    const QImage source = blocks.scaled(30, 16, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    ASSERT_EQ(at(source, 2, 1), at(blocks, 0, 0));
    const QImage dest = pixels::randomPicture(10, 8, 8);
    for (const NamedOp &op : kAllOps) {
        if (op.op == RasterOp::SrcCopy)
            continue; // a reduced plain copy is resampled smoothly, see below
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(dest);
        s.paintPicture(source, RectF{0, 0, 10, 8}, op.op);
        EXPECT_TRUE(pixels::matches(
            s, [&](int x, int y) { return expectedOp(op.op, at(blocks, x, y), at(dest, x, y)); }));
    }
}

// At odd ratios a stretching raster operation still combines each destination pixel with
// one real source pixel near the corresponding place: no blended colours appear.
TEST(RasterOps, StretchedAtOddRatiosNeverBlend)
{
    const QImage source = pixels::randomPicture(7, 9, 9);
    const QImage dest = pixels::randomPicture(10, 13, 10);
    for (const NamedOp &op : kAllOps) {
        if (op.op == RasterOp::SrcCopy)
            continue;
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(dest);
        s.paintPicture(source, RectF{0, 0, 10, 13}, op.op);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 10; ++x) {
                const int cx = int((x + 0.5) * 7 / 10);
                const int cy = int((y + 0.5) * 9 / 13);
                bool found = false;
                for (int sy = std::max(cy - 1, 0); sy <= std::min(cy + 1, 8); ++sy)
                    for (int sx = std::max(cx - 1, 0); sx <= std::min(cx + 1, 6); ++sx)
                        found |=
                            s.point(x, y) == expectedOp(op.op, at(source, sx, sy), at(dest, x, y));
                ASSERT_TRUE(found)
                    << "(" << x << ", " << y << ") is " << pixels::hex(s.point(x, y));
            }
    }
}

// A stretched plain copy is resampled smoothly: a black and white checkerboard reduced to
// half its size turns grey, enlarged it keeps its corners exact.
TEST(RasterOps, StretchedPlainCopyIsResampledSmoothly)
{
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u);
    Surface reduced(4, 4);
    reduced.paintPicture(checker, RectF{0, 0, 4, 4}, RasterOp::SrcCopy);
    const Colour mid = reduced.point(1, 1);
    EXPECT_GT(mid & 0xFF, 0x40u) << pixels::hex(mid);
    EXPECT_LT(mid & 0xFF, 0xC0u) << pixels::hex(mid);
    EXPECT_TRUE(pixels::opaque(reduced.image()));

    const QImage two = pixels::plainPicture(2, 2, rgb(10, 200, 30));
    Surface enlarged(20, 20);
    enlarged.paintPicture(two, RectF{0, 0, 20, 20}, RasterOp::SrcCopy);
    EXPECT_TRUE(pixels::matches(enlarged, [](int, int) { return rgb(10, 200, 30); }));
}

TEST(RasterOps, PaintsAreClippedAtEverySurfaceEdge)
{
    const QImage source = pixels::randomPicture(20, 15, 11);
    const QImage dest = pixels::randomPicture(30, 25, 12);
    struct Place {
        int x, y;
    };
    for (const Place p : {Place{-5, -3}, Place{22, 18}, Place{-19, 10}, Place{25, -14}}) {
        for (const NamedOp &op : kAllOps) {
            SCOPED_TRACE(::testing::Message() << op.name << " at " << p.x << "," << p.y);
            Surface s = surfaceWith(dest);
            s.paintPicture(source, RectF{double(p.x), double(p.y), 20, 15}, op.op);
            EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
                if (!inside(x, y, p.x, p.y, 20, 15))
                    return at(dest, x, y);
                return expectedOp(op.op, at(source, x - p.x, y - p.y), at(dest, x, y));
            }));
        }
    }
}

TEST(RasterOps, SourceRectanglePastTheSourceEdgeTakesOnlyWhatExists)
{
    const QImage source = pixels::randomPicture(20, 10, 13);
    const QImage dest = pixels::randomPicture(20, 10, 14);
    Surface s = surfaceWith(dest);
    s.paintPicture(source, RectF{0, 0, 10, 10}, RectF{15, 0, 10, 10}, RasterOp::SrcInvert);
    EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
        if (x < 5)
            return expectedOp(RasterOp::SrcInvert, at(source, x + 15, y), at(dest, x, y));
        return at(dest, x, y);
    }));
    EXPECT_TRUE(pixels::opaque(s.image()));
}

// Stretched, the part of the destination that stands for the missing source is left as
// it is: it is neither painted black nor made transparent.
TEST(RasterOps, StretchedSourceRectanglePastTheEdgeLeavesTheRestAlone)
{
    const QImage source = pixels::randomPicture(20, 10, 21);
    const QImage dest = pixels::randomPicture(20, 20, 22);
    for (const NamedOp &op : kAllOps) {
        if (op.op == RasterOp::SrcCopy)
            continue;
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(dest);
        s.paintPicture(source, RectF{0, 0, 20, 20}, RectF{15, 0, 10, 10}, op.op);
        EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
            if (x >= 10)
                return at(dest, x, y);
            return expectedOp(op.op, at(source, 15 + x / 2, y / 2), at(dest, x, y));
        }));
        EXPECT_TRUE(pixels::opaque(s.image()));

        Surface left = surfaceWith(dest);
        left.paintPicture(source, RectF{0, 0, 20, 20}, RectF{-5, 0, 10, 10}, op.op);
        EXPECT_TRUE(pixels::matches(left, [&](int x, int y) {
            if (x < 10)
                return at(dest, x, y);
            return expectedOp(op.op, at(source, (x - 10) / 2, y / 2), at(dest, x, y));
        }));
    }
}

TEST(RasterOps, SurfacePaintedOntoItselfReadsThePixelsAsTheyWere)
{
    const QImage start = pixels::randomPicture(24, 16, 15);
    for (const NamedOp &op : kAllOps) {
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(start);
        s.paintPicture(s.image(), RectF{3, 2, 24, 16}, op.op);
        EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
            if (x < 3 || y < 2)
                return at(start, x, y);
            return expectedOp(op.op, at(start, x - 3, y - 2), at(start, x, y));
        }));
    }
}

TEST(RasterOps, BlockTransferMatchesItsBitwiseDefinition)
{
    const QImage source = pixels::randomPicture(30, 20, 16);
    const QImage dest = pixels::randomPicture(25, 18, 17);
    for (const NamedOp &op : kBlockOps) {
        SCOPED_TRACE(op.name);
        const Surface from = surfaceWith(source);
        Surface s = surfaceWith(dest);
        s.bitBlt(4, 3, 15, 10, from, 10, 6, op.op);
        EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
            if (!inside(x, y, 4, 3, 15, 10))
                return at(dest, x, y);
            return expectedOp(op.op, at(source, x + 6, y + 3), at(dest, x, y));
        }));
        EXPECT_TRUE(pixels::opaque(s.image()));

        // Clipped at the destination's right and bottom edges and at a negative offset.
        Surface clipped = surfaceWith(dest);
        clipped.bitBlt(-2, 12, 30, 20, from, 0, 0, op.op);
        EXPECT_TRUE(pixels::matches(clipped, [&](int x, int y) {
            if (y < 12)
                return at(dest, x, y);
            return expectedOp(op.op, at(source, x + 2, y - 12), at(dest, x, y));
        }));
    }
}

TEST(RasterOps, BlockTransferWithinOneSurfaceOverlapping)
{
    const QImage start = pixels::randomPicture(20, 20, 18);
    for (const NamedOp &op : kBlockOps) {
        SCOPED_TRACE(op.name);
        Surface s = surfaceWith(start);
        s.bitBlt(2, 1, 18, 19, s, 0, 0, op.op);
        EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
            if (x < 2 || y < 1)
                return at(start, x, y);
            return expectedOp(op.op, at(start, x - 2, y - 1), at(start, x, y));
        }));
    }
}

// Pictures that do not come in the surfaces' own pixel format are combined by colour.
TEST(RasterOps, PicturesOfOtherFormatsCombineByTheirColours)
{
    QImage rgb888 = pixels::randomPicture(12, 9, 19).convertToFormat(QImage::Format_RGB888);
    const QImage dest = pixels::randomPicture(12, 9, 20);
    Surface s = surfaceWith(dest);
    s.paintPicture(rgb888, RectF{0, 0, 12, 9}, RasterOp::SrcInvert);
    EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
        return expectedOp(RasterOp::SrcInvert, fromQRgb(rgb888.pixel(x, y)), at(dest, x, y));
    }));
    EXPECT_TRUE(pixels::opaque(s.image()));
}

} // namespace
