#include "samples/samples_analysis.h"

#include <string>
#include <vector>

#include "samples/parallel_for.h"
#include "samples/sample_plan.h"

namespace tallyvane {
namespace {

constexpr std::size_t kBlockRows = 8192;

// Every row of a table already checked, in order.
template <typename Visit>
void ForEachSample(std::string_view text, const Visit& visit) {
    SampleRows rows(text);
    SampleRow row;
    std::string error;
    while (rows.next(row, error)) {
        visit(row);
    }
}

}  // namespace

SampleResult SampleResultOf(const ControlChart& chart, const SampleRow& row) {
    return SampleResult{row, SamplePlan(row.defects, row.opportunities),
                        Proportion(row.defects, row.opportunities),
                        LimitsOf(chart, row.defects, row.opportunities)};
}

void AnalyseSamples(std::string_view text,
                    const std::function<void(const SamplesSummary&)>& summarise,
                    const std::function<std::string(const SampleResult&)>& describe,
                    const std::function<void(const SampleResult&, const std::string&)>& visit) {
    const SampleTotals totals = CheckSamples(text);
    ChartChooser chooser(totals);
    ForEachSample(text, [&](const SampleRow& row) { chooser.add(row); });
    const ControlChart chart = chooser.chart();
    summarise(SamplesSummary{totals, chart, SamplePlan(totals.defects, totals.opportunities)});

    std::vector<SampleResult> block;
    std::vector<std::string> labels, descriptions(kBlockRows);
    const auto flush = [&] {
        ParallelFor(block.size(), [&](std::size_t i) {
            SampleResult& r = block[i];
            r = SampleResultOf(chart, r.row);
            r.row.label = labels[i];
            descriptions[i] = describe(r);
        });
        for (std::size_t i = 0; i < block.size(); ++i) {
            visit(block[i], descriptions[i]);
        }
        block.clear();
    };
    block.reserve(kBlockRows);
    labels.resize(kBlockRows);
    ForEachSample(text, [&](const SampleRow& row) {
        labels[block.size()].assign(row.label);
        block.push_back(SampleResult{row, {}, 0.0, {}});
        if (block.size() == kBlockRows) {
            flush();
        }
    });
    flush();
}

}  // namespace tallyvane
