#include "calc/calculation.h"

#include <optional>
#include <string>

#include "calc/number_text.h"
#include "calc/warning_texts.h"
#include "stats/finite_or_throw.h"
#include "stats/math_fault.h"
#include "stats/normsinv.h"

namespace tallyvane {
namespace {

constexpr std::string_view kDpmo = "DPMO";
constexpr std::string_view kSigmaLevel = "Process sigma level";
constexpr std::string_view kUnreadableCount = "a count that cannot be read as a number.";
constexpr std::string_view kFractionTooSmall = "the defect fraction is too small for a double.";

CalculationOutcome Warning(std::string_view text) {
    CalculationOutcome outcome;
    outcome.warning = text;
    return outcome;
}

CalculationOutcome Failed(CalculationOutcome outcome, std::string_view metric, FailureCause cause,
                          std::string_view reason) {
    outcome.failure.assign(metric).append(": ").append(reason);
    outcome.cause = cause;
    return outcome;
}

FailureCause CauseOf(const MathFault& fault) {
    switch (fault.kind()) {
        case MathFault::Kind::OutOfRange:
            return FailureCause::kOutOfRange;
        case MathFault::Kind::LogOfZero:
            // Only a yield of exactly 1 reaches it, and only zero defects give that yield.
            return FailureCause::kNoDefects;
        case MathFault::Kind::FloatingPoint:
            break;
    }
    return FailureCause::kFloatingPoint;
}

// The sigma level from the strict readings. One or more defects are never taken for none:
// where 1 - D/O rounds to exactly 1, the level comes from the defect fraction instead, by the
// symmetry of the quantile.
CalculationOutcome WithSigmaLevel(CalculationOutcome outcome, const Count& defects,
                                  const Count& opportunities) {
    const std::optional<double> ds = defects.strict;
    const std::optional<double> os = opportunities.strict;
    if (!ds || !os) {
        return Failed(std::move(outcome), kSigmaLevel, FailureCause::kUnreadable, kUnreadableCount);
    }
    try {
        const double fraction = FiniteOrThrow(*ds / *os);
        if (fraction == 0.0 && *ds != 0.0) {
            return Failed(std::move(outcome), kSigmaLevel, FailureCause::kUnreadable,
                          kFractionTooSmall);
        }
        const double p = FiniteOrThrow(1.0 - fraction);
        const double z = (p == 1.0 && fraction != 0.0) ? -NormSInv(fraction) : NormSInv(p);
        outcome.sigmaText = FormatTwoDecimals(FiniteOrThrow(z + 1.5));
        return outcome;
    } catch (const MathFault& fault) {
        return Failed(std::move(outcome), kSigmaLevel, CauseOf(fault), fault.what());
    }
}

}  // namespace

CalculationOutcome RunCalculation(std::string_view defects, std::string_view opportunities) {
    return RunCalculation(ReadCount(defects), ReadCount(opportunities));
}

CalculationOutcome RunCalculation(const Count& defects, const Count& opportunities) {
    if (defects.text.empty() && opportunities.text.empty()) {
        return Warning(warning::kBothMissing);
    }
    if (opportunities.text.empty()) {
        return Warning(warning::kOpportunitiesMissing);
    }
    if (defects.text.empty()) {
        return Warning(warning::kDefectsMissing);
    }
    if (!IsCountText(defects.text) || !IsCountText(opportunities.text)) {
        return Warning(warning::kInvalidCounts);
    }
    const std::optional<double> d = defects.lenient;
    const std::optional<double> o = opportunities.lenient;
    if (!d || !o) {
        return Failed({}, kDpmo, FailureCause::kUnreadable, kUnreadableCount);
    }
    if (*o < *d) {
        return Warning(warning::kDefectsExceed);
    }
    if (*o == *d) {
        return Warning(warning::kSigmaZero);
    }

    CalculationOutcome outcome;
    double fraction = 0.0;
    try {
        fraction = FiniteOrThrow(*d / *o);
        outcome.dpmoText = PlainText(FiniteOrThrow(fraction * 1000000.0));
    } catch (const MathFault& fault) {
        return Failed(std::move(outcome), kDpmo, CauseOf(fault), fault.what());
    }
    // A finite fraction has a finite 1 - fraction: neither percentage can fail.
    outcome.defectsPercentText = FormatPercent(fraction);
    outcome.yieldText = FormatPercent(1.0 - fraction);
    return WithSigmaLevel(std::move(outcome), defects, opportunities);
}

}  // namespace tallyvane
