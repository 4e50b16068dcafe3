// RunCalculation on two arbitrary texts (split at the first NUL byte).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/calculation.h"
#include "fuzz/fuzz_check.h"

namespace {

using tallyvane::fuzz::HasInfOrNan;
using tallyvane::fuzz::IsTwoDecimalText;

// The integer part and two decimals of a "0.00%" text, as hundredths.
long long Hundredths(std::string_view text) {
    long long value = 0;
    bool negative = false;
    for (char c : text) {
        if (c == '-')
            negative = true;
        if (c >= '0' && c <= '9')
            value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view defects = input.substr(0, split);
    const std::string_view opportunities =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const tallyvane::CalculationOutcome out = tallyvane::RunCalculation(defects, opportunities);
    const std::string results =
        out.dpmoText + out.defectsPercentText + out.yieldText + out.sigmaText;

    // A warning or result texts, never both; a warning carries no failure either.
    if (!out.warning.empty()) {
        FUZZ_CHECK(results.empty() && out.failure.empty());
        return 0;
    }
    FUZZ_CHECK(out.failure.empty() == (out.cause == tallyvane::FailureCause::kNone));
    FUZZ_CHECK(!HasInfOrNan(results));
    // Texts only ever go missing from the failing metric on.
    FUZZ_CHECK(out.dpmoText.empty() <= out.defectsPercentText.empty());
    FUZZ_CHECK(out.defectsPercentText.empty() <= out.yieldText.empty());
    FUZZ_CHECK(out.yieldText.empty() <= out.sigmaText.empty());
    FUZZ_CHECK(out.failure.empty() || out.sigmaText.empty());

    const std::size_t e = out.dpmoText.find('E');
    if (e != std::string::npos) {
        // Fixed digits from 0.0001 up to below 1e15: an exponent only outside that.
        const int exponent = std::atoi(out.dpmoText.c_str() + e + 1);
        FUZZ_CHECK(exponent < -4 || exponent >= 15);
    }
    if (!out.defectsPercentText.empty()) {
        FUZZ_CHECK(IsTwoDecimalText(out.defectsPercentText, true));
    }
    if (!out.yieldText.empty()) {
        FUZZ_CHECK(IsTwoDecimalText(out.yieldText, true));
        // Each text is rounded once, so the two add up to 100.00% within one hundredth,
        // wherever the fraction is small enough for 1 - f to be exact to that.
        if (out.defectsPercentText.size() <= 10 && out.yieldText.size() <= 10) {
            const long long sum = Hundredths(out.defectsPercentText) + Hundredths(out.yieldText);
            FUZZ_CHECK(sum >= 9999 && sum <= 10001);
        }
    }
    if (!out.sigmaText.empty()) {
        FUZZ_CHECK(IsTwoDecimalText(out.sigmaText, false));
    }
    // The same texts give the same outcome.
    const tallyvane::CalculationOutcome again = tallyvane::RunCalculation(defects, opportunities);
    FUZZ_CHECK(again.dpmoText + again.defectsPercentText + again.yieldText + again.sigmaText ==
               results);
    return 0;
}
