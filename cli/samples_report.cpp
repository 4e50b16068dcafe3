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
                          {"beyond", false}};
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
    return row.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void WriteText(std::string_view text, std::ostream& out) {
    std::vector<std::size_t> widths;
    WidenColumns(widths, {kSampleColumns.begin(), kSampleColumns.end()});
    std::optional<SamplesSummary> summary;
    AnalyseSamples(
        text, [&](const SamplesSummary& s) { summary = s; },
        [](const SampleResult&) { return std::string(); },
        [&](const SampleResult& r, const std::string&) { WidenColumns(widths, SampleCells(r)); });
    WidenColumns(widths, PooledCells(*summary));
    out << AlignedRow({kSampleColumns.begin(), kSampleColumns.end()}, widths) << '\n';
    AnalyseSamples(
        text, [](const SamplesSummary&) {},
        [&](const SampleResult& r) { return AlignedRow(SampleCells(r), widths); },
        [&](const SampleResult&, const std::string& line) { out << line << '\n'; });
    out << AlignedRow(PooledCells(*summary), widths) << '\n';
    out << "Centre " << LimitPercent(summary->chart.centre) << ", " << ChartName(summary->chart)
        << " chart";
    if (summary->chart.sigmaZ) {
        out << ", \u03c3z " << GeneralChars(*summary->chart.sigmaZ, 4);
    }
    out << '\n';
    if (const std::string note = ChartNote(summary->chart, summary->totals.rows); !note.empty()) {
        out << note << '\n';
    }
}

void WriteCsv(std::string_view text, std::ostream& out) {
    std::optional<SamplesSummary> summary;
    AnalyseSamples(
        text,
        [&](const SamplesSummary& s) {
            summary = s;
            out << CsvLine({kFileColumns.begin(), kFileColumns.end()}) << '\n';
        },
        [&](const SampleResult& r) {
            return CsvLine(FileCells(SampleCells(r), r.plan, &summary->chart));
        },
        [&](const SampleResult&, const std::string& line) { out << line << '\n'; });
    out << CsvLine(FileCells(PooledCells(*summary), summary->pooled, nullptr)) << '\n';
}

void WriteJson(std::string_view text, std::ostream& out) {
    std::optional<SamplesSummary> summary;
    bool first = true;
    AnalyseSamples(
        text,
        [&](const SamplesSummary& s) {
            summary = s;
            out << "{\"rows\": [";
        },
        RowJson,
        [&](const SampleResult&, const std::string& row) {
            out << (first ? "" : ", ") << row;
            first = false;
        });
    const SampleTotals& totals = summary->totals;
    Json pooled{{"defects", totals.defects}, {"opportunities", totals.opportunities}};
    pooled.update(PlanJson(summary->pooled));
    out << "],\n \"pooled\": " << pooled.dump()
        << ",\n \"centre\": " << Json(summary->chart.centre).dump() << ",\n \"sigma_z\": "
        << (summary->chart.sigmaZ ? Json(*summary->chart.sigmaZ) : Json()).dump()
        << ",\n \"chart\": " << Json(ChartName(summary->chart)).dump()
        << ",\n \"chart_note\": " << Json(ChartNote(summary->chart, totals.rows)).dump() << "}\n";
}

}  // namespace

void WriteSamples(std::string_view text, SamplesFormat format, std::ostream& out) {
    switch (format) {
        case SamplesFormat::kText:
            return WriteText(text, out);
        case SamplesFormat::kCsv:
            return WriteCsv(text, out);
        case SamplesFormat::kJson:
            return WriteJson(text, out);
    }
}

std::string SamplesChart(std::string_view text) {
    std::optional<ChartDrawing> drawing;
    AnalyseSamples(
        text, [&](const SamplesSummary& s) { drawing.emplace(s); },
        [](const SampleResult&) { return std::string(); },
        [&](const SampleResult& r, const std::string&) { drawing->add(r); });
    return drawing->svg();
}

}  // namespace tallyvane
