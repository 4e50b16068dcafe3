// The core as the page calls it: texts in and texts out, through the module's memory.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/calculate_plan.h"
#include "report/report_rows.h"
#include "samples/sample_cells.h"
#include "samples/sample_columns.h"
#include "samples/sample_sheet.h"

namespace {

// The texts of the six boxes, set one at a time, and the texts that the last command made.
tallyvane::ReportBoxes g_inputs;
std::vector<std::string> g_outputs;
std::optional<tallyvane::SampleSheet> g_sheet;
tallyvane::Signals g_tests = tallyvane::kAllTests;
// The count of rows, the pooled row as OutputRow gives it, the chart, whether the table has
// stages, why its rows cannot be set aside, and how many pooled lines follow.
constexpr std::size_t kSamplesHead = 1 + 2 * tallyvane::kSampleColumns.size() + 2 + 3;
bool g_spent = false;  // an input that found no room: the command after says so

// The samples' answer where the page's memory is spent: no table, and the page goes on.
void SayMemorySpent() {
    using namespace tallyvane;
    g_sheet.reset();
    g_spent = false;
    g_outputs = {"0"};
    g_outputs.resize(kSamplesHead);
    g_outputs.emplace_back(
        "The table is too large for this browser's memory: split it into smaller ones.");
}

// A row of the table, or its pooled row: its cells, a note under each cell, and its warning.
void OutputRow(const tallyvane::SampleTexts& texts) {
    g_outputs.insert(g_outputs.end(), texts.cells.begin(), texts.cells.end());
    g_outputs.insert(g_outputs.end(), texts.notes.begin(), texts.notes.end());
    g_outputs.push_back(texts.warning);
}

// The table as the page shows it: see tallyvane_samples.
void OutputSheet() {
    using namespace tallyvane;
    g_outputs = {std::to_string(g_sheet->size())};
    if (g_sheet->summary()) {
        OutputRow(g_sheet->pooledTexts());
        g_outputs.push_back(g_sheet->svg());
        g_outputs.push_back(g_sheet->stageColumn() ? "1" : "");
        g_outputs.emplace_back(g_sheet->canAddColumns() ? std::string_view() : kNamesNeeded);
        const std::vector<PooledLine> lines = PooledLines(*g_sheet->summary());
        g_outputs.push_back(std::to_string(lines.size()));
        for (const PooledLine& line : lines) {
            g_outputs.push_back(line.text);
            g_outputs.push_back(line.intervals);
        }
    } else {
        g_outputs.resize(kSamplesHead);
        g_outputs[kSamplesHead - 2] = g_sheet->canAddColumns() ? std::string_view() : kNamesNeeded;
    }
    const std::vector<std::string> notes = g_sheet->notes();
    g_outputs.insert(g_outputs.end(), notes.begin(), notes.end());
    g_outputs.insert(g_outputs.end(), g_sheet->reasons().begin(), g_sheet->reasons().end());
}

// A command on the table kept, answered as tallyvane_samples answers; out of memory, the table
// goes.
template <typename Change>
void ChangeSheet(const Change& change) {
    if (g_spent) {
        return SayMemorySpent();
    }
    if (!g_sheet) {  // no table read yet: nothing to say
        g_outputs.clear();
        return;
    }
    try {
        change(*g_sheet);
        OutputSheet();
    } catch (const std::bad_alloc&) {
        SayMemorySpent();
    }
}

}  // namespace

extern "C" {

// An input's text; no data for a size means that the page found no room for it.
EMSCRIPTEN_KEEPALIVE void tallyvane_set_input(int index, const char* data, std::size_t size) {
    std::string& input = g_inputs.at(static_cast<std::size_t>(index));
    g_spent = g_spent && index > 0;  // a command's inputs start afresh
    try {
        if (!data && size > 0) {
            throw std::bad_alloc();
        }
        input.assign(data, size);
    } catch (const std::bad_alloc&) {
        std::string().swap(input);
        g_spent = true;
    }
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

// The table of samples in the first input, kept for the calls below: its number of rows, the
// pooled row as OutputRow gives it, the chart, "1" where it has stages, why its rows cannot be
// set aside (empty where they can), and how many pooled lines follow, each with its intervals, or
// as many empty texts where the table gives no figures; then the notes on the file and the chart,
// if any, and every reason it gives no figures.
EMSCRIPTEN_KEEPALIVE void tallyvane_samples() {
    using namespace tallyvane;
    if (g_spent) {
        return SayMemorySpent();
    }
    try {
        g_sheet.emplace(std::move(g_inputs[0]));
        g_sheet->setTests(g_tests);
        OutputSheet();
    } catch (const std::bad_alloc&) {
        SayMemorySpent();
    }
}

// The row that the first input gives set aside for the reason in the second, or brought back
// for none; answered as tallyvane_samples answers.
EMSCRIPTEN_KEEPALIVE void tallyvane_samples_set_aside() {
    ChangeSheet([](tallyvane::SampleSheet& sheet) {
        const std::size_t row = std::stoul(g_inputs[0]);
        if (row < sheet.size() && sheet.isSample(row)) {
            sheet.setColumn(tallyvane::kExcludedColumn, {row}, g_inputs[1]);
        }
    });
}

// The tests the rows are judged by, a bit each in the first input, for this table and the next.
EMSCRIPTEN_KEEPALIVE void tallyvane_samples_tests() {
    g_tests = static_cast<tallyvane::Signals>(std::stoul(g_inputs[0]) & tallyvane::kAllTests);
    ChangeSheet([](tallyvane::SampleSheet& sheet) { sheet.setTests(g_tests); });
}

// The user's columns of the table as text, with the changes made to it.
EMSCRIPTEN_KEEPALIVE void tallyvane_samples_text() {
    g_outputs = {g_sheet ? g_sheet->rowsText() : std::string()};
}

// Rows of the table from the first input's index, as many as the second says: each as its
// line, what is wrong with it, then as OutputRow gives it, without figures where there are none,
// then its stage and why it is set aside.
EMSCRIPTEN_KEEPALIVE void tallyvane_samples_rows() {
    using namespace tallyvane;
    g_outputs.clear();
    if (!g_sheet) {  // no table read yet: no rows
        return;
    }
    const std::size_t first = std::min<std::size_t>(std::stoul(g_inputs[0]), g_sheet->size());
    const std::size_t end =
        first + std::min<std::size_t>(std::stoul(g_inputs[1]), g_sheet->size() - first);
    try {
        for (std::size_t i = first; i < end; ++i) {
            g_outputs.push_back(std::to_string(g_sheet->row(i).line));
            g_outputs.push_back(g_sheet->error(i));
            OutputRow(g_sheet->texts(i));
            const SampleRow row = g_sheet->row(i);
            g_outputs.emplace_back(row.stage);
            g_outputs.emplace_back(row.excluded);
        }
    } catch (const std::bad_alloc&) {
        g_outputs.clear();
    }
}

// The table with every figure as CSV, the command line's own; nothing without figures.
// ...and where there is no room for it, nothing and the reason.
EMSCRIPTEN_KEEPALIVE void tallyvane_samples_csv() {
    try {
        g_outputs = {g_sheet && g_sheet->summary() ? g_sheet->csv() : std::string()};
    } catch (const std::bad_alloc&) {
        g_outputs = {{}, "The table is too large for this browser's memory to write it whole."};
    }
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
