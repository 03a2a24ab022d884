#include "platform/numeric.h"

#include <cfenv>
#include <cmath>
#include <limits>

std::int32_t roundHalfEven(double value)
{
    // Whole numbers, by far the most common (stripes, boxes, surface sizes), need no rounding.
    if (value >= -2147483648.0 && value <= 2147483647.0) {
        const auto whole = static_cast<std::int32_t>(value);
        if (static_cast<double>(whole) == value)
            return whole;
    }
    if (!std::isfinite(value) || value >= 2147483647.5 || value < -2147483648.5)
        throw OverflowError();
    // nearbyint follows the current rounding mode, which is round-to-nearest-even
    // unless someone changed it; std::remainder-based rounding avoids relying on that.
    double floor = std::floor(value);
    double diff = value - floor;
    double rounded;
    if (diff > 0.5)
        rounded = floor + 1.0;
    else if (diff < 0.5)
        rounded = floor;
    else
        rounded = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    if (rounded > 2147483647.0 || rounded < -2147483648.0)
        throw OverflowError();
    return static_cast<std::int32_t>(rounded);
}

std::int16_t Int16::checked(double value)
{
    const std::int32_t whole = roundHalfEven(value);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        throw OverflowError();
    return static_cast<std::int16_t>(whole);
}
