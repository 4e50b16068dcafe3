#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// An invariant every input must keep; a broken one ends the run so that the fuzzer keeps
// the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace tallyvane::fuzz {

inline bool HasInfOrNan(std::string_view text) {
    for (std::string_view bad : {"inf", "nan", "INF", "NAN", "Inf", "NaN"}) {
        if (text.find(bad) != std::string_view::npos)
            return true;
    }
    return false;
}

// Digits with at most one point and two decimals after it, an optional leading minus, and
// optionally a closing "%": what the two-decimal masks write.
inline bool IsTwoDecimalText(std::string_view text, bool percent) {
    if (percent) {
        if (text.empty() || text.back() != '%')
            return false;
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || point == 0 || text.size() - point != 3)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != point && (text[i] < '0' || text[i] > '9'))
            return false;
    }
    return true;
}

}  // namespace tallyvane::fuzz
