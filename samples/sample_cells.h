#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculate_plan.h"
#include "samples/control_chart.h"
#include "samples/run_tests.h"
#include "samples/sample_layout.h"
#include "samples/samples_analysis.h"

namespace tallyvane {

// A centre or a limit in percent with four significant digits, trailing zeros kept and never in
// exponent form, so that a process of a few defects per million reads as well as any:
// "41.02%", "5.243%", "0.0003400%"; "0%" for none.
std::string LimitPercent(double fraction);

// A row's cells under kSampleColumns: its label and counts, its four results, its limits and
// "yes" or "no" for beyond them, the numbers of the tests it fails, then its warning; a pooled
// row, which has no limits, leaves those empty.
std::vector<std::string> SampleCells(std::string_view label, std::uint64_t defects,
                                     std::uint64_t opportunities, const CalculatePlan& plan,
                                     const std::optional<ControlLimits>& limits,
                                     Signals failed = 0);
// A sample's cells; a pooled row's, the whole table's or a stage's, and the table's.
std::vector<std::string> SampleCells(const SampleResult& r);
std::vector<std::string> PooledCells(const SampleTotals& totals, const CalculatePlan& pooled);
std::vector<std::string> PooledCells(const SamplesSummary& summary);

// What the views say of the pooled figures: each stage's where there are several, then the whole
// table's: "Pooled, 28 of 30 samples (2 set aside): 301 defects in 1400 opportunities. DPMO
// 215000, defects 21.50%, yield 78.50%, process sigma level 2.29"; with the 95% intervals of
// its four results, a line each ("DPMO: 95% confidence interval: 164000 to 274000").
struct PooledLine {
    std::string who;  // "Pooled, 28 of 30 samples (2 set aside)", "after, 15 samples"
    std::string text, intervals;
};
std::vector<PooledLine> PooledLines(const SamplesSummary& summary);

// A row's cells under kFileColumns: those under kSampleColumns, then the ends of its results'
// intervals and, where it is judged on one, the chart's name and centre, and its failed in
// words.
std::vector<std::string> FileCells(std::vector<std::string> cells, const CalculatePlan& plan,
                                   const ControlChart* chart, Signals failed = 0);
std::vector<std::string> FileCells(const SampleResult& r, const SamplesSummary& summary);
std::vector<std::string> PooledFileCells(const SamplesSummary& summary);

// The Stage and Excluded columns that a table names, which the text table and the CSV show after
// the counts: `cells` with the texts of those it names put in.
std::vector<std::string> WithRowColumns(std::vector<std::string> cells, const SampleLayout& layout,
                                        std::string_view stage, std::string_view excluded);
// The header of the text table, or of the CSV, for a table of this layout.
std::vector<std::string> SampleHeader(const SampleLayout& layout);
std::vector<std::string> FileHeader(const SampleLayout& layout);

// A row's cells with, under each, its note (the results' confidence intervals; empty for the
// others), and the row's warning: what a view shows of a row.
struct SampleTexts {
    std::vector<std::string> cells, notes;
    std::string warning;
};
SampleTexts TextsOf(std::vector<std::string> cells, const CalculatePlan& plan, Signals failed = 0);
// A row with no figures: the cells it has, the rest of kSampleColumns empty, and no notes.
SampleTexts TextsOf(std::vector<std::string> cells);

// Cells as one line of CSV, as RecordText writes them, without its line end.
std::string CsvLine(const std::vector<std::string>& cells);

// Fixed-pitch columns, a row at a time: `widths` grows to fit each row given, in characters, and
// a row is then written in them, the first column to the left, the others, numbers, to the
// right, two spaces apart; no line ends in a space.
void WidenColumns(std::vector<std::size_t>& widths, const std::vector<std::string>& row);
std::string AlignedRow(const std::vector<std::string>& row, const std::vector<std::size_t>& widths);
// A whole table so.
std::vector<std::string> AlignedRows(const std::vector<std::vector<std::string>>& table);

}  // namespace tallyvane
