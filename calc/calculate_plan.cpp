#include "calc/calculate_plan.h"

#include "calc/calculation.h"
#include "calc/result_notes.h"
#include "calc/warning_texts.h"
#include "calc/zero_defect_bound.h"

namespace tallyvane {
namespace {

constexpr std::string_view kBoundPrefix = "\u2265 ";  // "≥ "

}  // namespace

CalculatePlan PlanCalculate(std::string_view defects, std::string_view opportunities) {
    return PlanCalculate(ReadCount(defects), ReadCount(opportunities));
}

CalculatePlan PlanCalculate(const Count& defects, const Count& opportunities) {
    CalculationOutcome outcome = RunCalculation(defects, opportunities);
    CalculatePlan plan;
    if (!outcome.warning.empty()) {
        plan.warning = std::move(outcome.warning);
        return plan;
    }
    plan.showResults = true;
    switch (outcome.cause) {
        case FailureCause::kNone: {
            plan.texts = {std::move(outcome.dpmoText), std::move(outcome.defectsPercentText),
                          std::move(outcome.yieldText), std::move(outcome.sigmaText)};
            // Past the checks both strict readings succeeded.
            plan.intervals = IntervalsOfResults(*defects.strict, *opportunities.strict);
            plan.notes = NotesOfIntervals(plan.intervals, false);
            break;
        }
        case FailureCause::kNoDefects: {
            const double o = opportunities.strict.value_or(0.0);
            const std::string bound = ZeroDefectSigmaBoundText(o);
            plan.texts = {std::move(outcome.dpmoText), std::move(outcome.defectsPercentText),
                          std::move(outcome.yieldText),
                          bound.empty() ? bound : std::string(kBoundPrefix) + bound};
            plan.intervals = IntervalsOfResults(0.0, o);
            plan.notes = NotesOfIntervals(plan.intervals, true);
            break;
        }
        case FailureCause::kOutOfRange:
        case FailureCause::kFloatingPoint:
            plan.warning = warning::kNegativeCounts;
            break;
        case FailureCause::kUnreadable:
            plan.warning = warning::kInvalidCounts;
            break;
    }
    return plan;
}

}  // namespace tallyvane
