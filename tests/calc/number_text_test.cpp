#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvane {
namespace {

struct DoubleCase {
    double value;
    std::string text;
};

class PlainTextOf : public testing::TestWithParam<DoubleCase> {};
TEST_P(PlainTextOf, FifteenSignificantDigits) {
    EXPECT_EQ(PlainText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Table, PlainTextOf,
                         testing::Values(DoubleCase{4666.666666666667, "4666.66666666667"},
                                         DoubleCase{333333.3333333333, "333333.333333333"},
                                         DoubleCase{500000.0, "500000"}, DoubleCase{0.0, "0"},
                                         DoubleCase{-0.0, "0"}, DoubleCase{3.4, "3.4"},
                                         DoubleCase{0.5, "0.5"}, DoubleCase{-2.5, "-2.5"},
                                         DoubleCase{0.1, "0.1"}, DoubleCase{0.0001, "0.0001"},
                                         DoubleCase{3.333333333333333e-05, "3.33333333333333E-05"},
                                         DoubleCase{1e-11, "1E-11"},
                                         DoubleCase{999999999999999.0, "999999999999999"},
                                         DoubleCase{1e15, "1E+15"}, DoubleCase{-5e6, "-5000000"},
                                         DoubleCase{0.30000000000000004, "0.3"}));

class PercentMask : public testing::TestWithParam<DoubleCase> {};
TEST_P(PercentMask, TwoDecimalsHalfAwayFromZero) {
    EXPECT_EQ(FormatPercent(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Table, PercentMask,
    testing::Values(DoubleCase{0.0046667, "0.47%"}, DoubleCase{1.0, "100.00%"},
                    DoubleCase{0.0, "0.00%"}, DoubleCase{-0.0, "0.00%"},
                    // 0.125% exactly: printf's %.2f would give 0.12.
                    DoubleCase{0.00125, "0.13%"}, DoubleCase{0.99875, "99.88%"},
                    DoubleCase{0.00005, "0.01%"}, DoubleCase{0.0000499999, "0.00%"},
                    DoubleCase{0.99995, "100.00%"}, DoubleCase{-0.5, "-50.00%"},
                    DoubleCase{-0.00004, "0.00%"}, DoubleCase{1.5, "150.00%"},
                    // Below 0.001% the first digit is no rounding digit.
                    DoubleCase{0.00000524, "0.00%"}, DoubleCase{0.0000524, "0.01%"},
                    DoubleCase{1e300, "1" + std::string(302, '0') + ".00%"}));

class TwoDecimalMask : public testing::TestWithParam<DoubleCase> {};
TEST_P(TwoDecimalMask, TwoDecimalsHalfAwayFromZero) {
    EXPECT_EQ(FormatTwoDecimals(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Table, TwoDecimalMask,
    testing::Values(DoubleCase{4.0995969, "4.10"}, DoubleCase{-0.8263479, "-0.83"},
                    DoubleCase{2.675, "2.68"},  // 2.67499999999999982... in binary
                    DoubleCase{1.005, "1.01"}, DoubleCase{-1.005, "-1.01"},
                    DoubleCase{9.995, "10.00"}, DoubleCase{-9.995, "-10.00"},
                    DoubleCase{0.995, "1.00"}, DoubleCase{0.004, "0.00"},
                    DoubleCase{-0.004, "0.00"}, DoubleCase{0.0, "0.00"},
                    DoubleCase{0.0005249009468083808, "0.00"}, DoubleCase{0.00524, "0.01"},
                    DoubleCase{1e20, "100000000000000000000.00"},
                    DoubleCase{123456789.125, "123456789.13"}));

struct TextCase {
    std::string text, masked;
};

class TwoDecimalTextMask : public testing::TestWithParam<TextCase> {};
TEST_P(TwoDecimalTextMask, RoundsOnTheTextsOwnDigits) {
    EXPECT_EQ(FormatTwoDecimals(std::string_view(GetParam().text)), GetParam().masked);
}
INSTANTIATE_TEST_SUITE_P(
    Table, TwoDecimalTextMask,
    testing::Values(TextCase{"7", "7.00"}, TextCase{"1500", "1500.00"}, TextCase{".5", "0.50"},
                    TextCase{"2.", "2.00"}, TextCase{"4666.66666666667", "4666.67"},
                    TextCase{"4.10", "4.10"}, TextCase{"0.125", "0.13"}, TextCase{"2.675", "2.68"},
                    TextCase{"-0.83", "-0.83"}, TextCase{"3.33333333333333E-05", "0.00"},
                    TextCase{"-0.005", "-0.01"}, TextCase{"-0.004", "0.00"},
                    TextCase{"0.995", "1.00"}, TextCase{"999.999", "1000.00"},
                    TextCase{"00012.345", "12.35"}, TextCase{"1E+15", "1000000000000000.00"},
                    TextCase{"1e2", "100.00"}, TextCase{"1.5e-1", "0.15"}, TextCase{"5E-3", "0.01"},
                    TextCase{"-0", "0.00"}, TextCase{"0." + std::string(200, '9'), "1.00"},
                    TextCase{std::string(300, '1'), std::string(300, '1') + ".00"},
                    // Not numbers: unchanged.
                    TextCase{"", ""}, TextCase{"0.47%", "0.47%"}, TextCase{"99.53%", "99.53%"},
                    TextCase{"1.2.3", "1.2.3"}, TextCase{".", "."}, TextCase{"-", "-"},
                    TextCase{"1E", "1E"}, TextCase{"1E+", "1E+"}, TextCase{" 7", " 7"},
                    TextCase{"7 ", "7 "}, TextCase{"\xe2\x89\xa5 4.38", "\xe2\x89\xa5 4.38"},
                    TextCase{"1E+99999999999999999999999", "1E+99999999999999999999999"},
                    TextCase{"1E-99999999999999999999999", "0.00"}));

}  // namespace
}  // namespace tallyvane
