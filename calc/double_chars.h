#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallyvane {

// Doubles to decimal text and back with "." as the point whatever the user's locale, correctly
// rounded, as printf and strtod do in the C locale.

// "%.*e": one digit, the point, `decimals` digits, then "e" and a signed exponent of two or
// more digits.
std::string ScientificChars(double value, int decimals);

// "%.*g": `significant` significant digits, fixed or scientific by the exponent, trailing zeros
// dropped.
std::string GeneralChars(double value, int significant);

// The fewest significant digits, in the form of GeneralChars, that read back to the same double:
// the same text on every platform.
std::string ShortestChars(double value);

// A whole text of the form "-"? digits "." digits, with an optional exponent "e" digits, as the
// callers have checked it. Empty when it lies beyond a double's range: too large, or too small
// to be told from zero.
std::optional<double> ParseDouble(std::string_view text);

}  // namespace tallyvane
