#include "calc/confidence_interval.h"

#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <exception>

#include "stats/normsinv.h"

namespace tallyvane {

std::optional<SigmaInterval> SigmaConfidenceInterval(double defects, double opportunities) {
    constexpr double kLargestWholeCount = 9007199254740992.0;  // 2^53
    const auto whole = [](double x) { return std::isfinite(x) && std::trunc(x) == x; };
    if (!whole(defects) || !whole(opportunities) || !(defects >= 1.0) ||
        !(defects < opportunities) || !(opportunities <= kLargestWholeCount)) {
        return std::nullopt;
    }
    try {
        // The ends of the defect fraction's interval, as quantiles of beta distributions.
        const double d = defects, o = opportunities;
        const double lower = boost::math::ibeta_inv(d, o - d + 1.0, 0.025);
        const double upper = boost::math::ibeta_inv(d + 1.0, o - d, 0.975);
        // The sigma level falls as the defect fraction rises.
        return SigmaInterval{1.5 - NormSInv(upper), 1.5 - NormSInv(lower)};
    } catch (const std::exception&) {
        // A quantile the beta inverse cannot evaluate, or an end that rounds to 0 or 1.
        return std::nullopt;
    }
}

}  // namespace tallyvane
