#include "calc/number_text.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <stdexcept>

#include "calc/decimal_rounding.h"
#include "calc/double_chars.h"

namespace tallyvane {
namespace {

constexpr int kSignificantDigits = 15;

// "d.dddddddddddddde+XX" split into its 15 digits and the place of the point.
struct SignificantForm {
    bool negative = false;
    char digits[kSignificantDigits] = {};
    long long pointPosition = 0;
};

SignificantForm ToSignificantForm(double value) {
    const std::string text = ScientificChars(value, kSignificantDigits - 1);
    SignificantForm form;
    std::size_t i = 0;
    if (text[i] == '-') {
        form.negative = true;
        ++i;
    }
    int n = 0;
    for (; text[i] != 'e'; ++i) {
        if (text[i] != '.') {
            form.digits[n++] = text[i];
        }
    }
    int exponent = 0;
    const char* expBegin = text.data() + i + 1;
    if (*expBegin == '+') {
        ++expBegin;
    }
    std::from_chars(expBegin, text.data() + text.size(), exponent);
    form.pointPosition = exponent + 1;
    return form;
}

std::string Masked(double value, long long shift) {
    if (!std::isfinite(value)) {
        return {};
    }
    const SignificantForm form = ToSignificantForm(value);
    return RoundToTwoDecimals(DecimalDigits{form.negative,
                                            std::string_view(form.digits, kSignificantDigits),
                                            form.pointPosition + shift});
}

// A number text "-"? digits with at most one point, then an optional exponent.
struct NumberText {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    long long exponent = 0;
};

std::size_t CountDigits(std::string_view text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    return i - from;
}

std::optional<NumberText> ParseNumberText(std::string_view text) {
    NumberText n;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        n.negative = true;
        ++i;
    }
    n.integerDigits = text.substr(i, CountDigits(text, i));
    i += n.integerDigits.size();
    if (i < text.size() && text[i] == '.') {
        ++i;
        n.fractionDigits = text.substr(i, CountDigits(text, i));
        i += n.fractionDigits.size();
    }
    if (n.integerDigits.empty() && n.fractionDigits.empty()) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        const std::size_t count = CountDigits(text, i);
        if (count == 0) {
            return std::nullopt;
        }
        // Saturate: an exponent this large already puts the value out of reach either way.
        constexpr long long kCap = 1'000'000'000'000LL;
        for (std::size_t k = i; k < i + count && n.exponent < kCap; ++k) {
            n.exponent = n.exponent * 10 + (text[k] - '0');
        }
        if (negativeExponent) {
            n.exponent = -n.exponent;
        }
        i += count;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return n;
}

}  // namespace

std::string PlainText(double value) {
    if (value == 0.0) {
        return "0";  // negative zero too
    }
    if (!std::isfinite(value)) {
        return {};
    }
    std::string text = GeneralChars(value, kSignificantDigits);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        text[e] = 'E';
    }
    return text;
}

std::string PlainTextOfThreeDigits(double value) {
    if (!std::isfinite(value) || value == 0.0) {
        return PlainText(value);
    }
    const SignificantForm form = ToSignificantForm(value);
    int kept = 0;
    for (int i = 0; i < 3; ++i) {
        kept = kept * 10 + (form.digits[i] - '0');
    }
    kept += form.digits[3] >= '5';
    const std::string text = std::to_string(kept) + "e" + std::to_string(form.pointPosition - 3);
    const std::optional<double> rounded = ParseDouble(text);
    if (!rounded) {
        throw std::overflow_error("three significant digits of " + text + " overflow a double");
    }
    return PlainText(form.negative ? -*rounded : *rounded);
}

std::string FormatPercent(double value) {
    std::string text = Masked(value, 2);
    return text.empty() ? text : text + '%';
}

std::string FormatTwoDecimals(double value) {
    return Masked(value, 0);
}

std::string FormatTwoDecimals(std::string_view text) {
    const std::optional<NumberText> n = ParseNumberText(text);
    if (!n) {
        return std::string(text);
    }
    // The digits joined, with the point after the integer digits, shifted by the exponent.
    std::string digits;
    digits.reserve(n->integerDigits.size() + n->fractionDigits.size());
    digits.append(n->integerDigits).append(n->fractionDigits);
    const long long pointPosition = static_cast<long long>(n->integerDigits.size()) + n->exponent;
    // Writing out a huge exponent would take more room than the text holds: leave it as it is.
    const long long longestOutput = static_cast<long long>(text.size()) + 400;
    if (pointPosition > longestOutput) {
        return std::string(text);
    }
    return RoundToTwoDecimals(DecimalDigits{n->negative, digits, pointPosition});
}

}  // namespace tallyvane
