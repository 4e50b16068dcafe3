#include "calc/confidence_interval.h"

#include <cmath>
#include <exception>

#include "stats/beta_quantile.h"
#include "stats/normsinv.h"

namespace tallyvane {

std::optional<FractionInterval> DefectFractionConfidenceInterval(double defects,
                                                                 double opportunities) {
    constexpr double kLargestWholeCount = 9007199254740992.0;  // 2^53
    const auto whole = [](double x) { return std::isfinite(x) && std::trunc(x) == x; };
    if (!whole(defects) || !whole(opportunities) || !(defects >= 1.0) ||
        !(defects < opportunities) || !(opportunities <= kLargestWholeCount)) {
        return std::nullopt;
    }
    try {
        const double d = defects, o = opportunities;
        return FractionInterval{BetaQuantile(d, o - d + 1.0, 0.025),
                                BetaQuantile(d + 1.0, o - d, 0.975)};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<SigmaInterval> SigmaConfidenceInterval(const FractionInterval& fraction) {
    try {
        // The sigma level falls as the defect fraction rises.
        return SigmaInterval{1.5 - NormSInv(fraction.high), 1.5 - NormSInv(fraction.low)};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<SigmaInterval> SigmaConfidenceInterval(double defects, double opportunities) {
    const std::optional<FractionInterval> fraction =
        DefectFractionConfidenceInterval(defects, opportunities);
    return fraction ? SigmaConfidenceInterval(*fraction) : std::nullopt;
}

}  // namespace tallyvane
