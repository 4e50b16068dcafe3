#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

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
    // clang-format off
    const std::tuple<std::string, std::string, std::string_view, Texts, FailureCause, std::string> rows[] = {
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
        {"1", "2.0.1", "", {"500000", "50.00%", "50.00%", ""}, FailureCause::kUnreadable, "Process sigma level: a count"},
        {"-5", "10", "", {"-500000", "-50.00%", "150.00%", ""}, FailureCause::kOutOfRange, "Process sigma level: NormSInv: Argument out of range."},
        {"-" + tiny, "1", "", {"-1E-295", "0.00%", "100.00%", ""}, FailureCause::kOutOfRange, "Process"},
        {tiny, "1" + std::string(300, '0'), "", {"0", "0.00%", "100.00%", ""}, FailureCause::kUnreadable, "Process sigma level: the defect fraction"},
        {"-1", "0", "", {}, FailureCause::kFloatingPoint, "DPMO: Floating"},
        {"-" + big.substr(95), "0.5", "", {}, FailureCause::kFloatingPoint, "DPMO: Floating"},
        {big, "1", "", {}, FailureCause::kUnreadable, "DPMO: a count"},
    };
    // clang-format on
    for (const auto& [defects, opportunities, warning, texts, cause, failure] : rows) {
        const CalculationOutcome out = RunCalculation(defects, opportunities);
        EXPECT_EQ(
            std::tuple(out.warning,
                       Texts{out.dpmoText, out.defectsPercentText, out.yieldText, out.sigmaText},
                       out.cause, out.failure.substr(0, failure.size()), out.failure.empty()),
            std::tuple(std::string(warning), texts, cause, failure, failure.empty()))
            << defects.substr(0, 9) << " in " << opportunities.substr(0, 9);
    }
}

// References from mpmath at 60 digits: bisection on p of the binomial tail sums
// P(X >= D | L) = 0.025 and P(X <= D | U) = 0.025, then 1.5 - sqrt(2) erfinv(2p - 1).
TEST(SigmaConfidenceInterval, Table) {
    const std::tuple<double, double, double, double> rows[] = {
        {7, 1500, 3.84196172987, 4.39791895978},
        {1, 2, -0.738964375653, 3.73896437565},
        {1499, 1500, -2.64651917317, -1.17749269318},
        {34, 1e7, 5.92819920547, 6.07734254796},
        {1, 1e15, 9.22547973623, 9.88520921685},
        {1, 9007199254740992.0, 9.50069854186, 10.139992266},  // 2^53, the largest
        {0, 10, NAN, NAN},
        {5, 5, NAN, NAN},
        {1, 2.5, NAN, NAN},                 // a fractional count
        {1, 9007199254740994.0, NAN, NAN},  // beyond 2^53
        {1, INFINITY, NAN, NAN},
        {NAN, 10, NAN, NAN},
    };
    for (const auto& [defects, opportunities, low, high] : rows) {
        const auto interval = SigmaConfidenceInterval(defects, opportunities);
        EXPECT_EQ(interval.has_value(), !std::isnan(low)) << defects << " in " << opportunities;
        EXPECT_TRUE(!interval || (std::abs(interval->low - low) < 1e-6 &&
                                  std::abs(interval->high - high) < 1e-6))
            << defects << " in " << opportunities;
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
