#include "stats/normsinv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stats/math_fault.h"

namespace tallyvane {
namespace {

struct QuantileCase {
    double p;
    double z;  // to 10 decimals
};

class NormSInvQuantile : public testing::TestWithParam<QuantileCase> {};

TEST_P(NormSInvQuantile, MatchesTableToTenDecimals) {
    const QuantileCase c = GetParam();
    EXPECT_NEAR(NormSInv(c.p), c.z, 5e-11) << "p = " << c.p;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NormSInvQuantile,
    testing::Values(QuantileCase{0.5, 0.0}, QuantileCase{0.02425, -1.9729610491},
                    QuantileCase{std::nextafter(0.02425, 0.0), -1.9729610535},
                    QuantileCase{0.97575, 1.9729610491},
                    QuantileCase{std::nextafter(0.97575, 1.0), 1.9729610535},
                    QuantileCase{0.975, 1.9599639861}, QuantileCase{0.01, -2.3263478744},
                    QuantileCase{0.99, 2.3263478744}, QuantileCase{0.001, -3.0902323047},
                    QuantileCase{0.9999966, 4.4998544735}, QuantileCase{0.999999, 4.7534243138},
                    QuantileCase{1e-300, -37.0470963029}));

TEST(NormSInv, HalfIsExactlyZero) {
    EXPECT_EQ(NormSInv(0.5), 0.0);
}

TEST(NormSInv, BreakpointsBelongToTheCentralRegion) {
    // The central and tail formulas differ by about 4.4e-9 at the breakpoints, so the side
    // a breakpoint falls on shows in the ninth decimal.
    EXPECT_GT(NormSInv(0.02425) - NormSInv(std::nextafter(0.02425, 0.0)), 4e-9);
    EXPECT_GT(NormSInv(std::nextafter(0.97575, 1.0)) - NormSInv(0.97575), 4e-9);
}

struct FaultCase {
    const char* name;
    double p;
    MathFault::Kind kind;
    long number;
};

class NormSInvFault : public testing::TestWithParam<FaultCase> {};

TEST_P(NormSInvFault, FailsWithoutAValue) {
    const FaultCase c = GetParam();
    try {
        const double z = NormSInv(c.p);
        ADD_FAILURE() << c.name << " returned " << z;
    } catch (const MathFault& fault) {
        EXPECT_EQ(fault.kind(), c.kind) << c.name;
        EXPECT_EQ(fault.number(), c.number) << c.name;
        if (c.kind == MathFault::Kind::OutOfRange) {
            EXPECT_EQ(fault.description(), "NormSInv: Argument out of range.");
        }
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr auto kOut = MathFault::Kind::OutOfRange;
constexpr auto kLog = MathFault::Kind::LogOfZero;

INSTANTIATE_TEST_SUITE_P(
    Table, NormSInvFault,
    testing::Values(FaultCase{"zero", 0.0, kLog, 5}, FaultCase{"one", 1.0, kLog, 5},
                    FaultCase{"negative zero", -0.0, kLog, 5},
                    FaultCase{"below zero", -1e-300, kOut, -2147221504},
                    FaultCase{"above one", std::nextafter(1.0, 2.0), kOut, -2147221504},
                    FaultCase{"NaN", std::numeric_limits<double>::quiet_NaN(), kOut, -2147221504},
                    FaultCase{"plus inf", kInf, kOut, -2147221504},
                    FaultCase{"minus inf", -kInf, kOut, -2147221504}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

TEST(NormSInv, FiniteAndExactlyAntisymmetricAcrossTheRange) {
    // For q = 1 - p the difference 1 - q is exact, so mirrored arguments are exact mirrors.
    for (double p = 1e-16; p < 0.5; p *= 1.37) {
        const double q = 1.0 - p;
        const double lower = NormSInv(1.0 - q);
        const double upper = NormSInv(q);
        ASSERT_TRUE(std::isfinite(lower) && std::isfinite(upper)) << p;
        EXPECT_EQ(lower, -upper) << p;
    }
    EXPECT_TRUE(std::isfinite(NormSInv(std::numeric_limits<double>::denorm_min())));
    EXPECT_TRUE(std::isfinite(NormSInv(std::nextafter(1.0, 0.0))));
}

}  // namespace
}  // namespace tallyvane
