#pragma once

namespace tallyvane {

// The standard normal quantile: the z below which a standard normal variable falls with
// probability p, by a rational approximation (relative error below 1.2e-9, no refinement step).
//
// Throws MathFault: OutOfRange for p < 0, p > 1 or NaN; LogOfZero for p = 0 or p = 1;
// FloatingPoint should an intermediate value stop being finite. Never returns inf or NaN.
double NormSInv(double p);

}  // namespace tallyvane
