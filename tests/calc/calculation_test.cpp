#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "calc/confidence_interval.h"
#include "calc/rounding_edges.h"
#include "calc/warning_texts.h"
#include "stats/beta_quantile.h"
#include "stats/normsinv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
int FuzzSampleTable(const std::uint8_t* data, std::size_t size);

namespace tallyvane {
namespace {

using Texts = std::array<std::string, 4>;

// The first check that applies wins and comes alone; otherwise the texts of the metrics up
// to the one that fails, and why it failed.
TEST(RunCalculation, Table) {
    const std::string tiny = "0." + std::string(300, '0') + "1", big(400, '9');
    // clang-format off
    const std::tuple<std::string, std::string, std::string_view, Texts, FailureCause> rows[] = {
        {"", "", warning::kBothMissing, {}, {}},
        {"5", "", warning::kOpportunitiesMissing, {}, {}},
        {"", " ", warning::kDefectsMissing, {}, {}},
        {"1e5", "1e6", warning::kInvalidCounts, {}, {}},  // before the comparisons
        {"5", " 7", warning::kInvalidCounts, {}, {}},
        {"10", "9.99999", warning::kDefectsExceed, {}, {}},
        {"5", "5.0", warning::kSigmaZero, {}, {}},
        {"  ", " ", warning::kSigmaZero, {}, {}},  // blanks read as 0
        {"1.2.3", "1.2", warning::kSigmaZero, {}, {}},
        {"7", "1500", "", {"4666.66666666667", "0.47%", "99.53%", "4.10"}, {}},
        {".5", "2", "", {"250000", "25.00%", "75.00%", "2.17"}, {}},
        {"99", "100", "", {"990000", "99.00%", "1.00%", "-0.83"}, {}},
        {"6210", "1000000", "", {"6210", "0.62%", "99.38%", "4.00"}, {}},
        {"1", "800", "", {"1250", "0.13%", "99.88%", "4.52"}, {}},
        // 1 - D/O rounds to 1: one defect is still one defect.
        {"1", "100000000000000000", "", {"1E-11", "0.00%", "100.00%", "9.99"}, {}},
        {"0", "10", "", {"0", "0.00%", "100.00%", ""}, FailureCause::kNoDefects},
        {"1", "2.0.1", "", {"500000", "50.00%", "50.00%", ""}, FailureCause::kUnreadable},
        {"-5", "10", "", {"-500000", "-50.00%", "150.00%", ""}, FailureCause::kOutOfRange},
        {"-" + tiny, "1", "", {"-1E-295", "0.00%", "100.00%", ""}, FailureCause::kOutOfRange},
        {tiny, "1" + std::string(300, '0'), "", {"0", "0.00%", "100.00%", ""}, FailureCause::kUnreadable},
        {"-1", "0", "", {}, FailureCause::kFloatingPoint},
        {std::string("-").append(big, 95), "0.5", "", {}, FailureCause::kFloatingPoint},
        {big, "1", "", {}, FailureCause::kUnreadable},
    };
    // clang-format on
    for (const auto& [defects, opportunities, warning, texts, cause] : rows) {
        const CalculationOutcome out = RunCalculation(defects, opportunities);
        EXPECT_EQ(
            std::tuple(out.warning,
                       Texts{out.dpmoText, out.defectsPercentText, out.yieldText, out.sigmaText},
                       out.cause, out.failure.empty()),
            std::tuple(std::string(warning), texts, cause, cause == FailureCause::kNone))
            << defects.substr(0, 9) << " in " << opportunities.substr(0, 9);
    }
}

// The defect fraction's ends from mpmath at 50 digits, by quadrature of the beta density (or, for
// 1000001 in 9e15, the incomplete beta's series of positive terms) and a root on x; the sigma
// level's ends from them as 1.5 - sqrt(2) erfinv(2p - 1).
TEST(ConfidenceInterval, Table) {
    const double n = NAN, big = 9007199254740992.0;  // 2^53, the largest count
    const std::array<double, 6> rows[] = {
        {7, 1500, 0.0018782382053311355, 0.0095913408947092172, 3.84196172987, 4.39791895978},
        {1, 2, 0.012579117093425049, 0.98742088290657495, -0.738964375653, 3.73896437565},
        {1499, 1500, 0.99629122647936529, 0.99998312160378554, -2.64651917317, -1.17749269318},
        {34, 1e7, 2.354599951478799e-6, 4.7511559997329004e-6, 5.92819920547, 6.07734254796},
        {1, 1e15, 2.5317807984289875e-17, 5.5716433909388859e-15, 9.22547973623, 9.88520921685},
        {1, big, 2.8108413357197243e-18, 6.1857667776209459e-16, 9.50069854186, 10.139992266},
        {9e11, 9e15, 9.9999793412091281e-5, 0.00010000020658823024, 5.21901596357, 5.21901700734},
        {1e14, 9e15, 0.01111110894550579, 0.011111113276716746, 3.78654787718, 3.78654802544},
        // Newton's method with a tiny fraction, where its first step still misses by 1e-9
        {1000001, 9e15, 1.108935535956023e-10, 1.1132921254725604e-10, 7.84483882777,
         7.84544244282},
        // the C library's underflow (ERANGE) on the way to both ends
        {179055, 149304574870398, 1.1937115194931478e-9, 1.20482782152767e-9, 7.46746661933,
         7.46897936286},
        {big - 1, big, 0.99999999999999938, 1.0, n, n},  // 1 - high rounds to 0: no sigma
        {0, 10, n, n, n, n},                             // no defects: a one-sided bound instead
        {5, 5, n, n, n, n},
        {1, 2.5, n, n, n, n},      // a fractional count
        {1, big + 2, n, n, n, n},  // beyond 2^53
        {1, INFINITY, n, n, n, n},
        {NAN, 10, n, n, n, n},
    };
    const auto near = [](double x, double reference, double tolerance) {
        return std::isnan(reference) ? std::isnan(x) : std::abs(x - reference) <= tolerance;
    };
    for (const auto& [d, o, low, high, sigmaLow, sigmaHigh] : rows) {
        std::array<double, 2> f{n, n}, sigma{n, n};
        if (HasConfidenceInterval(d, o)) {
            const auto [lo, hi] = ConfidenceIntervalEnds(d, o);
            f = {BetaQuantile(lo.a, lo.b, lo.p), BetaQuantile(hi.a, hi.b, hi.p)};
            if (f[1] < 1.0)  // the sigma level falls as the fraction rises; none at a fraction of 1
                sigma = {1.5 - NormSInv(f[1]), 1.5 - NormSInv(f[0])};
        }
        EXPECT_TRUE(near(f[0], low, 1e-12 * low) && near(f[1], high, 1e-12 * high) &&
                    near(sigma[0], sigmaLow, 1e-6) && near(sigma[1], sigmaHigh, 1e-6))
            << d << " in " << o << ": " << f[0] << " " << f[1];
    }
}

// Far in a tail of a large Beta, Newton's steps from the normal approximation overshoot and stop
// short: SciPy's betaincinv gives 0.0145249712313657 and, with betainc, confirms it to 1e-9.
TEST(BetaQuantile, FarTailOfLargeParameters) {
    EXPECT_THROW(BetaQuantile(-1, 1, 0.5), std::exception);  // and leaves no trace for the next
    EXPECT_NEAR(BetaQuantile(1.5e6, 1e8, 1e-100), 0.0145249712313657, 1e-12);
    EXPECT_NEAR(BetaQuantile(1e8, 1.5e6, 1 - 0x1p-50), 0.98531676555463660423, 1e-12);  // mpmath
}

// Fractions within reach of a rounding edge of their notes' texts; the sigma level from SciPy.
TEST(NoteTextsHoldWithin, Table) {
    const std::tuple<double, double, bool> rows[] = {
        {0.0017, 1e-12, true},
        {0.0017, 1e-9, true},  // 1700, 0.17%, 4.43
        {0.00125, 1e-12, false},
        {0.001235, 1e-12, false},             // 0.125%, DPMO 1235
        {0.00125 + 1e-12, 1e-12, false},      // 0.125% within the 15-digit margin of 0.12500000%
        {0.0009999999999, 1e-12, false},      // DPMO across 1000
        {0.0010000000001, 1e-12, false},      // and from above
        {0.001667738439811283, 1e-9, false},  // sigma level 4.435
        {1e-12, 1e-12, false},
        {1 - 1e-12, 1e-12, false}};
    for (const auto& [fraction, within, holds] : rows)
        EXPECT_EQ(NoteTextsHoldWithin(fraction, within), holds) << fraction;
}

// Every input the fuzzers kept still keeps their invariants: a broken one aborts the run.
TEST(Fuzz, Corpora) {
    const std::tuple<const char*, int (*)(const std::uint8_t*, std::size_t), int> targets[] = {
        {"fuzz_calculation", LLVMFuzzerTestOneInput, 100}, {"fuzz_samples", FuzzSampleTable, 20}};
    for (const auto& [name, target, least] : targets) {
        int replayed = 0;
        for (const auto& file :
             std::filesystem::directory_iterator(SOURCE_DIR "/fuzz/corpus/" + std::string(name))) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
        EXPECT_GT(replayed, least) << name;
    }
}

}  // namespace
}  // namespace tallyvane
