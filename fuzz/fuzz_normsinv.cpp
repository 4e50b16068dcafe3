// NormSInv on any double: a finite value or a fault, and mirror symmetry about 0.5.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "stats/math_fault.h"
#include "stats/normsinv.h"

namespace {

bool Quantile(double p, double& z) {
    try {
        z = tallyvane::NormSInv(p);
        return true;
    } catch (const tallyvane::MathFault& fault) {
        const bool inRange = p >= 0.0 && p <= 1.0;
        FUZZ_CHECK((fault.kind() == tallyvane::MathFault::Kind::OutOfRange) == !inRange);
        FUZZ_CHECK(fault.kind() != tallyvane::MathFault::Kind::LogOfZero || p == 0.0 || p == 1.0);
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double))
        return 0;
    double p;
    std::memcpy(&p, data, sizeof p);
    double z = 0;
    const bool inside = p > 0.0 && p < 1.0;
    FUZZ_CHECK(Quantile(p, z) == inside);
    if (!inside)
        return 0;
    FUZZ_CHECK(std::isfinite(z));
    FUZZ_CHECK((z < 0) == (p < 0.5) || z == 0.0);
    // 1 - q is exact for q = 1 - p, so the mirrored pair is antisymmetric: exactly within a
    // region, and up to the 4.4e-9 jump of the formulas where the pair straddles a breakpoint
    // (1 - 0.97575 is just below 0.02425 in doubles).
    const double q = 1.0 - p;
    double zq = 0, zmirror = 0;
    if (q > 0.0 && q < 1.0 && Quantile(q, zq) && Quantile(1.0 - q, zmirror)) {
        FUZZ_CHECK(std::fabs(zq + zmirror) <= 1e-8);
    }
    return 0;
}
