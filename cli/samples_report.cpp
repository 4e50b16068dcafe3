#include "cli/samples_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "calc/double_chars.h"
#include "calc/number_text.h"
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

}  // namespace

void WriteSamples(std::string_view text, SamplesFormat format, std::ostream& out,
                  std::ostream* svg) {
    std::optional<SamplesSummary> summary;
    std::optional<ChartDrawing> drawing;
    std::vector<std::vector<std::string>> table;  // the aligned table waits for its widths
    if (format == SamplesFormat::kText) {
        table.emplace_back(kSampleColumns.begin(), kSampleColumns.end());
    }
    bool first = true;
    AnalyseSamples(
        text,
        [&](const SamplesSummary& s) {
            summary = s;
            if (svg) {
                drawing.emplace(s);
            }
            if (format == SamplesFormat::kCsv) {
                out << CsvLine({kSampleColumns.begin(), kSampleColumns.end()}) << '\n';
            } else if (format == SamplesFormat::kJson) {
                out << "{\"rows\": [";
            }
        },
        [&](const SampleResult& r) -> std::string {
            switch (format) {
                case SamplesFormat::kText:
                    break;  // the aligned table waits for its widths
                case SamplesFormat::kCsv:
                    return CsvLine(SampleCells(r.row.label, r.row.defects, r.row.opportunities,
                                               r.plan, r.limits, LimitText::kShortest));
                case SamplesFormat::kJson: {
                    // One object a thread, its members in order, refilled for each row: its
                    // strings keep their room from one row to the next.
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
            }
            return {};
        },
        [&](const SampleResult& r, const std::string& described) {
            if (drawing) {
                drawing->add(r);
            }
            if (format == SamplesFormat::kText) {
                table.push_back(SampleCells(r.row.label, r.row.defects, r.row.opportunities, r.plan,
                                            r.limits, LimitText::kPercent));
            } else {
                out << (format == SamplesFormat::kCsv ? ""
                        : first                       ? ""
                                                      : ", ")
                    << described << (format == SamplesFormat::kCsv ? "\n" : "");
                first = false;
            }
        });
    const SampleTotals& totals = summary->totals;
    switch (format) {
        case SamplesFormat::kText:
            table.push_back(SampleCells(kPooledLabel, totals.defects, totals.opportunities,
                                        summary->pooled, std::nullopt, LimitText::kPercent));
            for (const std::string& line : AlignedRows(table)) {
                out << line << '\n';
            }
            out << "Centre " << FormatPercent(summary->chart.centre) << ", "
                << (summary->chart.kind == ChartKind::kLaneyP ? "Laney P\u2032" : "P") << " chart";
            if (summary->chart.sigmaZ) {
                out << ", \u03c3z " << ShortestChars(*summary->chart.sigmaZ);
            }
            out << '\n';
            break;
        case SamplesFormat::kCsv:
            out << CsvLine(SampleCells(kPooledLabel, totals.defects, totals.opportunities,
                                       summary->pooled, std::nullopt, LimitText::kShortest))
                << '\n';
            break;
        case SamplesFormat::kJson: {
            Json pooled{{"defects", totals.defects}, {"opportunities", totals.opportunities}};
            pooled.update(PlanJson(summary->pooled));
            out << "],\n \"pooled\": " << pooled.dump()
                << ",\n \"centre\": " << Json(summary->chart.centre).dump() << ",\n \"sigma_z\": "
                << (summary->chart.sigmaZ ? Json(*summary->chart.sigmaZ) : Json()).dump()
                << ",\n \"chart\": "
                << Json(summary->chart.kind == ChartKind::kLaneyP ? "Laney P\u2032" : "P").dump()
                << "}\n";
            break;
        }
    }
    if (drawing) {
        *svg << drawing->svg();
    }
}

}  // namespace tallyvane
