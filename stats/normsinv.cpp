#include "stats/normsinv.h"

#include <cmath>

#include "stats/finite_or_throw.h"
#include "stats/math_fault.h"

namespace tallyvane {
namespace {

// The coefficients are the 15-significant-digit literals themselves, not longer forms of them.
constexpr double a1 = -39.6968302866538, a2 = 220.946098424521, a3 = -275.928510446969,
                 a4 = 138.357751867269, a5 = -30.6647980661472, a6 = 2.50662827745924;
constexpr double b1 = -54.4760987982241, b2 = 161.585836858041, b3 = -155.698979859887,
                 b4 = 66.8013118877197, b5 = -13.2806815528857;
constexpr double c1 = -0.00778489400243029, c2 = -0.322396458041136, c3 = -2.40075827716184,
                 c4 = -2.54973253934373, c5 = 4.37466414146497, c6 = 2.93816398269878;
constexpr double d1 = 0.00778469570904146, d2 = 0.32246712907004, d3 = 2.445134137143,
                 d4 = 3.75440866190742;

constexpr double kLowBreak = 0.02425;
constexpr double kHighBreak = 0.97575;

// sqrt(-2 ln x) for a tail; x is p or 1 - p.
double TailVariable(double x) {
    if (x == 0.0) {
        throw MathFault(MathFault::Kind::LogOfZero,
                        "Invalid procedure call or argument: logarithm of zero.");
    }
    return std::sqrt(FiniteOrThrow(std::log(x) * -2.0));
}

double TailNumerator(double q) {
    return ((((c1 * q + c2) * q + c3) * q + c4) * q + c5) * q + c6;
}
double TailDenominator(double q) {
    return (((d1 * q + d2) * q + d3) * q + d4) * q + 1.0;
}

}  // namespace

double NormSInv(double p) {
    if (!(p >= 0.0 && p <= 1.0)) {
        throw MathFault(MathFault::Kind::OutOfRange, "NormSInv: Argument out of range.");
    }
    if (p < kLowBreak) {
        const double q = TailVariable(p);
        const double num = TailNumerator(q);
        const double den = TailDenominator(q);
        return FiniteOrThrow(num / den);
    }
    if (p <= kHighBreak) {
        const double q = FiniteOrThrow(p - 0.5);
        const double r = FiniteOrThrow(q * q);
        const double num = (((((a1 * r + a2) * r + a3) * r + a4) * r + a5) * r + a6) * q;
        const double den = (((((b1 * r + b2) * r + b3) * r + b4) * r + b5) * r + 1.0);
        return FiniteOrThrow(num / den);
    }
    const double q = TailVariable(FiniteOrThrow(1.0 - p));
    const double num = -TailNumerator(q);
    const double den = TailDenominator(q);
    return FiniteOrThrow(num / den);
}

}  // namespace tallyvane
