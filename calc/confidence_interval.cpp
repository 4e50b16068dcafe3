#include "calc/confidence_interval.h"

#include <cmath>
#include <exception>

#include "stats/beta_quantile.h"
#include "stats/normsinv.h"

namespace tallyvane {

bool HasConfidenceInterval(double defects, double opportunities) {
    constexpr double kLargestWholeCount = 9007199254740992.0;  // 2^53
    const auto whole = [](double x) { return std::isfinite(x) && std::trunc(x) == x; };
    return whole(defects) && whole(opportunities) && defects >= 1.0 && defects < opportunities &&
           opportunities <= kLargestWholeCount;
}

std::array<BetaQuantileOf, 2> ConfidenceIntervalEnds(double defects, double opportunities) {
    const double d = defects, o = opportunities;
    return {{{d, o - d + 1.0, 0.025}, {d + 1.0, o - d, 0.975}}};
}

std::optional<FractionInterval> DefectFractionConfidenceInterval(double defects,
                                                                 double opportunities) {
    if (!HasConfidenceInterval(defects, opportunities)) {
        return std::nullopt;
    }
    try {
        const auto [low, high] = ConfidenceIntervalEnds(defects, opportunities);
        return FractionInterval{BetaQuantile(low.a, low.b, low.p),
                                BetaQuantile(high.a, high.b, high.p)};
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
