#include "platform/surface.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace
{

// A drawing whose every pixel names its place and the drawing.
Surface::Drawing patternOver(const QRect &area, unsigned tag)
{
    return [area, tag](QImage &out, QPoint origin) {
        const QRect part = area & QRect(origin, out.size());
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                out.setPixel(x - origin.x(), y - origin.y(),
                             0xFF000000u |
                                 ((unsigned(x * 7 + y * 13) ^ (tag * 40503u)) & 0xFFFFFFu));
    };
}

// Resizes, fills and drawings on demand give the pixels of carrying each out at once, read
// whole, a pixel at a time or in bands of the top-left part, whatever the order.
TEST(SurfaceOnDemand, PendingDrawingGivesThePixelsOfDrawingAtOnce)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto pick = [&random](int from, int to) {
            return std::uniform_int_distribution<int>(from, to)(random);
        };
        Surface atOnce(30, 20, kWhite);
        Surface later(30, 20, kWhite);
        atOnce.setPicture(pixels::randomPicture(30, 20, seed));
        later.setPicture(pixels::randomPicture(30, 20, seed));
        for (unsigned step = 0; step < 40; ++step) {
            const int kind = pick(0, 9);
            if (kind < 3) {
                const int w = pick(5, 45), h = pick(5, 30);
                atOnce.resize(w, h);
                later.resize(w, h);
            } else if (kind < 4) {
                const Colour c = rgb(pick(0, 255), 0, 255);
                atOnce.fillBox(0, 0, atOnce.width(), atOnce.height(), c);
                later.fillBox(0, 0, later.width(), later.height(), c);
            } else if (kind < 5) {
                const int l = pick(-5, 30), t = pick(-5, 20);
                const int r = l + pick(0, 20), b = t + pick(0, 20);
                atOnce.fillBox(l, t, r, b, kPureYellow);
                later.fillBox(l, t, r, b, kPureYellow);
            } else {
                const QRect area(pick(-20, 20), pick(-20, 15), pick(1, 60), pick(1, 40));
                atOnce.drawOnDemand(area, patternOver(area, step));
                later.drawOnDemand(area, patternOver(area, step));
            }
            atOnce.buildPixels(); // carried out at once
            if (step % 5 == 4) {
                const QRect corner = QRect(0, 0, 16, 12) & atOnce.image().rect();
                for (int y = corner.top(); y <= corner.bottom(); ++y)
                    for (int x = corner.left(); x <= corner.right(); ++x)
                        ASSERT_EQ(later.point(x, y), atOnce.point(x, y))
                            << x << "," << y << " after step " << step;
                // The same corner five rows at a time.
                QImage bands(corner.size(), QImage::Format_RGB32);
                int next = 0;
                later.readTopLeft(16, 12, 5, [&](const QImage &rows, int top) {
                    EXPECT_EQ(top, next);
                    next = top + rows.height();
                    for (int y = 0; y < rows.height(); ++y)
                        std::memcpy(bands.scanLine(top + y), rows.constScanLine(y),
                                    std::size_t(rows.width()) * 4);
                });
                EXPECT_EQ(next, corner.height());
                EXPECT_TRUE(pixels::sameImage(bands, atOnce.image().copy(corner)))
                    << "in bands after step " << step;
            }
        }
        EXPECT_TRUE(pixels::sameImage(later.image(), atOnce.image()));
    }
}

// Rows laid over a pending drawing: rows as wide as the surface replace it without carrying
// it out, narrower rows leave its pixels beyond their width.
TEST(SurfaceOnDemand, FillRowsOverAPendingDrawingGivesThePixelsOfFillingAtOnce)
{
    for (int rowWidth : {12, 30, 40}) {
        SCOPED_TRACE(::testing::Message() << "row " << rowWidth);
        const QImage row = pixels::randomPicture(rowWidth, 1, 3);
        const QRect area(2, 3, 40, 30);
        Surface atOnce(30, 20, kWhite);
        Surface later(30, 20, kWhite);
        atOnce.drawOnDemand(area, patternOver(area, 1));
        atOnce.buildPixels();
        atOnce.fillRows(row);
        later.drawOnDemand(area, patternOver(area, 1));
        later.fillRows(row);
        EXPECT_TRUE(pixels::sameImage(later.image(), atOnce.image()));
    }
}

// The one drawing waiting on a surface: reading it works it out for that read and builds
// nothing; a drawing over the whole of its area replaces it unrun; one over a part of it
// carries it out first, once.
TEST(SurfaceOnDemand, TheWaitingDrawingRunsOnlyForReadsAndWhenPartlyDrawnOver)
{
    int runs = 0;
    const QRect area(4, 2, 10, 8);
    const Surface::Drawing counted = [&runs, draw = patternOver(area, 1)](QImage &out,
                                                                          QPoint origin) {
        ++runs;
        draw(out, origin);
    };
    Surface s(20, 12, kWhite);
    s.drawOnDemand(area, counted);
    const QImage first = s.image();
    EXPECT_EQ(s.point(5, 3), fromQRgb(first.pixel(5, 3)));
    EXPECT_TRUE(pixels::sameImage(s.image(), first));
    EXPECT_FALSE(s.pixelsBuilt()) << "reads build nothing";
    EXPECT_EQ(s.point(0, 0), kWhite);

    runs = 0;
    s.drawOnDemand(area.adjusted(-1, -1, 1, 1), patternOver(area.adjusted(-1, -1, 1, 1), 2));
    s.drawOnDemand(QRect(0, 0, 6, 6), patternOver(QRect(0, 0, 6, 6), 3));
    EXPECT_EQ(runs, 0) << "replaced unrun";
    EXPECT_TRUE(s.pixelsBuilt()) << "the drawing it covers in part is carried out";
    Surface atOnce(20, 12, kWhite);
    atOnce.drawOnDemand(area.adjusted(-1, -1, 1, 1), patternOver(area.adjusted(-1, -1, 1, 1), 2));
    atOnce.buildPixels();
    atOnce.drawOnDemand(QRect(0, 0, 6, 6), patternOver(QRect(0, 0, 6, 6), 3));
    atOnce.buildPixels();
    EXPECT_TRUE(pixels::sameImage(s.image(), atOnce.image()));

    // A drawing over the whole surface lets go of the built pixels beneath it.
    s.drawOnDemand(QRect(-2, -2, 30, 30), patternOver(QRect(-2, -2, 30, 30), 4));
    EXPECT_FALSE(s.pixelsBuilt());
}

} // namespace
