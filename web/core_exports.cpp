// The core as the page calls it: texts in and texts out, through the module's memory.
#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "calc/calculate_plan.h"
#include "report/report_rows.h"

namespace {

// The texts of the six boxes, set one at a time, and the texts that the last command made.
tallyvane::ReportBoxes g_inputs;
std::vector<std::string> g_outputs;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tallyvane_set_input(int index, const char* data, std::size_t size) {
    g_inputs.at(static_cast<std::size_t>(index)).assign(data, size);
}

// The plan for the first two inputs: the warning, "1" when the results show or nothing, the
// four texts, then the four notes.
EMSCRIPTEN_KEEPALIVE void tallyvane_plan() {
    tallyvane::CalculatePlan plan = tallyvane::PlanCalculate(g_inputs[0], g_inputs[1]);
    g_outputs = {std::move(plan.warning), plan.showResults ? "1" : ""};
    g_outputs.insert(g_outputs.end(), plan.texts.begin(), plan.texts.end());
    g_outputs.insert(g_outputs.end(), plan.notes.begin(), plan.notes.end());
}

// The report's rows for the six inputs.
EMSCRIPTEN_KEEPALIVE void tallyvane_report() {
    g_outputs = tallyvane::ReportRows(g_inputs);
}

EMSCRIPTEN_KEEPALIVE std::size_t tallyvane_output_count() {
    return g_outputs.size();
}

EMSCRIPTEN_KEEPALIVE const char* tallyvane_output(std::size_t index) {
    return g_outputs.at(index).data();
}

EMSCRIPTEN_KEEPALIVE std::size_t tallyvane_output_size(std::size_t index) {
    return g_outputs.at(index).size();
}
}
