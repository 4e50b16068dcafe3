#include "calc/calculation.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvane {
namespace {

struct WarningCase {
    std::string defects, opportunities, warning;
};

class CalculationWarning : public testing::TestWithParam<WarningCase> {};

TEST_P(CalculationWarning, StopsWithTheFirstCheckThatApplies) {
    const WarningCase& c = GetParam();
    const CalculationOutcome out = RunCalculation(c.defects, c.opportunities);
    EXPECT_EQ(out.warning, c.warning);
    EXPECT_EQ(out.dpmoText + out.defectsPercentText + out.yieldText + out.sigmaText + out.failure,
              "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, CalculationWarning,
    testing::Values(WarningCase{"", "", "Please enter Defects and Opportunities Values"},
                    WarningCase{"5", "", "Please enter Opportunities Values"},
                    WarningCase{"", "5", "Please enter Defects Values"},
                    WarningCase{"", " ", "Please enter Defects Values"},
                    WarningCase{"10", "5", "Defects can not be bigger than opportunities!"},
                    WarningCase{"10", "9.99999", "Defects can not be bigger than opportunities!"},
                    WarningCase{"5", "5", "Your sigma level is 0"},
                    WarningCase{"0", "0", "Your sigma level is 0"},
                    WarningCase{"0", ".", "Your sigma level is 0"},
                    WarningCase{"5", "5.0", "Your sigma level is 0"},
                    WarningCase{"  ", " ", "Your sigma level is 0"},  // blanks read as 0
                    WarningCase{"1.2.3", "1.2", "Your sigma level is 0"}));

struct ResultCase {
    std::string defects, opportunities;
    std::string dpmo, defectsPercent, yield, sigma;
};

class CalculationResult : public testing::TestWithParam<ResultCase> {};

TEST_P(CalculationResult, GivesAllFourTexts) {
    const ResultCase& c = GetParam();
    const CalculationOutcome out = RunCalculation(c.defects, c.opportunities);
    EXPECT_EQ(out.warning, "");
    EXPECT_EQ(out.failure, "");
    EXPECT_EQ(out.cause, FailureCause::kNone);
    EXPECT_EQ(out.dpmoText, c.dpmo);
    EXPECT_EQ(out.defectsPercentText, c.defectsPercent);
    EXPECT_EQ(out.yieldText, c.yield);
    EXPECT_EQ(out.sigmaText, c.sigma);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CalculationResult,
    testing::Values(
        ResultCase{"7", "1500", "4666.66666666667", "0.47%", "99.53%", "4.10"},
        ResultCase{"1", "3", "333333.333333333", "33.33%", "66.67%", "1.93"},
        ResultCase{"1", "2", "500000", "50.00%", "50.00%", "1.50"},
        ResultCase{"25", "1000", "25000", "2.50%", "97.50%", "3.46"},
        ResultCase{"3.4", "1000000", "3.4", "0.00%", "100.00%", "6.00"},
        ResultCase{"99", "100", "990000", "99.00%", "1.00%", "-0.83"},
        ResultCase{".5", "2", "250000", "25.00%", "75.00%", "2.17"},
        ResultCase{"0.5", "1", "500000", "50.00%", "50.00%", "1.50"},
        ResultCase{"34", "10000000", "3.4", "0.00%", "100.00%", "6.00"},
        ResultCase{"6210", "1000000", "6210", "0.62%", "99.38%", "4.00"},
        ResultCase{"66807", "1000000", "66807", "6.68%", "93.32%", "3.00"},
        ResultCase{"691462", "1000000", "691462", "69.15%", "30.85%", "1.00"},
        ResultCase{"007", "1500.", "4666.66666666667", "0.47%", "99.53%", "4.10"},
        // A percentage ending in exactly 5 at the third decimal rounds up.
        ResultCase{"1", "800", "1250", "0.13%", "99.88%", "4.52"},
        // Below 0.0001 DPMO the plain text takes the exponent form.
        ResultCase{"1", "30000000000", "3.33333333333333E-05", "0.00%", "100.00%", "8.03"},
        // One defect in more than 1e16 opportunities is still one defect: 1 - D/O rounds to
        // 1, and the level comes from the defect fraction.
        ResultCase{"1", "100000000000000000", "1E-11", "0.00%", "100.00%", "9.99"},
        ResultCase{"3", "1" + std::string(300, '0'), "3E-294", "0.00%", "100.00%", "38.52"}));

struct FailureCase {
    std::string defects, opportunities;
    FailureCause cause;
    std::string failurePrefix;
    bool hasFirstThree;
};

class CalculationFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CalculationFailure, NamesTheMetricAndKeepsEarlierTexts) {
    const FailureCase& c = GetParam();
    const CalculationOutcome out = RunCalculation(c.defects, c.opportunities);
    EXPECT_EQ(out.warning, "");
    EXPECT_EQ(out.cause, c.cause);
    EXPECT_EQ(out.failure.rfind(c.failurePrefix, 0), 0u) << out.failure;
    EXPECT_EQ(out.sigmaText, "");
    EXPECT_EQ(!out.dpmoText.empty(), c.hasFirstThree);
    EXPECT_EQ(!out.defectsPercentText.empty(), c.hasFirstThree);
    EXPECT_EQ(!out.yieldText.empty(), c.hasFirstThree);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CalculationFailure,
    testing::Values(
        FailureCase{"0", "10", FailureCause::kNoDefects, "Process sigma level: ", true},
        FailureCase{"-0", "10", FailureCause::kNoDefects, "Process sigma level: ", true},
        FailureCase{"1.2.3", "10", FailureCause::kUnreadable, "Process sigma level: ", true},
        FailureCase{"1", "2.0.1", FailureCause::kUnreadable, "Process sigma level: ", true},
        FailureCase{"1e5", "20", FailureCause::kUnreadable, "Process sigma level: ", true},
        FailureCase{" 12", "100", FailureCause::kUnreadable, "Process sigma level: ", true},
        FailureCase{"-5", "10", FailureCause::kOutOfRange,
                    "Process sigma level: NormSInv: Argument out of range.", true},
        FailureCase{"-10", "-5", FailureCause::kOutOfRange,
                    "Process sigma level: NormSInv: Argument out of range.", true},
        FailureCase{"-1", "0", FailureCause::kFloatingPoint, "DPMO: ", false},
        FailureCase{"-1e-300", "1e-300", FailureCause::kUnreadable, "Process sigma level: ", true},
        FailureCase{std::string(400, '9'), "1", FailureCause::kUnreadable, "DPMO: ", false},
        FailureCase{"1", "0." + std::string(400, '0') + "1", FailureCause::kUnreadable,
                    "DPMO: ", false}));

TEST(Calculation, DefectsAsNegativeHugeOverflowDpmo) {
    const CalculationOutcome out = RunCalculation("-" + std::string(305, '9'), "0.5");
    EXPECT_EQ(out.cause, FailureCause::kFloatingPoint);
    EXPECT_EQ(out.failure.rfind("DPMO: ", 0), 0u);
}

}  // namespace
}  // namespace tallyvane
