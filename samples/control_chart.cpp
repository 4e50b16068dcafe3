#include "samples/control_chart.h"

#include <algorithm>
#include <cmath>

#include "calc/double_chars.h"

namespace tallyvane {
namespace {

// d2 for moving ranges of two: the mean range of two standard normal values.
constexpr double kD2 = 1.128;

double Sigma(double centre, std::uint64_t opportunities) {
    return std::sqrt(centre * (1.0 - centre) / static_cast<double>(opportunities));
}

ControlLimits Limits(double centre, double halfWidth, double proportion) {
    ControlLimits limits{std::max(0.0, centre - halfWidth), std::min(1.0, centre + halfWidth)};
    limits.beyond = proportion < limits.lower || proportion > limits.upper;
    return limits;
}

}  // namespace

std::string ChartNote(const ControlChart& chart, std::size_t samples) {
    if (!chart.tooFewForLaney) {
        return {};
    }
    return "P chart: the samples vary more than the binomial limits allow (\u03c3z " +
           GeneralChars(*chart.sigmaZ, 4) + "), but Laney P\u2032 needs at least " +
           std::to_string(kLeastSamplesForLaney) + " samples to estimate \u03c3z, and there are " +
           std::to_string(samples) + ".";
}

std::string_view ChartName(const ControlChart& chart) {
    return chart.kind == ChartKind::kLaneyP ? "Laney P\u2032" : "P";
}

double Proportion(std::uint64_t defects, std::uint64_t opportunities) {
    return static_cast<double>(defects) / static_cast<double>(opportunities);
}

ChartChooser::ChartChooser(const SampleTotals& totals)
    : m_totals(totals), m_centre(Proportion(totals.defects, totals.opportunities)) {}

void ChartChooser::add(const SampleRow& row) {
    const double p = Proportion(row.defects, row.opportunities);
    const double sigma = Sigma(m_centre, row.opportunities);
    m_beyondP += Limits(m_centre, 3.0 * sigma, p).beyond;
    if (sigma > 0.0) {
        const double z = (p - m_centre) / sigma;
        if (m_lastZ) {
            m_movingRanges += std::abs(z - *m_lastZ);
        }
        m_lastZ = z;
    }
}

ControlChart ChartChooser::chart() const {
    ControlChart chart{m_centre, std::nullopt, ChartKind::kP};
    const std::size_t rows = m_totals.counted();
    if (rows >= 2 && m_centre > 0.0 && m_centre < 1.0) {
        chart.sigmaZ = m_movingRanges / static_cast<double>(rows - 1) / kD2;
        if (*chart.sigmaZ > 1.0 && 2 * m_beyondP >= rows) {
            chart.tooFewForLaney = rows < kLeastSamplesForLaney;
            chart.kind = chart.tooFewForLaney ? ChartKind::kP : ChartKind::kLaneyP;
        }
    }
    return chart;
}

ControlLimits LimitsOf(const ControlChart& chart, std::uint64_t defects,
                       std::uint64_t opportunities, double* standardised) {
    const double widening = chart.kind == ChartKind::kLaneyP ? *chart.sigmaZ : 1.0;
    const double sigma = Sigma(chart.centre, opportunities) * widening;
    const double proportion = Proportion(defects, opportunities);
    if (standardised) {
        *standardised = sigma > 0.0 ? (proportion - chart.centre) / sigma : 0.0;
    }
    return Limits(chart.centre, 3.0 * sigma, proportion);
}

}  // namespace tallyvane
