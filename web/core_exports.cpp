// The core as the page calls it: texts in, one text out, through the module's memory.
#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <string>

#include "calc/calculate_plan.h"
#include "report/report_rows.h"

namespace {

// The texts of the six boxes, set one at a time, and the text the last call gave.
tallyvane::ReportBoxes g_inputs;
std::string g_output;

// Fields and rows are parted by characters that no result, note or box can hold: a box's value
// in the page has no line breaks.
constexpr char kFieldSeparator = '\x1f';

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tallyvane_set_input(int index, const char* data, std::size_t size) {
    g_inputs.at(static_cast<std::size_t>(index)).assign(data, size);
}

// The plan for the first two inputs: the warning, "1" when the results show or nothing, the
// four texts, then the four notes.
EMSCRIPTEN_KEEPALIVE void tallyvane_plan() {
    const tallyvane::CalculatePlan plan = tallyvane::PlanCalculate(g_inputs[0], g_inputs[1]);
    g_output = plan.warning + kFieldSeparator + (plan.showResults ? "1" : "");
    for (const auto* texts : {&plan.texts, &plan.notes}) {
        for (const std::string& text : *texts) {
            g_output += kFieldSeparator + text;
        }
    }
}

// The report's rows for the six inputs, one a line.
EMSCRIPTEN_KEEPALIVE void tallyvane_report() {
    g_output.clear();
    for (const std::string& row : tallyvane::ReportRows(g_inputs)) {
        g_output += row + '\n';
    }
}

EMSCRIPTEN_KEEPALIVE const char* tallyvane_output() {
    return g_output.data();
}

EMSCRIPTEN_KEEPALIVE std::size_t tallyvane_output_size() {
    return g_output.size();
}
}
