// The two readings on any text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/number_reading.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> lenient = tallyvane::ReadLenient(text);
    const std::optional<double> strict = tallyvane::ReadStrict(text);
    if (lenient)
        FUZZ_CHECK(std::isfinite(*lenient));
    if (strict)
        FUZZ_CHECK(std::isfinite(*strict));
    // Whatever the strict reading accepts, the lenient one reads the same.
    if (strict)
        FUZZ_CHECK(lenient && *lenient == *strict);

    // For digits with at most one point (and at least one digit), the two agree.
    bool plain = !text.empty();
    int points = 0, digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            plain = false;
    }
    if (plain && points <= 1 && digits > 0) {
        FUZZ_CHECK(strict.has_value() == lenient.has_value());
        if (strict)
            FUZZ_CHECK(*strict == *lenient && *strict >= 0.0);
    }
    return 0;
}
