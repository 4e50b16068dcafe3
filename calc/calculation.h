#pragma once

#include <string_view>

#include "calc/calculation_outcome.h"

namespace tallyvane {

inline constexpr std::string_view kWarnBothMissing =
    "Please enter Defects and Opportunities Values";
inline constexpr std::string_view kWarnOpportunitiesMissing = "Please enter Opportunities Values";
inline constexpr std::string_view kWarnDefectsMissing = "Please enter Defects Values";
inline constexpr std::string_view kWarnDefectsExceed =
    "Defects can not be bigger than opportunities!";
inline constexpr std::string_view kWarnSigmaZero = "Your sigma level is 0";

// DPMO, defect %, yield % and the process sigma level from a defects text and an opportunities
// text, or the first warning that applies. Pure: no state, no window.
CalculationOutcome RunCalculation(std::string_view defects, std::string_view opportunities);

}  // namespace tallyvane
