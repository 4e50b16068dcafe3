#pragma once

#include <functional>
#include <string_view>

#include "calc/calculate_plan.h"
#include "samples/control_chart.h"
#include "samples/sample_rows.h"
#include "samples/stage_charts.h"

namespace tallyvane {

// One sample with its figures.
struct SampleResult {
    SampleRow row;  // its texts are valid during the call alone
    CalculatePlan plan;
    double proportion = 0.0;
    ControlLimits limits;
    std::size_t stage = 0;
    Signals failed = 0;
};

// A checked row's verdict, and its figures but the texts of its results; and with them.
SampleResult JudgedSample(const SampleRow& row, const SampleVerdict& verdict);
SampleResult SampleResultOf(const SampleRow& row, const SampleVerdict& verdict);

// Checks the whole table first (throws TableRefused, and then gives nothing), then hands
// `summarise` the summary and `visit` every sample's result, judged by the chosen tests, in
// order, with what `describe`
// made of it. The rows, and `describe`, are worked out a block at a time on every core (so
// `describe` must be safe to call from several threads at once), and neither the table nor its
// results are ever held whole.
void AnalyseSamples(std::string_view text, Signals tests,
                    const std::function<void(const SamplesSummary&)>& summarise,
                    const std::function<std::string(const SampleResult&)>& describe,
                    const std::function<void(const SampleResult&, const std::string&)>& visit);

}  // namespace tallyvane
