#pragma once

#include <functional>
#include <string_view>

#include "calc/calculate_plan.h"
#include "samples/control_chart.h"
#include "samples/sample_rows.h"

namespace tallyvane {

// What the whole table gives: its totals, the chart it is judged on, and the pooled figures,
// byte for byte the window's for the two totals.
struct SamplesSummary {
    SampleTotals totals;
    ControlChart chart;
    CalculatePlan pooled;
};

// One sample with its figures.
struct SampleResult {
    SampleRow row;  // its label is valid during the call alone
    CalculatePlan plan;
    double proportion = 0.0;
    ControlLimits limits;
};

// A checked row's figures on the table's chart.
SampleResult SampleResultOf(const ControlChart& chart, const SampleRow& row);

// Checks the whole table first (throws TableRefused, and then gives nothing), then hands
// `summarise` the summary and `visit` every sample's result, in order, with what `describe`
// made of it. The rows, and `describe`, are worked out a block at a time on every core (so
// `describe` must be safe to call from several threads at once), and neither the table nor its
// results are ever held whole.
void AnalyseSamples(std::string_view text,
                    const std::function<void(const SamplesSummary&)>& summarise,
                    const std::function<std::string(const SampleResult&)>& describe,
                    const std::function<void(const SampleResult&, const std::string&)>& visit);

}  // namespace tallyvane
