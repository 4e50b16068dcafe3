#include "cli/samples_report.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "calc/double_chars.h"
#include "samples/chart_drawing.h"
#include "samples/sample_cells.h"
#include "samples/sample_columns.h"
#include "samples/samples_analysis.h"

namespace tallyvane {
namespace {

using Json = nlohmann::ordered_json;

Json PlanJson(const CalculatePlan& plan) {
    return Json{{"texts", plan.texts}, {"notes", plan.notes}, {"warning", plan.warning}};
}

// A row as one JSON object. One object a thread, its members in order, refilled for each row:
// its strings keep their room from one row to the next.
std::string RowJson(const SampleResult& r) {
    thread_local Json row{{"line", 0},
                          {"label", ""},
                          {"defects", 0},
                          {"opportunities", 0},
                          {"texts", std::array<std::string, 4>{}},
                          {"notes", std::array<std::string, 4>{}},
                          {"warning", ""},
                          {"proportion", 0.0},
                          {"lcl", 0.0},
                          {"ucl", 0.0},
                          {"beyond", false},
                          {"stage", ""},
                          {"excluded", ""},
                          {"signals", Json::array()}};
    const auto set = [](Json& value, std::string_view text) {
        value.get_ref<std::string&>().assign(text);
    };
    row["line"] = r.row.line;
    set(row["label"], r.row.label);
    row["defects"] = r.row.defects;
    row["opportunities"] = r.row.opportunities;
    for (std::size_t i = 0; i < r.plan.texts.size(); ++i) {
        set(row["texts"][i], r.plan.texts[i]);
        set(row["notes"][i], r.plan.notes[i]);
    }
    set(row["warning"], r.plan.warning);
    row["proportion"] = r.proportion;
    row["lcl"] = r.limits.lower;
    row["ucl"] = r.limits.upper;
    row["beyond"] = r.limits.beyond;
    set(row["stage"], r.row.stage);
    set(row["excluded"], r.row.excluded);
    Json& failed = row["signals"];
    failed.clear();
    for (int test = 1; test <= kRunTests; ++test) {
        if (r.failed & (1 << (test - 1))) {
            failed.push_back(Json{{"test", test}, {"words", TestWords(test)}});
        }
    }
    return row.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// What the table's chart says: of each stage, its samples that count, its centre and chart.
std::string StagesText(const SamplesSummary& summary) {
    std::string text;
    if (summary.stages.size() > 1) {
        text = CountedText(summary.totals) + " in " + std::to_string(summary.stages.size()) +
               " stages\n";
    }
    for (std::size_t k = 0; k < summary.stages.size(); ++k) {
        const StageSummary& stage = summary.stages[k];
        std::string line = "centre " + LimitPercent(stage.chart.centre) + ", " +
                           std::string(ChartName(stage.chart)) + " chart";
        if (stage.chart.sigmaZ) {
            line += ", \u03c3z " + GeneralChars(*stage.chart.sigmaZ, 4);
        }
        if (summary.stages.size() > 1) {
            line = StageTitle(summary, k) + ": " + CountedText(stage.totals) + "; " + line;
        } else if (stage.totals.setAside > 0) {
            line = CountedText(stage.totals) + "; " + line;
        } else {
            line[0] = 'C';
        }
        text += line + "\n";
        if (const std::string note = ChartNote(stage.chart, stage.totals.counted());
            !note.empty()) {
            text += note + "\n";
        }
    }
    return text;
}

void WriteText(std::string_view text, Signals tests, std::ostream& out) {
    const SampleLayout layout = SampleRows(text).layout();
    const auto cells = [&](const SampleResult& r) {
        return WithRowColumns(SampleCells(r), layout, r.row.stage, r.row.excluded);
    };
    std::vector<std::size_t> widths;
    WidenColumns(widths, SampleHeader(layout));
    std::optional<SamplesSummary> summary;
    Signals found = 0;
    AnalyseSamples(
        text, tests, [&](const SamplesSummary& s) { summary = s; },
        [](const SampleResult&) { return std::string(); },
        [&](const SampleResult& r, const std::string&) {
            WidenColumns(widths, cells(r));
            found |= r.failed;
        });
    // The whole table's pooled row, then each stage's where there are several.
    std::vector<std::vector<std::string>> pooled{
        WithRowColumns(PooledCells(*summary), layout, {}, {})};
    for (std::size_t k = 0; summary->stages.size() > 1 && k < summary->stages.size(); ++k) {
        pooled.push_back(
            WithRowColumns(PooledCells(summary->stages[k].totals, summary->stages[k].pooled),
                           layout, StageTitle(*summary, k), {}));
    }
    for (const auto& row : pooled) {
        WidenColumns(widths, row);
    }
    out << AlignedRow(SampleHeader(layout), widths) << '\n';
    AnalyseSamples(
        text, tests, [](const SamplesSummary&) {},
        [&](const SampleResult& r) { return AlignedRow(cells(r), widths); },
        [&](const SampleResult&, const std::string& line) { out << line << '\n'; });
    for (const auto& row : pooled) {
        out << AlignedRow(row, widths) << '\n';
    }
    out << StagesText(*summary);
    if (found != 0) {
        out << "Signals: " << SignalWords(found) << '\n';
    }
}

void WriteCsv(std::string_view text, Signals tests, std::ostream& out) {
    const SampleLayout layout = SampleRows(text).layout();
    std::optional<SamplesSummary> summary;
    AnalyseSamples(
        text, tests,
        [&](const SamplesSummary& s) {
            summary = s;
            out << CsvLine(FileHeader(layout)) << '\n';
        },
        [&](const SampleResult& r) {
            return CsvLine(
                WithRowColumns(FileCells(r, *summary), layout, r.row.stage, r.row.excluded));
        },
        [&](const SampleResult&, const std::string& line) { out << line << '\n'; });
    out << CsvLine(WithRowColumns(PooledFileCells(*summary), layout, {}, {})) << '\n';
}

Json ChartJson(const ControlChart& chart, std::size_t counted) {
    return Json{{"centre", chart.centre},
                {"sigma_z", chart.sigmaZ ? Json(*chart.sigmaZ) : Json()},
                {"chart", ChartName(chart)},
                {"chart_note", ChartNote(chart, counted)}};
}

Json PooledJson(const SampleTotals& totals, const CalculatePlan& plan) {
    Json pooled{{"samples", totals.rows},
                {"set_aside", totals.setAside},
                {"defects", totals.defects},
                {"opportunities", totals.opportunities}};
    pooled.update(PlanJson(plan));
    return pooled;
}

void WriteJson(std::string_view text, Signals tests, std::ostream& out) {
    std::optional<SamplesSummary> summary;
    bool first = true;
    AnalyseSamples(
        text, tests,
        [&](const SamplesSummary& s) {
            summary = s;
            out << "{\"rows\": [";
        },
        RowJson,
        [&](const SampleResult&, const std::string& row) {
            out << (first ? "" : ", ") << row;
            first = false;
        });
    Json stages = Json::array();
    for (const StageSummary& stage : summary->stages) {
        Json s{{"name", stage.name}, {"first_line", stage.first}};
        s.update(ChartJson(stage.chart, stage.totals.counted()));
        s["pooled"] = PooledJson(stage.totals, stage.pooled);
        stages.push_back(std::move(s));
    }
    // The table's one chart where it has one stage; each stage's is in "stages".
    Json chart = summary->stages.size() == 1
                     ? ChartJson(summary->stages.front().chart, summary->totals.counted())
                     : Json{{"centre", nullptr},
                            {"sigma_z", nullptr},
                            {"chart", nullptr},
                            {"chart_note", ""}};
    out << "],\n \"pooled\": " << PooledJson(summary->totals, summary->pooled).dump();
    for (const auto& [key, value] : chart.items()) {
        out << ",\n \"" << key
            << "\": " << value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    Json chosen = Json::array();
    for (int test = 1; test <= kRunTests; ++test) {
        if (tests & (1 << (test - 1))) {
            chosen.push_back(test);
        }
    }
    out << ",\n \"tests\": " << chosen.dump()
        << ",\n \"stages\": " << stages.dump(-1, ' ', false, Json::error_handler_t::replace)
        << "}\n";
}

}  // namespace

void WriteSamples(std::string_view text, SamplesFormat format, Signals tests, std::ostream& out) {
    switch (format) {
        case SamplesFormat::kText:
            return WriteText(text, tests, out);
        case SamplesFormat::kCsv:
            return WriteCsv(text, tests, out);
        case SamplesFormat::kJson:
            return WriteJson(text, tests, out);
    }
}

std::string SamplesChart(std::string_view text, Signals tests) {
    std::optional<ChartDrawing> drawing;
    AnalyseSamples(
        text, tests, [&](const SamplesSummary& s) { drawing.emplace(s); },
        [](const SampleResult&) { return std::string(); },
        [&](const SampleResult& r, const std::string&) { drawing->add(r); });
    return drawing->svg();
}

}  // namespace tallyvane
