#pragma once

#include <array>

namespace tallyvane {

// Whether D defects in O opportunities have an interval: whole counts 1 <= D < O <= 2^53.
bool HasConfidenceInterval(double defects, double opportunities);

// The exact (Clopper-Pearson) 95% interval of the defect fraction D/O, as the quantiles whose
// values are its ends, low end first: the 0.025 quantile of
// Beta(D, O - D + 1) and the 0.975 quantile of Beta(D + 1, O - D).
struct BetaQuantileOf {
    double a, b, p;
};
std::array<BetaQuantileOf, 2> ConfidenceIntervalEnds(double defects, double opportunities);

}  // namespace tallyvane
