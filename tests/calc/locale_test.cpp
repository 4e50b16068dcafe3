// Runs in a process of its own, with a German locale (decimal comma) made current.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <locale>

#include "calc/calculation.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"

namespace tallyvane {
namespace {

class GermanLocale : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "locale not generated";
        std::locale::global(std::locale("de_DE.UTF-8"));
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 2.5);
        ASSERT_STREQ(probe, "2,5") << "the locale should use a decimal comma";
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

TEST_F(GermanLocale, PointStaysTheDecimalPoint) {
    EXPECT_EQ(ReadStrict("2.5"), 2.5);
    EXPECT_EQ(ReadStrict("2,5"), std::nullopt);
    EXPECT_EQ(PlainText(4666.666666666667), "4666.66666666667");
    EXPECT_EQ(FormatTwoDecimals(std::string_view("2.675")), "2.68");
    const CalculationOutcome out = RunCalculation("7", "1500");
    EXPECT_EQ(
        out.dpmoText + " " + out.defectsPercentText + " " + out.yieldText + " " + out.sigmaText,
        "4666.66666666667 0.47% 99.53% 4.10");
}

}  // namespace
}  // namespace tallyvane
