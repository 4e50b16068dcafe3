// RunCalculation on two arbitrary texts (split at the first NUL byte), the text mask on the
// whole input, and the number masks on its first eight bytes taken as a double.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/calculation.h"
#include "calc/number_text.h"

#define FUZZ_CHECK(condition)                                                            \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                \
        }                                                                                \
    } while (false)

namespace {

// What the two-decimal masks write: "-"? digits "." two digits, then "%" for a percentage.
bool IsTwoDecimalText(std::string_view text, bool percent) {
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
    return text.find_first_not_of("0123456789.") == std::string_view::npos &&
           text.find('.', point + 1) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view defects = input.substr(0, split);
    const std::string_view opportunities =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const tallyvane::CalculationOutcome out = tallyvane::RunCalculation(defects, opportunities);
    const std::string texts[] = {out.dpmoText, out.defectsPercentText, out.yieldText,
                                 out.sigmaText};
    if (!out.warning.empty()) {
        FUZZ_CHECK((texts[0] + texts[1] + texts[2] + texts[3] + out.failure).empty());
    }
    FUZZ_CHECK(out.failure.empty() == (out.cause == tallyvane::FailureCause::kNone));
    for (int i = 0; i < 3; ++i) {
        FUZZ_CHECK(texts[i].empty() <= texts[i + 1].empty());  // missing from one metric on
    }
    FUZZ_CHECK(texts[0].find_first_of("in") == std::string::npos);  // no inf or nan
    FUZZ_CHECK(texts[1].empty() || IsTwoDecimalText(texts[1], true));
    FUZZ_CHECK(texts[2].empty() || IsTwoDecimalText(texts[2], true));
    FUZZ_CHECK(texts[3].empty() || IsTwoDecimalText(texts[3], false));

    const std::string masked = tallyvane::FormatTwoDecimals(input);
    FUZZ_CHECK(masked == input || IsTwoDecimalText(masked, false));
    FUZZ_CHECK(tallyvane::FormatTwoDecimals(std::string_view(masked)) == masked);

    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        const bool finite = std::isfinite(value);
        FUZZ_CHECK(IsTwoDecimalText(tallyvane::FormatTwoDecimals(value), false) == finite);
        FUZZ_CHECK(IsTwoDecimalText(tallyvane::FormatPercent(value), true) == finite);
        FUZZ_CHECK(tallyvane::PlainText(value).empty() == !finite);
    }
    return 0;
}
