#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "calc/calculate_plan.h"
#include "calc/confidence_interval.h"
#include "calc/warning_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tallyvane {
namespace {

using Texts = std::array<std::string, 4>;

// The first check that applies wins and comes alone; otherwise the texts of the metrics up
// to the one that fails, which the failure note names.
TEST(RunCalculation, Table) {
    const std::string tiny = "0." + std::string(300, '0') + "1", big(400, '9');
    const struct {
        std::string defects, opportunities;
        std::string_view warning;
        Texts texts;
        FailureCause cause;
        std::string failure;
    } rows[] = {
        {"", "", warning::kBothMissing, {}, {}, ""},
        {"5", "", warning::kOpportunitiesMissing, {}, {}, ""},
        {"", " ", warning::kDefectsMissing, {}, {}, ""},
        {"1e5", "1e6", warning::kInvalidCounts, {}, {}, ""},  // before the comparisons
        {"5", " 7", warning::kInvalidCounts, {}, {}, ""},
        {"10", "9.99999", warning::kDefectsExceed, {}, {}, ""},
        {"5", "5.0", warning::kSigmaZero, {}, {}, ""},
        {"  ", " ", warning::kSigmaZero, {}, {}, ""},  // blanks read as 0
        {"1.2.3", "1.2", warning::kSigmaZero, {}, {}, ""},
        {"7", "1500", "", {"4666.66666666667", "0.47%", "99.53%", "4.10"}, {}, ""},
        {".5", "2", "", {"250000", "25.00%", "75.00%", "2.17"}, {}, ""},
        {"99", "100", "", {"990000", "99.00%", "1.00%", "-0.83"}, {}, ""},
        {"6210", "1000000", "", {"6210", "0.62%", "99.38%", "4.00"}, {}, ""},
        {"1", "800", "", {"1250", "0.13%", "99.88%", "4.52"}, {}, ""},
        // 1 - D/O rounds to 1: one defect is still one defect.
        {"1", "100000000000000000", "", {"1E-11", "0.00%", "100.00%", "9.99"}, {}, ""},
        {"0", "10", "", {"0", "0.00%", "100.00%", ""}, FailureCause::kNoDefects, "Process"},
        {"1",
         "2.0.1",
         "",
         {"500000", "50.00%", "50.00%", ""},
         FailureCause::kUnreadable,
         "Process sigma level: a count"},
        {"-5",
         "10",
         "",
         {"-500000", "-50.00%", "150.00%", ""},
         FailureCause::kOutOfRange,
         "Process sigma level: NormSInv: Argument out of range."},
        {"-" + tiny,
         "1",
         "",
         {"-1E-295", "0.00%", "100.00%", ""},
         FailureCause::kOutOfRange,
         "Process"},
        {tiny,
         "1" + std::string(300, '0'),
         "",
         {"0", "0.00%", "100.00%", ""},
         FailureCause::kUnreadable,
         "Process sigma level: the defect fraction"},
        {"-1", "0", "", {}, FailureCause::kFloatingPoint, "DPMO: Floating"},
        {"-" + big.substr(95), "0.5", "", {}, FailureCause::kFloatingPoint, "DPMO: Floating"},
        {big, "1", "", {}, FailureCause::kUnreadable, "DPMO: a count"},
    };
    for (const auto& row : rows) {
        const CalculationOutcome out = RunCalculation(row.defects, row.opportunities);
        const std::string counts = row.defects.substr(0, 9) + " in " + row.opportunities;
        EXPECT_EQ(out.warning, row.warning) << counts;
        EXPECT_EQ(Texts({out.dpmoText, out.defectsPercentText, out.yieldText, out.sigmaText}),
                  row.texts)
            << counts;
        EXPECT_EQ(out.cause, row.cause) << counts;
        EXPECT_EQ(out.failure.substr(0, row.failure.size()), row.failure) << counts;
        EXPECT_EQ(out.failure.empty(), row.failure.empty()) << counts;
    }
}

// What the window shows: invalid and negative counts empty the results before their warning;
// no defects show the 95% lower confidence bound (none exists for a tiny count).
TEST(PlanCalculate, Table) {
    const std::string invalid(warning::kInvalidCounts), negative(warning::kNegativeCounts);
    const struct {
        std::string defects, opportunities, warning;
        bool showResults;
        std::string sigma, low, high;
    } rows[] = {
        {"7", "1500", "", true, "4.10", "3.84", "4.40"},
        {"3.4", "1000000", "", true, "6.00", "", ""},
        {"5", "5", "Your sigma level is 0", false, "", "", ""},
        {"0", "1500", "", true, "\u2265 4.38", "", ""},
        {"0", "1", "", true, "\u2265 -0.14", "", ""},
        {"0", "100000000000000000", "", true, "\u2265 9.87", "", ""},  // 0.05^(1/O) is 1
        {"0", "0.0001", "", true, "", "", ""},
        {"1.2.3", "10", invalid, true, "", "", ""},
        {"-5", "10", negative, true, "", "", ""},
        {"-1", "0", negative, true, "", "", ""},
    };
    for (const auto& row : rows) {
        const CalculatePlan plan = PlanCalculate(row.defects, row.opportunities);
        EXPECT_EQ(plan.warning, row.warning) << row.defects << " in " << row.opportunities;
        EXPECT_EQ(plan.showResults, row.showResults) << row.defects;
        EXPECT_EQ(plan.texts[3], row.sigma) << row.defects << " in " << row.opportunities;
        EXPECT_EQ(plan.texts[0].empty(), !row.warning.empty() || !row.showResults);
        EXPECT_EQ(plan.sigmaIsLowerBound, row.sigma.rfind("\u2265", 0) == 0) << row.defects;
        EXPECT_EQ(plan.sigmaInterval, (std::array<std::string, 2>{row.low, row.high}));
    }
}

// References from mpmath at 60 digits: bisection on p of the binomial tail sums
// P(X >= D | L) = 0.025 and P(X <= D | U) = 0.025, then 1.5 - sqrt(2) erfinv(2p - 1).
TEST(SigmaConfidenceInterval, Table) {
    const struct {
        double defects, opportunities, low, high;
    } rows[] = {
        {7, 1500, 3.84196172987, 4.39791895978},
        {1, 2, -0.738964375653, 3.73896437565},
        {1499, 1500, -2.64651917317, -1.17749269318},
        {34, 1e7, 5.92819920547, 6.07734254796},
        {1, 1e15, 9.22547973623, 9.88520921685},
        {0, 10, NAN, NAN},
        {3.4, 1e6, NAN, NAN},
        {5, 5, NAN, NAN},
        {1, 9007199254740994.0, NAN, NAN},  // beyond 2^53
        {1, INFINITY, NAN, NAN},
        {NAN, 10, NAN, NAN},
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

// Every input the fuzzer kept still keeps its invariants: a broken one aborts the run.
TEST(RunCalculation, FuzzCorpus) {
    int replayed = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(SOURCE_DIR "/fuzz/corpus/fuzz_calculation")) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 100);
}

}  // namespace
}  // namespace tallyvane
