#pragma once

#include "platform/command_error.h"

#include <cstdint>

// A number keeps whatever numeric value was stored last: a whole number from a literal or
// a scroll bar, a single-precision size from a surface. Arithmetic on it never overflows
// at 16 bits, so a double holds every value it can take.
using Number = double;

// Float to integer conversion rounds half to even (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
std::int32_t roundHalfEven(double value);

// A 16-bit signed integer whose overflow is an error of the running command.
class Int16 {
public:
    constexpr Int16() = default;
    Int16(double value) : value_(checked(value)) {}
    Int16 &operator=(double value)
    {
        value_ = checked(value);
        return *this;
    }
    constexpr operator std::int16_t() const { return value_; }
    constexpr std::int16_t value() const { return value_; }

private:
    static std::int16_t checked(double value);
    std::int16_t value_ = 0;
};
