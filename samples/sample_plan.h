#pragma once

#include <cstdint>

#include "calc/calculate_plan.h"

namespace tallyvane {

// A sample's texts and notes: the window's own for its two counts. A sample whose every
// opportunity is defective is a sample all the same: it gets "1000000", "100.00%", "0.00%" and
// no sigma level, and carries the window's warning "Your sigma level is 0".
CalculatePlan SamplePlan(std::uint64_t defects, std::uint64_t opportunities);

}  // namespace tallyvane
