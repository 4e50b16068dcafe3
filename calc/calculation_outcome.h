#pragma once

#include <string>

namespace tallyvane {

// Why a metric could not be computed, for a caller that must react differently to each.
enum class FailureCause {
    kNone,
    kNoDefects,      // zero defects: the yield is exactly 1 and the quantile is infinite
    kUnreadable,     // a count only the lenient reading accepts, or counts beyond a double
    kOutOfRange,     // a probability outside 0 to 1 (negative counts)
    kFloatingPoint,  // overflow, division by zero or invalid operation (negative counts)
};

// Either a warning, or result texts with perhaps a failure note; never a warning and results.
struct CalculationOutcome {
    std::string warning;
    std::string dpmoText;
    std::string defectsPercentText;
    std::string yieldText;
    std::string sigmaText;
    // Empty when all four texts were produced; otherwise "<metric>: <cause>". The texts of the
    // metrics before the failing one are present, the rest are empty.
    std::string failure;
    FailureCause cause = FailureCause::kNone;
};

}  // namespace tallyvane
