#pragma once

namespace tallyvane {

// The p quantile of the beta distribution Beta(a, b), for a, b > 0 and 0 < p < 1: the x at
// which the regularized incomplete beta function I_x(a, b) reaches p, to double precision.
// Throws std::exception where it cannot be evaluated.
double BetaQuantile(double a, double b, double p);

}  // namespace tallyvane
