#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "samples/chart_scene.h"
#include "samples/samples_analysis.h"

namespace tallyvane {

// The control chart of the samples as a scene: the rows' proportions as points; each stage's
// centre line and limits (stepped where the sizes differ) with their values at their right end,
// the stages apart by a line and their names; the rows that fail a test as squares, the others
// as circles, and those set aside hollow; percent axes, thinned row labels, and a title that
// names the chart. Past 400 rows a column stands for a run of rows, drawn as the
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
    // The least and the greatest of some proportions.
    struct Extent {
        double low = 1.0, high = 0.0;
        void add(double p);
        bool any() const { return high >= low; }
    };
    struct Column {
        std::string label;  // of its first row
        std::size_t stage = 0;
        Extent quiet, signalled, aside;  // the proportions of its rows, by what they say
        Signals failed = 0;
        bool beyond = false, asideBeyond = false;
        std::string reason;                         // why its first row set aside is
        double lowerLimit = 1.0, upperLimit = 0.0;  // the widest limits of its rows
        std::size_t rows = 0;
    };
    void drawStage(ChartScene& scene, std::size_t first, std::size_t end, double pitch,
                   const std::function<double(double)>& y, bool last) const;
    SamplesSummary m_summary;
    std::vector<Column> m_columns;
    // Each stage's first column, where every stage has one: no column holds two stages' rows.
    std::vector<std::size_t> m_firstColumn;
    std::size_t m_added = 0, m_stage = 0, m_inStage = 0;
};

}  // namespace tallyvane
