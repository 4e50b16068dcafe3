#include "samples/stage_charts.h"

#include "samples/parallel_for.h"
#include "samples/sample_plan.h"

namespace tallyvane {

std::string StageTitle(const SamplesSummary& summary, std::size_t stage) {
    const std::string& name = summary.stages[stage].name;
    return name.empty() ? "Stage " + std::to_string(stage + 1) : name;
}

std::string CountedText(const SampleTotals& totals) {
    const std::string rows =
        std::to_string(totals.rows) + (totals.rows == 1 ? " sample" : " samples");
    if (totals.setAside == 0) {
        return rows;
    }
    return std::to_string(totals.counted()) + " of " + rows + " (" +
           std::to_string(totals.setAside) + " set aside)";
}

std::size_t StageSplitter::stageOf(std::string_view stage) {
    if (m_stages == 0 || stage != m_name) {
        m_name.assign(stage);
        ++m_stages;
    }
    return m_stages - 1;
}

void SummaryMaker::count(const SampleRow& row) {
    if (m_splitter.stageOf(row.stage) == m_stages.size()) {
        m_stages.push_back(StageSummary{std::string(row.stage), row.line, {}, {}, {}});
    }
    SampleTotals& totals = m_stages.back().totals;
    ++totals.rows;
    if (row.setAside()) {
        ++totals.setAside;
    } else {
        totals.defects += row.defects;
        totals.opportunities += row.opportunities;
    }
}

std::vector<std::string> SummaryMaker::emptyStages(std::string_view where) const {
    std::vector<std::string> reasons;
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        const StageSummary& s = m_stages[i];
        if (s.totals.counted() == 0) {
            const std::string stage = m_stages.size() == 1 ? std::string("the table")
                                      : s.name.empty()     ? "stage " + std::to_string(i + 1)
                                                           : "the stage \"" + s.name + "\"";
            reasons.push_back(std::string(where) + std::to_string(s.first) + ": every sample of " +
                              stage + " is set aside: bring one back to judge them against");
        }
    }
    return reasons;
}

void SummaryMaker::choose(const SampleRow& row) {
    const std::size_t stage = m_chooserSplitter.stageOf(row.stage);
    if (stage == m_choosers.size()) {
        m_choosers.emplace_back(m_stages[stage].totals);
    }
    if (!row.setAside()) {
        m_choosers.back().add(row);
    }
}

SamplesSummary SummaryMaker::summary() const {
    SamplesSummary summary;
    summary.stages = m_stages;
    ParallelFor(m_stages.size(), [&](std::size_t i) {  // many stages: as many intervals
        StageSummary& s = summary.stages[i];
        s.chart = m_choosers[i].chart();
        s.pooled = SamplePlan(s.totals.defects, s.totals.opportunities);
    });
    for (const StageSummary& s : summary.stages) {
        summary.totals.rows += s.totals.rows;
        summary.totals.setAside += s.totals.setAside;
        summary.totals.defects += s.totals.defects;
        summary.totals.opportunities += s.totals.opportunities;
    }
    summary.pooled = summary.stages.size() == 1
                         ? summary.stages.front().pooled
                         : SamplePlan(summary.totals.defects, summary.totals.opportunities);
    return summary;
}

SampleJudge::SampleJudge(const SamplesSummary& summary, Signals tests)
    : m_summary(summary), m_tests(tests), m_runs(tests) {}

SampleVerdict SampleJudge::judge(const SampleRow& row) {
    const std::size_t stage = m_splitter.stageOf(row.stage);
    if (stage != m_stage) {
        m_stage = stage;
        m_runs = RunTests(m_tests);
    }
    const ControlChart& chart = m_summary.stages[stage].chart;
    double standardised = 0.0;
    SampleVerdict verdict{stage, LimitsOf(chart, row.defects, row.opportunities, &standardised), 0};
    if (!row.setAside()) {
        verdict.failed = m_runs.add(standardised, verdict.limits.beyond);
    }
    return verdict;
}

}  // namespace tallyvane
