#include "calc/filter_key.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

TEST(FilterKey, EveryCodeOfTheFirstPlane) {
    for (int code = 0; code <= 0xFFFF; ++code) {
        const bool passes = (code >= '0' && code <= '9') || code == '.' || code == 8;
        const KeyVerdict expected = passes       ? KeyVerdict::kPass
                                    : code == 13 ? KeyVerdict::kMoveFocus
                                                 : KeyVerdict::kSwallow;
        ASSERT_EQ(FilterKey(code), expected) << "code " << code;
    }
}

TEST(FilterKey, CodesOutsideSixteenBitsAreSwallowed) {
    // A code that wraps to '0' modulo 256 or 65536 must not pass.
    for (int code : {-1, 0x10030, 0x130, 0x12E, -65536 + '5'}) {
        EXPECT_EQ(FilterKey(code), KeyVerdict::kSwallow) << code;
    }
}

}  // namespace
}  // namespace tallyvane
