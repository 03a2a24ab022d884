#include "state/stripe_composition.h"

#include "state/fill_box.h"
#include "state/module3.h"
#include "state/shared_state.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

namespace
{

struct Sizes {
    QSize maskA, maskB, composed, paint, pictureA, pictureB;
};

// The pass over rows must leave every surface as the steps one after the other do, also
// where the surfaces, the painted rectangle and the pictures differ in size.
TEST(ComposeStripes, LeavesEverySurfaceAsTheStepsOneAfterTheOther)
{
    const Sizes cases[] = {
        {{32, 24}, {32, 24}, {32, 24}, {32, 24}, {32, 24}, {32, 24}}, // the display size
        {{32, 24}, {32, 22}, {32, 22}, {32, 22}, {32, 24}, {32, 22}}, // the large: a squeeze
        {{13, 9}, {11, 7}, {12, 8}, {10, 6}, {10, 9}, {4, 3}},        // all different
        {{20, 10}, {20, 10}, {20, 10}, {20, 10}, {0, 0}, {20, 10}},   // no picture 1
    };
    for (const Sizes &c : cases) {
        for (int w = 1; w <= 5; ++w) {
            SCOPED_TRACE(::testing::Message()
                         << "masks " << c.maskA.width() << "x" << c.maskA.height() << ", "
                         << c.maskB.width() << "x" << c.maskB.height() << ", w = " << w);
            SharedState vars;
            vars.lineWidth = w;
            const QImage pictureA =
                c.pictureA.isEmpty()
                    ? QImage()
                    : pixels::randomPicture(c.pictureA.width(), c.pictureA.height(), 1);
            const QImage pictureB =
                pixels::randomPicture(c.pictureB.width(), c.pictureB.height(), 2);
            const RectF paint{0, 0, double(c.paint.width()), double(c.paint.height())};

            // The steps one after the other.
            Surface stepsA(c.maskA.width(), c.maskA.height());
            Surface stepsB(c.maskB.width(), c.maskB.height());
            Surface stepsComposed(c.composed.width(), c.composed.height(), kButtonFace);
            FillWhole(stepsA, vars, kWhite);
            Module3::stripeRun(stepsA, vars, w, 0);
            FillWhole(stepsB, vars, kWhite);
            Module3::stripeRun(stepsB, vars, w, w);
            stepsA.paintPicture(pictureA, paint, RasterOp::SrcPaint);
            stepsB.paintPicture(pictureB, paint, RasterOp::SrcPaint);
            stepsComposed.fillBox(0, 0, c.composed.width(), c.composed.height(), kWhite);
            const RectF whole{0, 0, double(c.composed.width()), double(c.composed.height())};
            stepsComposed.paintPicture(stepsA.image(), whole, whole, RasterOp::SrcAnd);
            stepsComposed.paintPicture(stepsB.image(), whole, whole, RasterOp::SrcAnd);

            // In one pass, over surfaces holding something else beforehand; the stripe
            // surfaces written during the pass or drawn when read, after the pictures have
            // changed.
            for (StripePixels layers : {StripePixels::Now, StripePixels::OnDemand}) {
                SCOPED_TRACE(layers == StripePixels::Now ? "now" : "on demand");
                Surface a(c.maskA.width(), c.maskA.height(), kPureYellow);
                Surface b(c.maskB.width(), c.maskB.height(), kPureYellow);
                Surface composed(c.composed.width(), c.composed.height(), kPureYellow);
                QImage givenA = pictureA, givenB = pictureB;
                const QImage rowA = Module3::stripeMaskRow(a, vars, 0);
                const QImage rowB = Module3::stripeMaskRow(b, vars, w);
                composeStripes({a, rowA, givenA}, {b, rowB, givenB}, c.paint.width(),
                               c.paint.height(), composed, layers);
                givenA.fill(Qt::red);
                givenB.fill(Qt::red);

                EXPECT_TRUE(pixels::sameImage(a.image(), stepsA.image()));
                EXPECT_TRUE(pixels::sameImage(b.image(), stepsB.image()));
                EXPECT_TRUE(pixels::sameImage(composed.image(), stepsComposed.image()));
            }
        }
    }
}

} // namespace
