#include "shapes/lamp_layout.h"

#include <gtest/gtest.h>

// Worked by hand: s = round(slit x dpi / 25.4); P = round(pi D_in dpi / 25.4 / (N s));
// the strip is P N s dots; the real diameter is that length back in mm over pi; the
// lattice is pi D_out long with P periods.
TEST(LampLayout, MatchesTheHandWorkedLamps)
{
    struct Case {
        int frames;
        double slitMm;
        int dpi;
        double innerMm, outerMm;
        int slitDots, periods, stripDots;
        double realInnerMm, latticeLengthMm, latticePeriodMm;
    };
    const Case cases[] = {
        // 23.62 -> 24 dots; 7421.3 / 96 = 77.3 -> 77; 7392 dots = 312.93 mm -> 99.608 mm.
        {4, 1.0, 600, 100, 110, 24, 77, 7392, 99.608, 345.575, 4.4880},
        // 7.09 -> 7 dots; 1484.3 / 42 = 35.3 -> 35; 1470 dots = 124.46 mm -> 39.62 mm.
        {6, 0.6, 300, 40, 48, 7, 35, 1470, 39.617, 150.796, 4.3085},
        // A cylinder too thin for two periods of wide slits still gets two.
        {8, 3.0, 300, 3, 5, 35, 2, 560, 15.092, 15.708, 7.8540},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames, " << c.innerMm << " mm");
        const shapes::LampLayout lamp =
            shapes::layOutLamp(c.frames, c.slitMm, c.dpi, c.innerMm, c.outerMm);
        EXPECT_EQ(lamp.slitDots, c.slitDots);
        EXPECT_EQ(lamp.periods, c.periods);
        EXPECT_EQ(lamp.stripDots, c.stripDots);
        EXPECT_NEAR(lamp.innerDiameterMm, c.realInnerMm, 0.001);
        EXPECT_NEAR(lamp.latticeLengthMm, c.latticeLengthMm, 0.001);
        EXPECT_NEAR(lamp.latticePeriodMm, c.latticePeriodMm, 0.0001);
        EXPECT_NEAR(lamp.latticeSlitMm, c.latticePeriodMm / c.frames, 0.0001);
    }
    EXPECT_THROW(shapes::layOutLamp(4, 1.0, 600, 100, 100), std::invalid_argument);
    EXPECT_THROW(shapes::layOutLamp(9, 1.0, 600, 100, 120), std::invalid_argument);
}
