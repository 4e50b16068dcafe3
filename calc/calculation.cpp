#include "calc/calculation.h"

#include <optional>
#include <string>

#include "calc/number_reading.h"
#include "calc/number_text.h"
#include "stats/checked.h"
#include "stats/math_fault.h"
#include "stats/normsinv.h"

namespace tallyvane {
namespace {

CalculationOutcome Warning(std::string_view text) {
    CalculationOutcome outcome;
    outcome.warning = text;
    return outcome;
}

void Fail(CalculationOutcome& outcome, std::string_view metric, std::string_view cause,
          FailureCause kind) {
    outcome.failure.assign(metric).append(": ").append(cause);
    outcome.cause = kind;
}

FailureCause CauseOf(const MathFault& fault) {
    switch (fault.kind()) {
        case MathFault::Kind::OutOfRange:
            return FailureCause::kOutOfRange;
        case MathFault::Kind::LogOfZero:
            return FailureCause::kLogOfZero;
        case MathFault::Kind::FloatingPoint:
            break;
    }
    return FailureCause::kFloatingPoint;
}

constexpr std::string_view kUnreadableCount = "a count that cannot be read as a number.";

// The sigma level from the strict readings. One or more defects are never taken for none:
// where 1 - D/O rounds to exactly 1, the level comes from the defect fraction instead, by the
// symmetry of the quantile.
double SigmaLevel(double ds, double os) {
    const double fraction = Checked(ds / os);
    const double p = Checked(1.0 - fraction);
    const double z = (p == 1.0 && ds > 0.0) ? -NormSInv(fraction) : NormSInv(p);
    return Checked(z + 1.5);
}

}  // namespace

CalculationOutcome RunCalculation(std::string_view defects, std::string_view opportunities) {
    if (defects.empty() && opportunities.empty()) {
        return Warning(kWarnBothMissing);
    }
    if (opportunities.empty()) {
        return Warning(kWarnOpportunitiesMissing);
    }
    if (defects.empty()) {
        return Warning(kWarnDefectsMissing);
    }

    CalculationOutcome outcome;
    const std::optional<double> d = ReadLenient(defects);
    const std::optional<double> o = ReadLenient(opportunities);
    if (!d || !o) {
        Fail(outcome, "DPMO", kUnreadableCount, FailureCause::kUnreadable);
        return outcome;
    }
    if (*o < *d) {
        return Warning(kWarnDefectsExceed);
    }
    if (*o == *d) {
        return Warning(kWarnSigmaZero);
    }

    std::string_view metric = "DPMO";
    try {
        const double fraction = Checked(*d / *o);
        outcome.dpmoText = PlainText(Checked(fraction * 1000000.0));
        metric = "Defect fraction";
        outcome.defectsPercentText = FormatPercent(fraction);
        metric = "Yield";
        outcome.yieldText = FormatPercent(Checked(1.0 - fraction));

        metric = "Process sigma level";
        const std::optional<double> ds = ReadStrict(defects);
        const std::optional<double> os = ReadStrict(opportunities);
        if (!ds || !os) {
            Fail(outcome, metric, kUnreadableCount, FailureCause::kUnreadable);
            return outcome;
        }
        try {
            outcome.sigmaText = FormatTwoDecimals(SigmaLevel(*ds, *os));
        } catch (const MathFault& fault) {
            const bool noDefects = fault.kind() == MathFault::Kind::LogOfZero && *ds == 0.0;
            Fail(outcome, metric, fault.description(),
                 noDefects ? FailureCause::kNoDefects : CauseOf(fault));
        }
    } catch (const MathFault& fault) {
        Fail(outcome, metric, fault.description(), CauseOf(fault));
    }
    return outcome;
}

}  // namespace tallyvane
