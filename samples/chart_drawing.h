#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "samples/chart_scene.h"
#include "samples/samples_analysis.h"

namespace tallyvane {

// The control chart of the samples as a scene: the rows' proportions as points, the centre line,
// the limits (stepped where the sizes differ) with their values at their right end, the rows
// beyond them as squares and the others as circles, percent axes, thinned row labels, and a
// title that names the chart. Past 400 rows a column stands for a run of rows, drawn as the
// range of their proportions, so that the drawing keeps its size at any number of rows.
class ChartDrawing {
public:
    explicit ChartDrawing(const SamplesSummary& summary);
    // Every row in order.
    void add(const SampleResult& result);
    ChartScene scene() const;
    // The scene as SVG.
    std::string svg() const;

private:
    struct Column {
        std::string label;                          // of its first row
        double low = 1.0, high = 0.0;               // the proportions within the limits
        double beyondLow = 1.0, beyondHigh = 0.0;   // and beyond them
        double lowerLimit = 1.0, upperLimit = 0.0;  // the widest limits of its rows
        std::size_t rows = 0;
    };
    SamplesSummary m_summary;
    std::vector<Column> m_columns;
    std::size_t m_added = 0;
};

}  // namespace tallyvane
