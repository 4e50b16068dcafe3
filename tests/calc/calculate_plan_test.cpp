#include "calc/calculate_plan.h"

#include <gtest/gtest.h>

#include "calc/warning_texts.h"

namespace tallyvane {
namespace {

using Texts = std::array<std::string, 4>;

// Zero defects bound the sigma level only where the counts are whole trials; the bounds' figures
// from SciPy: 1 - 0.05^(1/O) and 1.5 - norm.ppf of it.
TEST(PlanCalculate, Table) {
    const std::string up = "95% upper confidence bound: ", low = "95% lower confidence bound: ";
    const std::string bound =
        "No defects were observed: this is the 95% lower confidence bound of the sigma level.";
    const Texts none, noDefects{"0", "0.00%", "100.00%", ""};
    // clang-format off
    const std::tuple<std::string, std::string, std::string_view, bool, Texts, Texts> rows[] = {
        {"0", "1500", "", true, {"0", "0.00%", "100.00%", "\u2265 4.38"}, {up + "2000", up + "0.20%", low + "99.80%", bound}},
        {"0.0", "10.", "", true, {"0", "0.00%", "100.00%", "\u2265 2.15"}, {up + "259000", up + "25.89%", low + "74.11%", bound}},
        {"0", "2.5", "", true, noDefects, none},
        {"0", "0.5", "", true, noDefects, none},
        {"7", "1500.5", "", true, {"4665.11162945685", "0.47%", "99.53%", "4.10"}, none},
        {"1.2.3", "10", warning::kInvalidCounts, true, none, none},
        {"-5", "10", warning::kNegativeCounts, true, none, none},
        {"10", "5", warning::kDefectsExceed, false, none, none},
    };
    // clang-format on
    for (const auto& [defects, opportunities, warning, shows, texts, notes] : rows) {
        const CalculatePlan plan = PlanCalculate(defects, opportunities);
        EXPECT_EQ(std::tuple(plan.warning, plan.showResults, plan.texts, plan.notes),
                  std::tuple(std::string(warning), shows, texts, notes))
            << defects << " in " << opportunities;
    }
}

}  // namespace
}  // namespace tallyvane
