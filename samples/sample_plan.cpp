#include "samples/sample_plan.h"

#include <string>

#include "calc/number_text.h"
#include "calc/warning_texts.h"

namespace tallyvane {

CalculatePlan SamplePlan(std::uint64_t defects, std::uint64_t opportunities) {
    CalculatePlan plan = PlanCalculate(std::to_string(defects), std::to_string(opportunities));
    if (plan.warning == warning::kSigmaZero) {
        plan.texts = {PlainText(1e6), FormatPercent(1.0), FormatPercent(0.0), {}};
    }
    return plan;
}

}  // namespace tallyvane
