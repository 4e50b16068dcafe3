#include "samples/sample_cells.h"

#include "calc/double_chars.h"
#include "calc/number_text.h"
#include "samples/sample_columns.h"

namespace tallyvane {

std::vector<std::string> SampleCells(std::string_view label, std::uint64_t defects,
                                     std::uint64_t opportunities, const CalculatePlan& plan,
                                     const std::optional<ControlLimits>& limits,
                                     LimitText limitText) {
    std::vector<std::string> cells{std::string(label), std::to_string(defects),
                                   std::to_string(opportunities)};
    cells.insert(cells.end(), plan.texts.begin(), plan.texts.end());
    if (limits) {
        const auto text = limitText == LimitText::kShortest ? ShortestChars : FormatPercent;
        cells.push_back(text(limits->lower));
        cells.push_back(text(limits->upper));
        cells.push_back(limits->beyond ? "yes" : "no");
    } else {
        cells.resize(kSampleColumns.size());
    }
    return cells;
}

std::string CsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells) {
        if (&cell != &cells.front()) {
            line += ',';
        }
        if (cell.find_first_of(",\"\r\n") == std::string::npos) {
            line += cell;
            continue;
        }
        line += '"';
        for (const char c : cell) {
            line += c == '"' ? "\"\"" : std::string(1, c);
        }
        line += '"';
    }
    return line;
}

}  // namespace tallyvane
