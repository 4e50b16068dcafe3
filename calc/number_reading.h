#pragma once

#include <optional>
#include <string_view>

namespace tallyvane {

// Both readings take "." as the decimal point whatever the user's locale, and nothing else:
// no blanks, grouping characters, plus signs or exponents. A leading "-" is honoured.

// Whether a text can be a count as typed or pasted: blanks alone (which read as 0), or an
// optional leading "-" followed by nothing but digits and points.
bool IsCountText(std::string_view text);

// A count's text with both its readings, taken in one pass.
struct Count {
    std::string_view text;
    // The lenient reading: the longest leading part of the text made of digits with at most
    // one point; whatever follows is ignored, and a text without a digit there reads as 0.
    // Empty only when that number lies beyond a double's range (too large, or too small to be
    // told from zero).
    std::optional<double> lenient;
    // The strict reading: the whole text must be one number, one or more digits with at most
    // one point before, among or after them. Empty when the text is not such a number, or when
    // the number lies beyond a double's range.
    std::optional<double> strict;
};

// The text must outlive the Count, which refers to it.
Count ReadCount(std::string_view text);

}  // namespace tallyvane
