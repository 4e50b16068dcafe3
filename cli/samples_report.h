#pragma once

#include <ostream>
#include <string_view>

namespace tallyvane {

enum class SamplesFormat { kText, kCsv, kJson };

// Analyses the table in `text` and writes every row's figures, limits and verdict, then the
// pooled row: an aligned table, CSV with a header for a spreadsheet, or JSON. The chart goes to
// `svg` where one is given. Throws TableRefused before writing anything.
void WriteSamples(std::string_view text, SamplesFormat format, std::ostream& out,
                  std::ostream* svg);

}  // namespace tallyvane
