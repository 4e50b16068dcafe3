#include "calc/zero_defect_bound.h"

#include <cmath>

#include "calc/number_text.h"
#include "stats/finite_or_throw.h"
#include "stats/math_fault.h"
#include "stats/normsinv.h"

namespace tallyvane {

std::optional<double> ZeroDefectFractionBound(double opportunities) {
    // The binomial model counts whole trials: a fractional count has no bound at all.
    if (!(opportunities >= 1.0) || !std::isfinite(opportunities) ||
        std::trunc(opportunities) != opportunities) {
        return std::nullopt;
    }
    // -expm1 keeps q accurate where 0.05^(1/O) rounds to 1 for huge O.
    return -std::expm1(std::log(0.05) / opportunities);
}

std::optional<double> ZeroDefectSigmaBound(double opportunities) {
    const std::optional<double> q = ZeroDefectFractionBound(opportunities);
    try {
        return q ? std::optional(FiniteOrThrow(1.5 - NormSInv(*q))) : std::nullopt;
    } catch (const MathFault&) {
        return std::nullopt;
    }
}

std::string ZeroDefectSigmaBoundText(double opportunities) {
    const std::optional<double> bound = ZeroDefectSigmaBound(opportunities);
    return bound ? FormatTwoDecimals(*bound) : std::string();
}

}  // namespace tallyvane
