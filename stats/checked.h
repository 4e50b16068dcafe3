#pragma once

#include <cmath>

#include "stats/math_fault.h"

namespace tallyvane {

// Passes a finite result on and turns an infinity or a NaN into a floating-point fault, so that
// no such value is ever carried into the next step.
inline double Checked(double value) {
    if (!std::isfinite(value)) {
        throw MathFault(MathFault::Kind::FloatingPoint, MathFault::kOverflow,
                        "Floating-point fault: overflow, division by zero or invalid operation.");
    }
    return value;
}

}  // namespace tallyvane
