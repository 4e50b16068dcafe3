#include "stats/normsinv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stats/math_fault.h"

namespace tallyvane {
namespace {

// Both sides of both breakpoints: the two formulas differ by 4.4e-9 there.
TEST(NormSInv, QuantileTable) {
    const struct {
        double p, z;
    } rows[] = {
        {0.5, 0.0},
        {0.02425, -1.9729610491},
        {std::nextafter(0.02425, 0.0), -1.9729610535},
        {0.97575, 1.9729610491},
        {std::nextafter(0.97575, 1.0), 1.9729610535},
        {0.01, -2.3263478744},
        {0.99, 2.3263478744},
        {0.9999966, 4.4998544735},
        {1e-300, -37.0470963029},
    };
    for (const auto& row : rows) {
        EXPECT_NEAR(NormSInv(row.p), row.z, 5e-11) << row.p;
    }
}

TEST(NormSInv, FaultTable) {
    using Kind = MathFault::Kind;
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double p;
        Kind kind;
    } rows[] = {
        {0.0, Kind::LogOfZero},           {1.0, Kind::LogOfZero},
        {-1e-300, Kind::OutOfRange},      {std::nextafter(1.0, 2.0), Kind::OutOfRange},
        {std::nan(""), Kind::OutOfRange}, {inf, Kind::OutOfRange},
        {-inf, Kind::OutOfRange},
    };
    for (const auto& row : rows) {
        try {
            ADD_FAILURE() << row.p << " gave " << NormSInv(row.p);
        } catch (const MathFault& fault) {
            EXPECT_EQ(fault.kind(), row.kind) << row.p;
            if (row.kind == Kind::OutOfRange) {
                EXPECT_STREQ(fault.what(), "NormSInv: Argument out of range.");
            }
        }
    }
}

}  // namespace
}  // namespace tallyvane
