#include "stats/normsinv.h"

#include <gtest/gtest.h>

#include <cmath>

#include "stats/math_fault.h"

namespace tallyvane {
namespace {

// Both sides of both breakpoints, where the formulas differ by 4.4e-9, and the three faults.
TEST(NormSInv, Table) {
    using Kind = MathFault::Kind;
    const double fails = NAN;
    const std::tuple<double, double, Kind> rows[] = {
        {0.5, 0.0, {}},
        {0.02425, -1.9729610491, {}},
        {std::nextafter(0.02425, 0.0), -1.9729610535, {}},
        {0.97575, 1.9729610491, {}},
        {std::nextafter(0.97575, 1.0), 1.9729610535, {}},
        {0.01, -2.3263478744, {}},
        {0.9999966, 4.4998544735, {}},
        {1e-300, -37.0470963029, {}},
        {0.0, fails, Kind::LogOfZero},
        {1.0, fails, Kind::LogOfZero},
        {-1e-300, fails, Kind::OutOfRange},
        {std::nextafter(1.0, 2.0), fails, Kind::OutOfRange},
        {NAN, fails, Kind::OutOfRange},
    };
    for (const auto& [p, z, fault] : rows) {
        try {
            EXPECT_NEAR(NormSInv(p), z, 5e-11) << p;
        } catch (const MathFault& caught) {
            EXPECT_TRUE(caught.kind() == fault && std::isnan(z)) << p;
        }
    }
}

}  // namespace
}  // namespace tallyvane
