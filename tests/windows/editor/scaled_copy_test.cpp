#include "editor/scaled_copy.h"
#include "platform/surface.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

namespace
{

// The pixels of the picture drawn stretched onto a fresh 200 x 150 surface, carried out at
// once with the AVX2 loops allowed or not.
QImage drawnWith(bool avx2, const QImage &picture, double left, double top, double width,
                 double height)
{
    allowAvx2Resampling(avx2);
    Surface target(200, 150, kWhite);
    drawScaledCopy(target, picture, left, top, width, height);
    const QImage pixels = target.image().copy();
    allowAvx2Resampling(true);
    return pixels;
}

} // namespace

// Enlarged (eight columns at a time) and mildly reduced, at whole and fractional corners
// inside and across the target's edges, both sets of loops give the same pixels.
TEST(ScaledCopy, Avx2AndPlainLoopsGiveTheSamePixels)
{
    const QImage picture = pixels::randomPicture(160, 120, 11);
    struct Case {
        double left, top, width, height;
    };
    for (const Case &c : {Case{0, 0, 161.6, 121.2}, Case{-37.3, -20.5, 238.4, 178.8},
                          Case{-420.2, -300.7, 1030.4, 772.8}, Case{3.5, 2.5, 150.4, 112.8},
                          Case{-10.4, 5.6, 97, 70}, Case{12.2, -3, 80, 60}}) {
        SCOPED_TRACE(::testing::Message()
                     << c.left << ", " << c.top << ", " << c.width << " x " << c.height);
        const QImage wide = drawnWith(true, picture, c.left, c.top, c.width, c.height);
        EXPECT_TRUE(
            pixels::sameImage(wide, drawnWith(false, picture, c.left, c.top, c.width, c.height)));
        EXPECT_FALSE(pixels::sameImage(wide, Surface(200, 150, kWhite).image()))
            << "something was drawn";
    }
}
