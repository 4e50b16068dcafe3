// RunCalculation on two arbitrary texts (split at the first NUL byte), the text mask on the
// whole input, and the number masks on its first eight bytes taken as a double. Each check is
// an invariant that every input keeps; a broken one aborts, so that the fuzzer keeps the input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/calculation.h"
#include "calc/number_text.h"

namespace {

void Check(bool invariant) {
    if (!invariant)
        std::abort();
}

// What the two-decimal masks write: "-"? digits "." two digits, then "%" for a percentage.
bool IsTwoDecimalText(std::string_view text, bool percent) {
    const bool suffixed = text.ends_with('%');
    text.remove_prefix(text.starts_with('-'));
    text.remove_suffix(suffixed);
    const std::size_t point = text.find_first_not_of("0123456789");
    return suffixed == percent && point > 0 && point < text.size() && point + 3 == text.size() &&
           text[point] == '.' && text.find_first_not_of("0123456789", point + 1) == text.npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const auto out = tallyvane::RunCalculation(input.substr(0, split),
                                               split < size ? input.substr(split + 1) : "");
    const std::string texts[] = {out.dpmoText, out.defectsPercentText, out.yieldText,
                                 out.sigmaText};
    Check(out.warning.empty() || (texts[0] + texts[3] + out.failure).empty());
    Check(out.failure.empty() == (out.cause == tallyvane::FailureCause::kNone));
    for (int i = 0; i < 3; ++i)
        Check(texts[i].empty() <= texts[i + 1].empty());       // missing from one metric on
    Check(texts[0].find_first_of("in") == std::string::npos);  // no inf or nan
    Check(texts[1].empty() || IsTwoDecimalText(texts[1], true));
    Check(texts[2].empty() || IsTwoDecimalText(texts[2], true));
    Check(texts[3].empty() || IsTwoDecimalText(texts[3], false));

    const std::string masked = tallyvane::FormatTwoDecimals(std::string_view(input));
    Check(masked == input || IsTwoDecimalText(masked, false));
    Check(tallyvane::FormatTwoDecimals(std::string_view(masked)) == masked);
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        const bool finite = std::isfinite(value);
        Check(IsTwoDecimalText(tallyvane::FormatTwoDecimals(value), false) == finite);
        Check(IsTwoDecimalText(tallyvane::FormatPercent(value), true) == finite);
        Check(tallyvane::PlainText(value).empty() == !finite);
    }
    return 0;
}
