#pragma once

#include <string>
#include <string_view>

namespace tallyvane {

// The plain text of a double: 15 significant digits, trailing zeros and a bare point dropped,
// "0" before the point below 1, no grouping. Fixed digits from 0.0001 up to below 1e15;
// outside that the exponent form, as in "3.33333333333333E-05" or "1E+15". Zero gives "0".
// An infinity or a NaN has no text: it gives an empty one, and so do the masks below.
std::string PlainText(double value);

// The plain text of the value rounded to three significant digits, on its 15-significant-digit
// decimal form with a half going away from zero: 1876.2 gives "1880", 2.675 "2.68". Throws
// std::overflow_error where the rounding carries past the largest double.
std::string PlainTextOfThreeDigits(double value);

// The mask "0.00%": the value times 100 with at least one integer digit and two decimals,
// then "%". The value is first taken to 15 significant digits, then rounded on those decimal
// digits, a half going away from zero.
std::string FormatPercent(double value);

// The mask "0.00", with the same rounding as FormatPercent.
std::string FormatTwoDecimals(double value);

// The mask "0.00" on a text that reads as a decimal number (optional "-", digits with at most
// one ".", optional exponent such as "E-05"), rounded on the text's own digits: "2.675" gives
// "2.68". Any other text comes back unchanged, and so does a number too large to write out.
std::string FormatTwoDecimals(std::string_view text);

}  // namespace tallyvane
