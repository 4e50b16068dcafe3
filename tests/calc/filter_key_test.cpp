#include "calc/filter_key.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

struct KeyCase {
    int code;
    KeyVerdict verdict;
};

class FilterKeyCode : public testing::TestWithParam<KeyCase> {};

TEST_P(FilterKeyCode, Verdict) {
    EXPECT_EQ(FilterKey(GetParam().code), GetParam().verdict) << GetParam().code;
}

constexpr auto kPass = KeyVerdict::kPass;
constexpr auto kSwallow = KeyVerdict::kSwallow;

INSTANTIATE_TEST_SUITE_P(
    Table, FilterKeyCode,
    testing::Values(
        KeyCase{'0', kPass}, KeyCase{'5', kPass}, KeyCase{'9', kPass}, KeyCase{'.', kPass},
        KeyCase{8, kPass}, KeyCase{13, KeyVerdict::kMoveFocus},
        // The neighbours of the digits, signs, blanks, separators and exponent marks.
        KeyCase{'/', kSwallow}, KeyCase{':', kSwallow}, KeyCase{'-', kSwallow},
        KeyCase{'+', kSwallow}, KeyCase{' ', kSwallow}, KeyCase{',', kSwallow},
        KeyCase{'e', kSwallow}, KeyCase{'E', kSwallow},
        // Ctrl+C, Ctrl+V, Ctrl+X, Escape, NUL, DEL and a non-ASCII digit.
        KeyCase{3, kSwallow}, KeyCase{22, kSwallow}, KeyCase{24, kSwallow},
        KeyCase{27, kSwallow}, KeyCase{0, kSwallow}, KeyCase{127, kSwallow},
        KeyCase{0x0663, kSwallow},
        // Codes that would wrap onto a digit if cut to 8 or 16 bits.
        KeyCase{0x130, kSwallow}, KeyCase{0x10030, kSwallow}, KeyCase{-65536 + '5', kSwallow},
        KeyCase{-1, kSwallow}));

}  // namespace
}  // namespace tallyvane
