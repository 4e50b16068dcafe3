#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculate_plan.h"
#include "samples/control_chart.h"
#include "samples/run_tests.h"
#include "samples/sample_rows.h"

namespace tallyvane {

// A run of consecutive samples with the same stage, and its own chart: its centre, sigma_z and
// choice of chart come from its samples that count, and so do its pooled figures.
struct StageSummary {
    std::string name;       // as the rows give it, perhaps empty
    std::size_t first = 0;  // the line (or place) of its first sample
    SampleTotals totals;
    ControlChart chart;
    CalculatePlan pooled;
};

// What the whole table gives: its totals, its stages, and the pooled figures of every sample that
// counts, byte for byte the window's for the two totals.
struct SamplesSummary {
    SampleTotals totals;
    std::vector<StageSummary> stages;
    CalculatePlan pooled;
};

// A stage's name as the views show it: its own, or "Stage 2" for one without.
std::string StageTitle(const SamplesSummary& summary, std::size_t stage);

// "28 of 30 samples (2 set aside)"; "30 samples" where none is; "1 sample".
std::string CountedText(const SampleTotals& totals);

// Which stage each sample is in, the samples given in order.
class StageSplitter {
public:
    std::size_t stageOf(std::string_view stage);

private:
    std::string m_name;
    std::size_t m_stages = 0;
};

// The summary, made in two passes over the good samples in order: count() every one, then
// choose() every one, then summary(). Before choosing, emptyStages() names the stages whose every
// sample is set aside, which give no chart.
class SummaryMaker {
public:
    void count(const SampleRow& row);
    std::vector<std::string> emptyStages(std::string_view where) const;
    void choose(const SampleRow& row);
    SamplesSummary summary() const;

private:
    std::vector<StageSummary> m_stages;
    std::vector<ChartChooser> m_choosers;
    StageSplitter m_splitter, m_chooserSplitter;
};

// A sample's stage, limits and failed.
struct SampleVerdict {
    std::size_t stage = 0;
    ControlLimits limits;
    Signals failed = 0;
};

// Every good sample judged in order on its stage's chart, by the chosen tests: those that count
// for the tests, those set aside against the limits alone.
class SampleJudge {
public:
    SampleJudge(const SamplesSummary& summary, Signals tests);
    SampleVerdict judge(const SampleRow& row);

private:
    const SamplesSummary& m_summary;
    Signals m_tests;
    StageSplitter m_splitter;
    RunTests m_runs;
    std::size_t m_stage = 0;
};

}  // namespace tallyvane
