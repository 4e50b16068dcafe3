#pragma once

#include <cmath>

#include "stats/math_fault.h"

namespace tallyvane {

// No infinity or NaN is ever carried into the next step: it becomes a floating-point fault.
inline double FiniteOrThrow(double value) {
    if (!std::isfinite(value)) {
        throw MathFault(MathFault::Kind::FloatingPoint,
                        "Floating-point fault: overflow, division by zero or invalid operation.");
    }
    return value;
}

}  // namespace tallyvane
