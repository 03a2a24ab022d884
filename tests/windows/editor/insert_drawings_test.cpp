#include "editor/insert_drawings.h"
#include "editor/scaled_copy.h"
#include "platform/surface.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

// Zoom-like resizes and drawings kept as steps, mixed with fills and pictures from outside,
// give the pixels of carrying each out at once: read whole, and in bands of the top-left
// part as the composition reads them. Sixty steps also pass the point where the steps are
// carried out and started afresh.
TEST(InsertDrawings, StepsGiveThePixelsOfDrawingAtOnce)
{
    const QImage picture = pixels::randomPicture(40, 30, 5);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto pick = [&random](int from, int to) {
            return std::uniform_int_distribution<int>(from, to)(random);
        };
        Surface atOnce(40, 30, kWhite);
        Surface kept(40, 30, kWhite);
        InsertDrawings drawings;
        for (int step = 0; step < 60; ++step) {
            const int kind = pick(0, 11);
            if (kind < 4) {
                const QSize size(pick(10, 90), pick(8, 70));
                atOnce.resize(size.width(), size.height());
                drawings.resize(kept, size);
            } else if (kind < 10) {
                const double w = pick(8, 120) + 0.3, h = pick(6, 90) + 0.7;
                const double left = (40 - w) / 2 + pick(-6, 6), top = (30 - h) / 2 + pick(-6, 6);
                drawScaledCopy(atOnce, picture, left, top, w, h);
                drawings.draw(
                    kept, ScaledCopy(picture, left, top, w, h, QSize(kept.width(), kept.height())));
            } else if (kind < 11) {
                atOnce.fillBox(0, 0, atOnce.width(), atOnce.height(), kWhite);
                kept.fillBox(0, 0, kept.width(), kept.height(), kWhite);
            } else {
                atOnce.fillBox(2, 3, 12, 9, kPureYellow);
                kept.fillBox(2, 3, 12, 9, kPureYellow);
            }
            atOnce.buildPixels();
            ASSERT_TRUE(pixels::sameImage(kept.image(), atOnce.image())) << "after step " << step;
            const QRect corner = QRect(0, 0, 32, 24) & atOnce.image().rect();
            QImage bands(corner.size(), QImage::Format_RGB32);
            kept.readTopLeft(32, 24, 7, [&](const QImage &rows, int top) {
                for (int y = 0; y < rows.height(); ++y)
                    std::memcpy(bands.scanLine(top + y), rows.constScanLine(y),
                                std::size_t(rows.width()) * 4);
            });
            ASSERT_TRUE(pixels::sameImage(bands, atOnce.image().copy(corner)))
                << "in bands after step " << step;
        }
    }
}
