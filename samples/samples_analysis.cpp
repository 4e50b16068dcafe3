#include "samples/samples_analysis.h"

#include <array>
#include <future>
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

void AnalyseSamples(std::string_view text,
                    const std::function<void(const SamplesSummary&)>& summarise,
                    const std::function<std::string(const SampleResult&)>& describe,
                    const std::function<void(const SampleResult&, const std::string&)>& visit) {
    const SampleTotals totals = CheckSamples(text);
    ChartChooser chooser(totals);
    ForEachSample(text, [&](const SampleRow& row) { chooser.add(row); });
    const ControlChart chart = chooser.chart();
    summarise(SamplesSummary{totals, chart, SamplePlan(totals.defects, totals.opportunities)});

    // Two blocks: one is worked out on every core while the other is handed to `visit`.
    struct Block {
        std::vector<SampleResult> results;
        std::vector<std::string> labels, descriptions;
    };
    std::array<Block, 2> blocks;
    const auto work = [&](Block& block) {
        block.descriptions.resize(block.results.size());
        ParallelFor(block.results.size(), [&](std::size_t i) {
            SampleResult& r = block.results[i];
            r.plan = SamplePlan(r.row.defects, r.row.opportunities);
            r.proportion =
                static_cast<double>(r.row.defects) / static_cast<double>(r.row.opportunities);
            r.limits = LimitsOf(chart, r.row.defects, r.row.opportunities);
            r.row.label = block.labels[i];
            block.descriptions[i] = describe(r);
        });
    };
    const auto hand = [&](Block& block) {
        for (std::size_t i = 0; i < block.results.size(); ++i) {
            visit(block.results[i], block.descriptions[i]);
        }
        block.results.clear();
    };
    std::future<void> working;  // the other block's
    std::size_t filling = 0;
    const auto next = [&] {
        Block& full = blocks[filling];
        filling = 1 - filling;
        if (working.valid()) {
            working.get();
        }
        working = RunAside([&] { work(full); });
        hand(blocks[filling]);
    };
    for (Block& block : blocks) {
        block.results.reserve(kBlockRows);
        block.labels.resize(kBlockRows);
    }
    ForEachSample(text, [&](const SampleRow& row) {
        Block& block = blocks[filling];
        block.labels[block.results.size()].assign(row.label);
        block.results.push_back(SampleResult{row, {}, 0.0, {}});
        if (block.results.size() == kBlockRows) {
            next();
        }
    });
    next();
    working.get();
    hand(blocks[1 - filling]);
}

}  // namespace tallyvane
