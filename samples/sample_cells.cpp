#include "samples/sample_cells.h"

#include <algorithm>

#include "calc/double_chars.h"
#include "calc/number_text.h"
#include "samples/sample_columns.h"
#include "samples/table_records.h"

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
        cells.resize(kSampleColumns.size() - 1);
    }
    cells.push_back(plan.warning);
    return cells;
}

SampleTexts TextsOf(std::vector<std::string> cells, const CalculatePlan& plan) {
    std::vector<std::string> notes(cells.size());
    std::copy(plan.notes.begin(), plan.notes.end(), notes.begin() + kFirstResultColumn);
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

std::vector<std::string> AlignedRows(const std::vector<std::vector<std::string>>& table) {
    std::vector<std::size_t> widths;
    for (const auto& row : table) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], TextWidth(row[i]));
        }
    }
    std::vector<std::string> lines;
    for (const auto& row : table) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string pad(widths[i] - TextWidth(row[i]), ' ');
            line += i == 0 ? row[i] + pad : "  " + pad + row[i];
        }
        lines.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
    }
    return lines;
}

}  // namespace tallyvane
