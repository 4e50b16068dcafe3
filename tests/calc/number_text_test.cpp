#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <optional>

#include "calc/double_chars.h"
#include "calc/number_reading.h"

namespace tallyvane {
namespace {

TEST(NumberReading, Table) {
    const std::optional<double> fails;
    const std::tuple<std::string, std::optional<double>, std::optional<double>> rows[] = {
        {"007", 7.0, 7.0},
        {"2.", 2.0, 2.0},
        {".5", 0.5, 0.5},
        {"-5", -5.0, -5.0},
        {"1.2.3", 1.2, fails},
        {".", 0.0, fails},
        {"", 0.0, fails},
        {"12 ", 12.0, fails},
        {"0.30000000000000001665334536938", 0.30000000000000004, 0.30000000000000004},
        {std::string(400, '9'), fails, fails},  // beyond a double: not infinity
        {"0." + std::string(400, '0') + "1", fails, fails},
    };
    for (const auto& [text, lenient, strict] : rows) {
        const Count count = ReadCount(text);
        EXPECT_EQ(std::pair(count.lenient, count.strict), std::pair(lenient, strict)) << text;
    }
}

// Fifteen significant digits, then two decimals or three digits on those digits with halves
// away from zero.
TEST(NumberText, OfDoublesTable) {
    const std::tuple<double, std::string, std::string, std::string, std::string> rows[] = {
        {4666.666666666667, "4666.66666666667", "466666.67%", "4666.67", "4670"},
        {-0.0, "0", "0.00%", "0.00", "0"},
        {0.00125, "0.00125", "0.13%", "0.00", "0.00125"},
        {2.675, "2.675", "267.50%", "2.68", "2.68"},
        {-1.005, "-1.005", "-100.50%", "-1.01", "-1.01"},
        {9.995, "9.995", "999.50%", "10.00", "10"},
        {-0.004, "-0.004", "-0.40%", "0.00", "-0.004"},
        {0.0005249009468083808, "0.000524900946808381", "0.05%", "0.00", "0.000525"},
        {3.333333333333333e-05, "3.33333333333333E-05", "0.00%", "0.00", "3.33E-05"},
        {999999999999999.0, "999999999999999", "99999999999999900.00%", "999999999999999.00",
         "1E+15"},
        {1e15, "1E+15", "100000000000000000.00%", "1000000000000000.00", "1E+15"},
        {INFINITY, "", "", "", ""},
        {NAN, "", "", "", ""},
    };
    for (const auto& [value, plain, percent, twoDecimals, threeDigits] : rows)
        EXPECT_EQ(PlainText(value) + " " + FormatPercent(value) + " " + FormatTwoDecimals(value) +
                      " " + PlainTextOfThreeDigits(value),
                  plain + " " + percent + " " + twoDecimals + " " + threeDigits);
    // 1.797...E+308 rounds up to 1.80E+308, past the largest double: no figure stands in.
    EXPECT_THROW(PlainTextOfThreeDigits(-DBL_MAX), std::overflow_error);
}

// Rounded on the text's own digits; any other text, or one too long to write out, stays.
TEST(NumberText, MaskOfTextsTable) {
    const std::pair<std::string, std::string> rows[] = {
        {".5", "0.50"},
        {"-0.005", "-0.01"},
        {"-0.004", "0.00"},
        {"999.999", "1000.00"},
        {"1.5e-1", "0.15"},
        {"1E+15", "1000000000000000.00"},
        {"0.47%", "0.47%"},
        {"1.2.3", "1.2.3"},
        {"", ""},  // an empty box
        {"1E+", "1E+"},
        {"1E+99999999999999999999999", "1E+99999999999999999999999"},
        {"1E-99999999999999999999999", "0.00"},
    };
    for (const auto& [text, masked] : rows)
        EXPECT_EQ(FormatTwoDecimals(std::string_view(text)), masked) << text;
}

// The locale comes from a ctest fixture, through LOCPATH; Windows names its own, and MinGW's
// C++ library knows no named locale besides "C".
TEST(NumberText, PointStaysTheDecimalPointInAGermanLocale) {
#ifdef _WIN32
    ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
#else
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    std::locale::global(std::locale("de_DE.UTF-8"));
#endif
    EXPECT_EQ(ReadCount("2.5").strict, 2.5);
    EXPECT_EQ(PlainText(2.5) + FormatTwoDecimals(2.675), "2.52.68");
    EXPECT_EQ(ShortestChars(8.53722173886814), "8.53722173886814");  // %.16g: ...8141
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
}

}  // namespace
}  // namespace tallyvane
