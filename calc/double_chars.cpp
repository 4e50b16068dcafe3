#include "calc/double_chars.h"

#ifdef __EMSCRIPTEN__
#include <cmath>
#include <cstdio>
#include <cstdlib>
#else
#include <charconv>
#endif

namespace tallyvane {

#ifndef __EMSCRIPTEN__

std::string ScientificChars(double value, int decimals) {
    char buf[40];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, decimals);
    return std::string(buf, result.ptr);
}

std::string GeneralChars(double value, int significant) {
    char buf[40];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    return std::string(buf, result.ptr);
}

std::optional<double> ParseDouble(std::string_view text) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

#else

// Emscripten's libc++ has no floating-point to_chars with a precision and no from_chars for
// double. Its musl libc rounds correctly, and WebAssembly knows only the C locale, so printf and
// strtod give the same digits.

std::string ScientificChars(double value, int decimals) {
    char buf[40];
    const int n = std::snprintf(buf, sizeof buf, "%.*e", decimals, value);
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string GeneralChars(double value, int significant) {
    char buf[40];
    const int n = std::snprintf(buf, sizeof buf, "%.*g", significant, value);
    return std::string(buf, static_cast<std::size_t>(n));
}

std::optional<double> ParseDouble(std::string_view text) {
    const std::string whole(text);
    char* end = nullptr;
    const double value = std::strtod(whole.c_str(), &end);
    if (whole.empty() || end != whole.c_str() + whole.size() || std::isinf(value)) {
        return std::nullopt;
    }
    // Nonzero digits that came out as zero were too small to be told from it.
    const std::string_view mantissa = text.substr(0, text.find_first_of("eE"));
    if (value == 0.0 && mantissa.find_first_of("123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    return value;
}

#endif

// A decimal of fewer than 15 digits that reads back to the double is also the double's rounding
// to 15 digits, with %g's trailing zeros dropped: no shorter text needs trying.
std::string ShortestChars(double value) {
    for (int significant = 15;; ++significant) {
        std::string text = GeneralChars(value, significant);
        if (significant == 17 || ParseDouble(text) == value) {
            return text;
        }
    }
}

}  // namespace tallyvane
