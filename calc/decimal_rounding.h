#pragma once

#include <string>
#include <string_view>

namespace tallyvane {

// A decimal number as its digits: value = (negative ? -1 : 1) x 0.d1d2d3... x 10^pointPosition.
struct DecimalDigits {
    bool negative = false;
    std::string_view digits;
    long long pointPosition = 0;
};

// The number with at least one integer digit and exactly two decimals, rounded on its decimal
// digits to the nearest, a half going away from zero. A result that rounds to zero carries no
// minus sign.
std::string RoundToTwoDecimals(const DecimalDigits& number);

}  // namespace tallyvane
