#include "platform/command_error.h"
#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbourWithinThe32BitRange)
{
    const std::pair<double, int> cases[] = {{0.5, 0},
                                            {1.5, 2},
                                            {2.5, 2},
                                            {-0.5, 0},
                                            {-1.5, -2},
                                            {-2.5, -2},
                                            {0.49999, 0},
                                            {0.5001, 1},
                                            {-0.5001, -1},
                                            {618.67, 619},
                                            {2147483647.0, 2147483647},
                                            {-2147483648.5, -2147483647 - 1}};
    for (const auto &[value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(roundHalfEven(value), expected);
    }
    // 2147483647.5 rounds to the even 2147483648, which no longer fits.
    for (double v :
         {2147483647.5, 2147483648.0, -2147483649.0, 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(v);
        EXPECT_THROW(roundHalfEven(v), OverflowError);
    }
}

TEST(Int16Test, RoundsHalfToEvenAndOverflowIsAnErrorOfTheCommand)
{
    Int16 v = -32768;
    EXPECT_EQ(v, -32768);
    v = 240.5;
    EXPECT_EQ(v, 240);
    v = 32767.4;
    EXPECT_EQ(v, 32767);
    for (double bad : {32768.0, -32769.0, 32767.5}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(v = bad, OverflowError);
        EXPECT_EQ(v, 32767); // the old value stays
    }
    // Counting past the top, as a tick counter would, ends the command silently.
    EXPECT_FALSE(runSilently([&] { v = v + 1; }));
    EXPECT_EQ(v, 32767);
}

} // namespace
