#include "calc/confidence_interval.h"

#include <cmath>

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

}  // namespace tallyvane
