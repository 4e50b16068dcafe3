#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculate_plan.h"
#include "samples/control_chart.h"

namespace tallyvane {

// How a row's limits are written: as percent for people, or as the shortest decimal that reads
// back to the same number, for a spreadsheet.
enum class LimitText { kPercent, kShortest };

// A row's cells under kSampleColumns: its label and counts, its four results, its limits and
// "yes" or "no" for beyond them, then its warning; the pooled row, which has no limits, leaves
// those empty.
std::vector<std::string> SampleCells(std::string_view label, std::uint64_t defects,
                                     std::uint64_t opportunities, const CalculatePlan& plan,
                                     const std::optional<ControlLimits>& limits,
                                     LimitText limitText);

// A row's cells with, under each, its note (the results' confidence intervals; empty for the
// others), and the row's warning: what a view shows of a row.
struct SampleTexts {
    std::vector<std::string> cells, notes;
    std::string warning;
};
SampleTexts TextsOf(std::vector<std::string> cells, const CalculatePlan& plan);
// A row with no figures: the cells it has, the rest of kSampleColumns empty, and no notes.
SampleTexts TextsOf(std::vector<std::string> cells);

// Cells as one line of CSV, as RecordText writes them, without its line end.
std::string CsvLine(const std::vector<std::string>& cells);

// A table's rows as fixed-pitch lines: the first column to the left, the others, numbers, to the
// right, two spaces apart; no line ends in a space.
std::vector<std::string> AlignedRows(const std::vector<std::vector<std::string>>& table);

}  // namespace tallyvane
