#include "calc/number_reading.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tallyvane {
namespace {

struct ReadingCase {
    std::string text;
    std::optional<double> lenient;
    std::optional<double> strict;
};

class NumberReading : public testing::TestWithParam<ReadingCase> {};

TEST_P(NumberReading, LenientAndStrict) {
    const ReadingCase& c = GetParam();
    EXPECT_EQ(ReadLenient(c.text), c.lenient) << '"' << c.text << '"';
    EXPECT_EQ(ReadStrict(c.text), c.strict) << '"' << c.text << '"';
}

const std::optional<double> kFails;

INSTANTIATE_TEST_SUITE_P(
    Table, NumberReading,
    testing::Values(ReadingCase{"12", 12.0, 12.0}, ReadingCase{"007", 7.0, 7.0},
                    ReadingCase{"2.", 2.0, 2.0}, ReadingCase{".5", 0.5, 0.5},
                    ReadingCase{"1.2.3", 1.2, kFails}, ReadingCase{".", 0.0, kFails},
                    ReadingCase{"-5", -5.0, -5.0}, ReadingCase{"-.5", -0.5, -0.5},
                    ReadingCase{"", 0.0, kFails}, ReadingCase{"-", 0.0, kFails},
                    ReadingCase{"  ", 0.0, kFails}, ReadingCase{" 12", 0.0, kFails},
                    ReadingCase{"12 ", 12.0, kFails}, ReadingCase{"1e5", 1.0, kFails},
                    ReadingCase{"1,5", 1.0, kFails}, ReadingCase{"+5", 0.0, kFails},
                    ReadingCase{"--5", 0.0, kFails}, ReadingCase{"5-", 5.0, kFails},
                    ReadingCase{"\xd9\xa3", 0.0, kFails},  // ARABIC-INDIC DIGIT THREE
                    ReadingCase{"0.1", 0.1, 0.1},
                    // Correctly rounded from all the digits, not from a prefix of them.
                    ReadingCase{"0.30000000000000001665334536938", 0.30000000000000004,
                                0.30000000000000004},
                    ReadingCase{"9007199254740993", 9007199254740992.0, 9007199254740992.0},
                    ReadingCase{std::string(1000, '0') + "3", 3.0, 3.0},
                    // Beyond a double's range the count cannot be read at all.
                    ReadingCase{std::string(400, '9'), kFails, kFails},
                    ReadingCase{"0." + std::string(400, '0') + "1", kFails, kFails}));

}  // namespace
}  // namespace tallyvane
