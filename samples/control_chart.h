#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "samples/sample_rows.h"

namespace tallyvane {

enum class ChartKind {
    kP,       // binomial limits, p-bar +- 3 sigma_i
    kLaneyP,  // Laney's P': the binomial sigma_i widened by the spread of the z-scores
};

// The chart that the samples are judged on.
struct ControlChart {
    double centre = 0.0;  // p-bar: total defects / total opportunities
    // The mean moving range of the rows' z-scores / 1.128; none for one row, or p-bar 0 or 1.
    std::optional<double> sigmaZ;
    ChartKind kind = ChartKind::kP;
    // The rows call for Laney's P', but are too few for sigma_z to mean anything: the P chart
    // stands, and says why.
    bool tooFewForLaney = false;
};

// The fewest samples that Laney's P' is used on. Sigma_z is estimated from the rows' moving
// ranges, as the sigma of an individuals chart is, and such an estimate wants the 20 to 25
// preliminary samples that trial control limits are set from (D. C. Montgomery, Introduction to
// Statistical Quality Control, 6th ed., Wiley 2009, sections 5.3 and 6.2; D. B. Laney, "Improved
// control charts for attributes", Quality Engineering 14(4), 2002, pp. 531-537).
inline constexpr std::size_t kLeastSamplesForLaney = 20;

// What the chart says of its choice where it kept the P chart against the rows' spread; empty
// otherwise.
std::string ChartNote(const ControlChart& chart, std::size_t samples);

struct ControlLimits {
    double lower = 0.0;  // clipped to 0 and 1
    double upper = 0.0;
    bool beyond = false;  // the row's proportion lies strictly outside them
};

// Chooses the chart over every row that counts, in order: Laney's P' where sigma_z > 1 and the P
// limits put at least half of the rows beyond them (limits that call most rows special are too
// narrow, not the rows), and there are at least kLeastSamplesForLaney rows; the P chart otherwise.
class ChartChooser {
public:
    explicit ChartChooser(const SampleTotals& totals);
    void add(const SampleRow& row);
    ControlChart chart() const;

private:
    SampleTotals m_totals;
    double m_centre;
    std::optional<double> m_lastZ;
    double m_movingRanges = 0.0;
    std::size_t m_beyondP = 0;
};

// "P" or "Laney P′".
std::string_view ChartName(const ControlChart& chart);

// A sample's defect proportion, defects / opportunities.
double Proportion(std::uint64_t defects, std::uint64_t opportunities);

// A row's limits and verdict on the chart; and where asked, its standardised value: its
// distance from the centre in units of its own sigma (widened by sigma_z on a P' chart), 0 where
// the centre leaves no spread.
ControlLimits LimitsOf(const ControlChart& chart, std::uint64_t defects,
                       std::uint64_t opportunities, double* standardised = nullptr);

}  // namespace tallyvane
