#include "samples/samples_analysis.h"

#include <string>
#include <vector>

#include "samples/parallel_for.h"
#include "samples/sample_plan.h"
#include "samples/table_refused.h"

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

// The texts that a row's views point into, kept for a block.
struct RowTexts {
    std::string label, stage, excluded;
};

}  // namespace

SampleResult JudgedSample(const SampleRow& row, const SampleVerdict& verdict) {
    return SampleResult{row,
                        {},
                        Proportion(row.defects, row.opportunities),
                        verdict.limits,
                        verdict.stage,
                        verdict.failed};
}

SampleResult SampleResultOf(const SampleRow& row, const SampleVerdict& verdict) {
    SampleResult result = JudgedSample(row, verdict);
    result.plan = SamplePlan(row.defects, row.opportunities);
    return result;
}

void AnalyseSamples(std::string_view text, Signals tests,
                    const std::function<void(const SamplesSummary&)>& summarise,
                    const std::function<std::string(const SampleResult&)>& describe,
                    const std::function<void(const SampleResult&, const std::string&)>& visit) {
    SummaryMaker maker;
    CheckSamples(text, [&](const SampleRow& row) { maker.count(row); });
    if (std::vector<std::string> empty = maker.emptyStages("line "); !empty.empty()) {
        throw TableRefused(std::move(empty));
    }
    ForEachSample(text, [&](const SampleRow& row) { maker.choose(row); });
    const SamplesSummary summary = maker.summary();
    summarise(summary);

    SampleJudge judge(summary, tests);
    std::vector<SampleResult> block;
    std::vector<RowTexts> texts(kBlockRows);
    std::vector<std::string> descriptions(kBlockRows);
    const auto flush = [&] {
        ParallelFor(block.size(), [&](std::size_t i) {
            SampleResult& r = block[i];
            r.plan = SamplePlan(r.row.defects, r.row.opportunities);
            r.row.label = texts[i].label;
            r.row.stage = texts[i].stage;
            r.row.excluded = texts[i].excluded;
            descriptions[i] = describe(r);
        });
        for (std::size_t i = 0; i < block.size(); ++i) {
            visit(block[i], descriptions[i]);
        }
        block.clear();
    };
    block.reserve(kBlockRows);
    ForEachSample(text, [&](const SampleRow& row) {
        RowTexts& kept = texts[block.size()];
        kept.label.assign(row.label);
        kept.stage.assign(row.stage);
        kept.excluded.assign(row.excluded);
        block.push_back(JudgedSample(row, judge.judge(row)));
        if (block.size() == kBlockRows) {
            flush();
        }
    });
    flush();
}

}  // namespace tallyvane
