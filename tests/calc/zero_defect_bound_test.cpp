#include "calc/zero_defect_bound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tallyvane {
namespace {

struct BoundCase {
    double opportunities;
    double bound;
    const char* text;
};

class ZeroDefectBound : public testing::TestWithParam<BoundCase> {};

TEST_P(ZeroDefectBound, NinetyFivePercentLowerBound) {
    const BoundCase& c = GetParam();
    const auto bound = ZeroDefectSigmaBound(c.opportunities);
    ASSERT_TRUE(bound.has_value());
    EXPECT_NEAR(*bound, c.bound, 5e-7);
    EXPECT_EQ(ZeroDefectSigmaBoundText(c.opportunities), c.text);
}

// Reference values from the exact binomial bound and the true normal quantile.
INSTANTIATE_TEST_SUITE_P(Table, ZeroDefectBound,
                         testing::Values(BoundCase{1500, 4.378926, "4.38"},
                                         BoundCase{1, -0.144854, "-0.14"},
                                         BoundCase{1e6, 6.026691, "6.03"},
                                         // 0.05^(1/O) rounds to 1 here; expm1 does not.
                                         BoundCase{1e17, 9.865393, "9.87"},
                                         BoundCase{1e300, 38.517490, "38.52"}));

TEST(ZeroDefectBound, NoneWithoutAFiniteBound) {
    for (double o : {0.0, -5.0, 0.0001, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(ZeroDefectSigmaBound(o).has_value()) << o;
        EXPECT_EQ(ZeroDefectSigmaBoundText(o), "") << o;
    }
}

}  // namespace
}  // namespace tallyvane
