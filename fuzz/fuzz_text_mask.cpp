// The two-decimal mask on any text, and the double masks on any double.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "fuzz/fuzz_check.h"

using tallyvane::fuzz::HasInfOrNan;
using tallyvane::fuzz::IsTwoDecimalText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string masked = tallyvane::FormatTwoDecimals(text);
    // Either a two-decimal number or the text unchanged.
    FUZZ_CHECK(masked == text || IsTwoDecimalText(masked, false));
    // The mask is idempotent.
    FUZZ_CHECK(tallyvane::FormatTwoDecimals(std::string_view(masked)) == masked);

    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            const std::string plain = tallyvane::PlainText(value);
            const std::string percent = tallyvane::FormatPercent(value);
            const std::string two = tallyvane::FormatTwoDecimals(value);
            FUZZ_CHECK(!HasInfOrNan(plain) && !HasInfOrNan(percent) && !HasInfOrNan(two));
            FUZZ_CHECK(IsTwoDecimalText(percent, true) && IsTwoDecimalText(two, false));
            // The plain text holds the same 15 digits the masks round, so masking the text
            // and masking the value agree.
            FUZZ_CHECK(tallyvane::FormatTwoDecimals(std::string_view(plain)) == two);
        }
    }
    return 0;
}
