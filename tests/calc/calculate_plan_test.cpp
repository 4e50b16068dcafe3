#include "calc/calculate_plan.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace tallyvane {
namespace {

using Texts = std::array<std::string, 4>;

struct PlanCase {
    std::string defects, opportunities;
    std::string warning;
    bool showResults;
    Texts texts;
    bool lowerBound;
};

class CalculatePlanFor : public testing::TestWithParam<PlanCase> {};

TEST_P(CalculatePlanFor, Inputs) {
    const PlanCase& c = GetParam();
    const CalculatePlan plan = PlanCalculate(c.defects, c.opportunities);
    EXPECT_EQ(plan.warning, c.warning);
    EXPECT_EQ(plan.showResults, c.showResults);
    EXPECT_EQ(plan.texts, c.texts);
    EXPECT_EQ(plan.sigmaIsLowerBound, c.lowerBound);
}

const Texts kEmpty{};
const std::string kInvalid = "Please enter valid Defects and Opportunities Values";
const std::string kNegative = "Defects and opportunities can not be negative!";

INSTANTIATE_TEST_SUITE_P(
    Table, CalculatePlanFor,
    testing::Values(
        PlanCase{"7", "1500", "", true, {"4666.66666666667", "0.47%", "99.53%", "4.10"}, false},
        PlanCase{"", "", "Please enter Defects and Opportunities Values", false, kEmpty, false},
        PlanCase{"5", "5", "Your sigma level is 0", false, kEmpty, false},
        PlanCase{"0", "1500", "", true, {"0", "0.00%", "100.00%", "\u2265 4.38"}, true},
        PlanCase{"0", "1", "", true, {"0", "0.00%", "100.00%", "\u2265 -0.14"}, true},
        // No finite bound exists for so few opportunities.
        PlanCase{"0", "0.0001", "", true, {"0", "0.00%", "100.00%", ""}, false},
        PlanCase{"1.2.3", "10", kInvalid, true, kEmpty, false},
        PlanCase{"0", "1e5", kInvalid, true, kEmpty, false},
        PlanCase{std::string(400, '9'), "1", kInvalid, true, kEmpty, false},
        PlanCase{"-5", "10", kNegative, true, kEmpty, false},
        PlanCase{"-1", "0", kNegative, true, kEmpty, false}));

}  // namespace
}  // namespace tallyvane
