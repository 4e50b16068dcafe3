#pragma once

#include <string_view>

#include "calc/calculation_outcome.h"
#include "calc/number_reading.h"

namespace tallyvane {

// DPMO, defect %, yield % and the process sigma level from a defects text and an opportunities
// text, or the first warning that applies: a missing count, a count with anything besides
// digits, points and one leading minus, then the comparisons. Total: any texts, of any length and
// bytes.
CalculationOutcome RunCalculation(std::string_view defects, std::string_view opportunities);

// The same on counts already read.
CalculationOutcome RunCalculation(const Count& defects, const Count& opportunities);

}  // namespace tallyvane
