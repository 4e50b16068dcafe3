#pragma once

#include <ostream>

#include "calc/calculate_plan.h"

namespace tallyvane {

// The four results of a plan with their labels and notes, a line each.
void WritePairText(const CalculatePlan& plan, std::ostream& out);

// {"texts": [4 strings], "notes": [4 strings]}: DPMO, defect %, yield %, sigma level.
void WritePairJson(const CalculatePlan& plan, std::ostream& out);

}  // namespace tallyvane
