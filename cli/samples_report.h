#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "samples/run_tests.h"

namespace tallyvane {

enum class SamplesFormat { kText, kCsv, kJson };

// Analyses the table in `text` and writes every row's figures, limits, verdict by the chosen
// tests and warning, then the pooled row and each stage's chart: an aligned table, CSV under the
// file's columns for a spreadsheet, or JSON. No format holds the table: the aligned table is
// worked out twice, once for its widths. Throws TableRefused before writing anything.
void WriteSamples(std::string_view text, SamplesFormat format, Signals tests, std::ostream& out);

// The table's control chart as SVG; throws TableRefused as WriteSamples does.
std::string SamplesChart(std::string_view text, Signals tests);

}  // namespace tallyvane
