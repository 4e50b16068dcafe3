#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calc/calculate_plan.h"
#include "calc/confidence_interval.h"
#include "calc/warning_texts.h"
#include "calc/zero_defect_bound.h"

namespace tallyvane {
namespace {

using Texts = std::array<std::string, 4>;

Texts TextsOf(const CalculationOutcome& out) {
    return {out.dpmoText, out.defectsPercentText, out.yieldText, out.sigmaText};
}

// The first check that applies wins; a warning comes with nothing else.
TEST(RunCalculation, WarningTable) {
    const struct {
        const char *defects, *opportunities;
        std::string_view warning;
    } rows[] = {
        {"", "", warning::kBothMissing},
        {"5", "", warning::kOpportunitiesMissing},
        {"", " ", warning::kDefectsMissing},
        {"10", "9.99999", warning::kDefectsExceed},
        {"5", "5.0", warning::kSigmaZero},
        {"0", ".", warning::kSigmaZero},
        {"  ", " ", warning::kSigmaZero},  // blanks read as 0
        {"1.2.3", "1.2", warning::kSigmaZero},
        {"1e5", "1e6", warning::kInvalidCounts},  // before the comparisons
        {"5", " 7", warning::kInvalidCounts},
        {"1,5", "3", warning::kInvalidCounts},
    };
    for (const auto& row : rows) {
        const CalculationOutcome out = RunCalculation(row.defects, row.opportunities);
        EXPECT_EQ(out.warning, row.warning) << row.defects << " in " << row.opportunities;
        EXPECT_EQ(TextsOf(out), Texts{});
        EXPECT_EQ(out.failure, "");
    }
}

TEST(RunCalculation, ResultTable) {
    const struct {
        std::string defects, opportunities;
        Texts texts;
    } rows[] = {
        {"7", "1500", {"4666.66666666667", "0.47%", "99.53%", "4.10"}},
        {"1", "3", {"333333.333333333", "33.33%", "66.67%", "1.93"}},
        {"3.4", "1000000", {"3.4", "0.00%", "100.00%", "6.00"}},
        {"99", "100", {"990000", "99.00%", "1.00%", "-0.83"}},
        {".5", "2", {"250000", "25.00%", "75.00%", "2.17"}},
        {"6210", "1000000", {"6210", "0.62%", "99.38%", "4.00"}},
        {"1", "800", {"1250", "0.13%", "99.88%", "4.52"}},
        {"1", "30000000000", {"3.33333333333333E-05", "0.00%", "100.00%", "8.03"}},
        // 1 - D/O rounds to 1: one defect is still one defect.
        {"1", "100000000000000000", {"1E-11", "0.00%", "100.00%", "9.99"}},
    };
    for (const auto& row : rows) {
        const CalculationOutcome out = RunCalculation(row.defects, row.opportunities);
        EXPECT_EQ(TextsOf(out), row.texts) << row.defects << " in " << row.opportunities;
        EXPECT_EQ(out.warning + out.failure, "");
        EXPECT_EQ(out.cause, FailureCause::kNone);
    }
}

// The failing metric is named, the texts before it stay and the rest are empty.
TEST(RunCalculation, FailureTable) {
    const std::string tiny = "0." + std::string(300, '0') + "1";
    const struct {
        std::string defects, opportunities;
        FailureCause cause;
        std::string failure;
        int texts;  // how many leading texts are present
    } rows[] = {
        {"0", "10", FailureCause::kNoDefects, "Process sigma level: ", 3},
        {"1.2.3", "10", FailureCause::kUnreadable, "Process sigma level: ", 3},
        {"1", "2.0.1", FailureCause::kUnreadable, "Process sigma level: ", 3},
        {"-5", "10", FailureCause::kOutOfRange,
         "Process sigma level: NormSInv: Argument out of range.", 3},
        {"-" + tiny, "1", FailureCause::kOutOfRange, "Process sigma level: ", 3},
        {tiny, "1" + std::string(300, '0'), FailureCause::kUnreadable, "Process sigma level: ", 3},
        {"-1", "0", FailureCause::kFloatingPoint, "DPMO: ", 0},
        {"-" + std::string(305, '9'), "0.5", FailureCause::kFloatingPoint, "DPMO: ", 0},
        {std::string(400, '9'), "1", FailureCause::kUnreadable, "DPMO: ", 0},
    };
    for (const auto& row : rows) {
        const CalculationOutcome out = RunCalculation(row.defects, row.opportunities);
        const Texts texts = TextsOf(out);
        EXPECT_EQ(out.cause, row.cause) << row.defects << " in " << row.opportunities;
        EXPECT_EQ(out.failure.rfind(row.failure, 0), 0u) << out.failure;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(texts[i].empty(), i >= row.texts) << row.defects << ", text " << i;
        }
    }
}

TEST(PlanCalculate, Table) {
    const std::string invalid(warning::kInvalidCounts), negative(warning::kNegativeCounts);
    const struct {
        std::string defects, opportunities, warning;
        bool showResults;
        Texts texts;
        bool lowerBound;
    } rows[] = {
        {"7", "1500", "", true, {"4666.66666666667", "0.47%", "99.53%", "4.10"}, false},
        {"5", "5", "Your sigma level is 0", false, {}, false},
        {"0", "1500", "", true, {"0", "0.00%", "100.00%", "\u2265 4.38"}, true},
        {"0", "0.0001", "", true, {"0", "0.00%", "100.00%", ""}, false},  // no finite bound
        {"1.2.3", "10", invalid, true, {}, false},
        {"-5", "10", negative, true, {}, false},
        {"-1", "0", negative, true, {}, false},
    };
    for (const auto& row : rows) {
        const CalculatePlan plan = PlanCalculate(row.defects, row.opportunities);
        EXPECT_EQ(plan.warning, row.warning) << row.defects << " in " << row.opportunities;
        EXPECT_EQ(plan.showResults, row.showResults) << row.defects;
        EXPECT_EQ(plan.texts, row.texts);
        EXPECT_EQ(plan.sigmaIsLowerBound, row.lowerBound) << row.defects;
    }
}

// Reference values from the exact binomial bound and the true normal quantile.
TEST(ZeroDefectSigmaBound, Table) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double opportunities;
        std::optional<double> bound;
    } rows[] = {
        {1500, 4.378926}, {1, -0.144854}, {1e17, 9.865393},  // 0.05^(1/O) rounds to 1 here
        {0.0001, {}},     {0, {}},        {nan, {}},
    };
    for (const auto& row : rows) {
        const std::optional<double> bound = ZeroDefectSigmaBound(row.opportunities);
        ASSERT_EQ(bound.has_value(), row.bound.has_value()) << row.opportunities;
        if (bound) {
            EXPECT_NEAR(*bound, *row.bound, 5e-7) << row.opportunities;
        }
    }
}

// Exact references from mpmath at 60 digits: bisection on p of the binomial tail sums
// P(X >= D | L) = 0.025 and P(X <= D | U) = 0.025, then 1.5 - sqrt(2) erfinv(2p - 1).
TEST(SigmaConfidenceInterval, Table) {
    const double inf = std::numeric_limits<double>::infinity(), none = std::nan("");
    const struct {
        double defects, opportunities, low, high;
    } rows[] = {
        {7, 1500, 3.84196172987, 4.39791895978},
        {1, 2, -0.738964375653, 3.73896437565},
        {1499, 1500, -2.64651917317, -1.17749269318},
        {34, 1e7, 5.92819920547, 6.07734254796},
        {1, 1e15, 9.22547973623, 9.88520921685},
        {3.4, 1e6, none, none},
        {0, 10, none, none},
        {1, 9007199254740994.0, none, none},  // beyond 2^53
        {1, inf, none, none},
        {none, 10, none, none},
    };
    for (const auto& row : rows) {
        const auto interval = SigmaConfidenceInterval(row.defects, row.opportunities);
        ASSERT_EQ(interval.has_value(), !std::isnan(row.low)) << row.defects;
        if (interval) {
            EXPECT_NEAR(interval->low, row.low, 1e-6) << row.defects << " in " << row.opportunities;
            EXPECT_NEAR(interval->high, row.high, 1e-6)
                << row.defects << " in " << row.opportunities;
        }
    }
}

}  // namespace
}  // namespace tallyvane
