#include "calc/decimal_rounding.h"

#include <algorithm>
#include <cstddef>

namespace tallyvane {
namespace {

// The digit at a place counted from the first digit (0-based), or '0' outside the digits.
char DigitAt(std::string_view digits, long long index) {
    if (index < 0 || index >= static_cast<long long>(digits.size())) {
        return '0';
    }
    return digits[static_cast<std::size_t>(index)];
}

}  // namespace

std::string RoundToTwoDecimals(const DecimalDigits& number) {
    // The kept digits: every integer digit and two decimals, i.e. places [0, pointPosition + 2);
    // the digit at pointPosition + 2 decides the rounding, and lies before the first digit
    // (a zero) for numbers below 0.001.
    const long long roundingPlace = number.pointPosition + 2;
    const long long kept = std::max(0LL, roundingPlace);
    std::string out;
    out.reserve(static_cast<std::size_t>(kept) + 4);
    for (long long i = 0; i < kept; ++i) {
        out.push_back(DigitAt(number.digits, i));
    }
    if (DigitAt(number.digits, roundingPlace) >= '5') {
        std::size_t i = out.size();
        while (i > 0 && out[i - 1] == '9') {
            out[--i] = '0';
        }
        if (i == 0) {
            out.insert(out.begin(), '1');
        } else {
            ++out[i - 1];
        }
    }
    // At least one integer digit and two decimals.
    if (out.size() < 3) {
        out.insert(0, 3 - out.size(), '0');
    }
    const std::size_t firstKept = std::min(out.find_first_not_of('0'), out.size() - 3);
    out.erase(0, firstKept);
    out.insert(out.size() - 2, 1, '.');
    if (number.negative && out.find_first_not_of("0.") != std::string::npos) {
        out.insert(out.begin(), '-');
    }
    return out;
}

}  // namespace tallyvane
