#include "platform/command_error.h"
#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    struct Case {
        double value;
        int expected;
    };
    const Case cases[] = {{0.5, 0},
                          {1.5, 2},
                          {2.5, 2},
                          {3.5, 4},
                          {-0.5, 0},
                          {-1.5, -2},
                          {-2.5, -2},
                          {0.49999, 0},
                          {0.5001, 1},
                          {-0.5001, -1},
                          {2.0, 2},
                          {-7.0, -7},
                          {10.6667, 11},
                          {618.67, 619},
                          {2147483647.0, 2147483647},
                          {-2147483648.0, -2147483647 - 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(roundHalfEven(c.value), c.expected);
    }
}

TEST(RoundHalfEven, ValuesBeyondThe32BitRangeAreOverflowErrors)
{
    for (double v :
         {2147483648.0, -2147483649.0, 1e20, -1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(v);
        EXPECT_THROW(roundHalfEven(v), OverflowError);
    }
    // 2147483647.5 rounds to the even 2147483648, which no longer fits.
    EXPECT_THROW(roundHalfEven(2147483647.5), OverflowError);
    EXPECT_EQ(roundHalfEven(-2147483648.5), -2147483647 - 1);
}

TEST(Int16Test, HoldsTheWholeRangeAndRoundsHalfToEven)
{
    Int16 v;
    EXPECT_EQ(v, 0);
    v = 32767;
    EXPECT_EQ(v, 32767);
    v = -32768;
    EXPECT_EQ(v, -32768);
    v = 240.5;
    EXPECT_EQ(v, 240);
    v = 241.5;
    EXPECT_EQ(v, 242);
    v = 32767.4;
    EXPECT_EQ(v, 32767);
}

TEST(Int16Test, OverflowIsAnErrorOfTheCommandAndKeepsTheOldValue)
{
    Int16 v = 100;
    EXPECT_THROW(v = 32768, OverflowError);
    EXPECT_EQ(v, 100);
    EXPECT_THROW(v = -32769, OverflowError);
    EXPECT_THROW(v = 32767.5, OverflowError); // rounds to 32768
    EXPECT_THROW(Int16{40000.0}, OverflowError);
    EXPECT_EQ(v, 100);

    // Counting past the top, as a tick counter would, is caught by runSilently.
    Int16 ticks = 32767;
    const bool finished = runSilently([&] { ticks = ticks + 1; });
    EXPECT_FALSE(finished);
    EXPECT_EQ(ticks, 32767);
}

} // namespace
