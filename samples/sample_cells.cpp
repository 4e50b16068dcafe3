#include "samples/sample_cells.h"

#include <algorithm>

#include "calc/double_chars.h"
#include "samples/run_tests.h"
#include "samples/sample_columns.h"
#include "samples/table_records.h"

namespace tallyvane {

std::string LimitPercent(double fraction) {
    if (fraction == 0.0) {
        return "0%";
    }
    // "d.ddde±x": four correctly rounded digits and where the point goes.
    const std::string scientific = ScientificChars(fraction * 100.0, 3);
    const std::string digits = scientific.substr(0, 1) + scientific.substr(2, 3);
    const int exponent = std::stoi(scientific.substr(6));
    if (exponent < 0) {
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits + "%";
    }
    if (exponent >= 3) {
        return digits + std::string(static_cast<std::size_t>(exponent - 3), '0') + "%";
    }
    const auto point = static_cast<std::size_t>(exponent) + 1;
    return digits.substr(0, point) + "." + digits.substr(point) + "%";
}

std::vector<std::string> SampleCells(std::string_view label, std::uint64_t defects,
                                     std::uint64_t opportunities, const CalculatePlan& plan,
                                     const std::optional<ControlLimits>& limits, Signals failed) {
    std::vector<std::string> cells{std::string(label), std::to_string(defects),
                                   std::to_string(opportunities)};
    cells.insert(cells.end(), plan.texts.begin(), plan.texts.end());
    if (limits) {
        cells.push_back(LimitPercent(limits->lower));
        cells.push_back(LimitPercent(limits->upper));
        cells.push_back(limits->beyond ? "yes" : "no");
        cells.push_back(SignalNumbers(failed));
    } else {
        cells.resize(kSampleColumns.size() - 1);
    }
    cells.push_back(plan.warning);
    return cells;
}

std::vector<std::string> SampleCells(const SampleResult& r) {
    return SampleCells(r.row.label, r.row.defects, r.row.opportunities, r.plan, r.limits, r.failed);
}

std::vector<std::string> PooledCells(const SampleTotals& totals, const CalculatePlan& pooled) {
    return SampleCells(kPooledLabel, totals.defects, totals.opportunities, pooled, std::nullopt);
}

std::vector<std::string> PooledCells(const SamplesSummary& summary) {
    return PooledCells(summary.totals, summary.pooled);
}

namespace {

PooledLine LineOf(std::string who, const SampleTotals& totals, const CalculatePlan& plan) {
    PooledLine line{who,
                    who + ": " + std::to_string(totals.defects) + " defects in " +
                        std::to_string(totals.opportunities) + " opportunities. DPMO " +
                        plan.texts[0] + ", defects " + plan.texts[1] + ", yield " + plan.texts[2] +
                        ", process sigma level " + plan.texts[3],
                    {}};
    for (std::size_t r = 0; r < plan.notes.size(); ++r) {
        if (!plan.notes[r].empty()) {
            line.intervals += (line.intervals.empty() ? "" : "\n") +
                              std::string(kSampleColumns[kFirstResultColumn + r]) + ": " +
                              plan.notes[r];
        }
    }
    return line;
}

}  // namespace

std::vector<PooledLine> PooledLines(const SamplesSummary& summary) {
    std::vector<PooledLine> lines;
    for (std::size_t k = 0; summary.stages.size() > 1 && k < summary.stages.size(); ++k) {
        const StageSummary& stage = summary.stages[k];
        lines.push_back(LineOf(StageTitle(summary, k) + ", " + CountedText(stage.totals),
                               stage.totals, stage.pooled));
    }
    const SampleTotals& totals = summary.totals;
    lines.push_back(
        LineOf(std::string(kPooledLabel) + (totals.setAside > 0 ? ", " + CountedText(totals) : ""),
               totals, summary.pooled));
    return lines;
}

std::vector<std::string> FileCells(std::vector<std::string> cells, const CalculatePlan& plan,
                                   const ControlChart* chart, Signals failed) {
    for (const auto& [low, high] : plan.intervals) {
        cells.push_back(low);
        cells.push_back(high);
    }
    cells.push_back(chart ? std::string(ChartName(*chart)) : std::string());
    cells.push_back(chart ? LimitPercent(chart->centre) : std::string());
    cells.push_back(SignalWords(failed));
    return cells;
}

std::vector<std::string> FileCells(const SampleResult& r, const SamplesSummary& summary) {
    return FileCells(SampleCells(r), r.plan, &summary.stages[r.stage].chart, r.failed);
}

std::vector<std::string> PooledFileCells(const SamplesSummary& summary) {
    return FileCells(PooledCells(summary), summary.pooled, nullptr);
}

std::vector<std::string> WithRowColumns(std::vector<std::string> cells, const SampleLayout& layout,
                                        std::string_view stage, std::string_view excluded) {
    auto at = cells.begin() + kFirstResultColumn;
    if (layout.excluded) {
        at = cells.emplace(at, excluded);
    }
    if (layout.stage) {
        cells.emplace(at, stage);
    }
    return cells;
}

std::vector<std::string> SampleHeader(const SampleLayout& layout) {
    return WithRowColumns({kSampleColumns.begin(), kSampleColumns.end()}, layout, kStageColumn,
                          kExcludedColumn);
}

std::vector<std::string> FileHeader(const SampleLayout& layout) {
    return WithRowColumns({kFileColumns.begin(), kFileColumns.end()}, layout, kStageColumn,
                          kExcludedColumn);
}

SampleTexts TextsOf(std::vector<std::string> cells, const CalculatePlan& plan, Signals failed) {
    std::vector<std::string> notes(cells.size());
    std::copy(plan.notes.begin(), plan.notes.end(), notes.begin() + kFirstResultColumn);
    notes[kSignalsColumn] = SignalWords(failed);
    return {std::move(cells), std::move(notes), plan.warning};
}

SampleTexts TextsOf(std::vector<std::string> cells) {
    cells.resize(kSampleColumns.size());
    std::vector<std::string> notes(cells.size());
    return {std::move(cells), std::move(notes), {}};
}

std::string CsvLine(const std::vector<std::string>& cells) {
    return RecordText(cells, ',');
}

namespace {

std::size_t TextWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

void WidenColumns(std::vector<std::size_t>& widths, const std::vector<std::string>& row) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) {
        widths[i] = std::max(widths[i], TextWidth(row[i]));
    }
}

std::string AlignedRow(const std::vector<std::string>& row,
                       const std::vector<std::size_t>& widths) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const std::string pad(widths[i] - TextWidth(row[i]), ' ');
        line += i == 0 ? row[i] + pad : "  " + pad + row[i];
    }
    return line.substr(0, line.find_last_not_of(' ') + 1);
}

std::vector<std::string> AlignedRows(const std::vector<std::vector<std::string>>& table) {
    std::vector<std::size_t> widths;
    for (const auto& row : table) {
        WidenColumns(widths, row);
    }
    std::vector<std::string> lines;
    for (const auto& row : table) {
        lines.push_back(AlignedRow(row, widths));
    }
    return lines;
}

}  // namespace tallyvane
