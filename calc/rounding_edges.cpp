#include "calc/rounding_edges.h"

#include <cmath>
#include <numbers>

#include "stats/normsinv.h"

namespace tallyvane {
namespace {

// Whether every number within `within` of `value` rounds to the same multiple of `unit`, half-way
// cases away from zero, with room to spare for the 15-significant-digit form the texts round on.
bool ClearOfHalfway(double value, double within, double unit) {
    const double r = value / unit;
    return std::abs(r - std::floor(r) - 0.5) * unit > within + std::abs(value) * 1e-12;
}

}  // namespace

bool NoteTextsHoldWithin(double fraction, double within) {
    if (!(fraction > within && fraction + within < 1.0)) {
        return false;
    }
    const double dpmo = fraction * 1e6;
    const double magnitude = std::floor(std::log10(dpmo));
    const double z = NormSInv(fraction);
    const double density = std::exp(-z * z / 2) / std::sqrt(2 * std::numbers::pi);
    return std::floor(std::log10(dpmo - 1e6 * within)) == magnitude &&
           std::floor(std::log10(dpmo + 1e6 * within)) == magnitude &&
           ClearOfHalfway(dpmo, 1e6 * within, std::pow(10.0, magnitude - 2)) &&
           ClearOfHalfway(100 * fraction, 100 * within, 0.01) &&
           ClearOfHalfway(1.5 - z, 2 * within / density, 0.01);
}

}  // namespace tallyvane
