#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "samples/sample_sheet.h"

namespace tallyvane {

// A row as the user wrote it: label, defects, opportunities.
using SampleEntry = std::array<std::string, 3>;

// A table of samples being edited: every row kept as written, good or bad, and the analysis of
// the whole, made again after every change.
class SampleTable {
public:
    SampleTable() = default;
    explicit SampleTable(std::vector<SampleEntry> entries);

    // A file's or a paste's rows as written, or the reasons the bytes hold no table at all.
    static std::vector<SampleEntry> Read(std::string bytes, std::vector<std::string>& reasons);

    const std::vector<SampleEntry>& entries() const { return m_entries; }
    void setEntries(std::vector<SampleEntry> entries);
    const SampleSheet& sheet() const { return m_sheet; }

    // A row's place in the sheet; none for a blank row, which is no sample.
    std::optional<std::size_t> sheetRow(std::size_t row) const { return m_sheetRows[row]; }
    // What is wrong with a row, without its line; empty for a good or a blank one.
    std::string error(std::size_t row) const;
    // A row's texts, limits in percent: as written, with no figures while the table has a bad
    // row.
    SampleTexts texts(std::size_t row) const;
    // The header, every row and the pooled row as fixed-pitch lines, for paper.
    std::vector<std::string> printedRows() const;
    // The table as CSV with every figure, the command line's own; while a row is bad, the rows
    // as written under the same columns, their figures empty.
    std::string csv() const;

private:
    std::vector<SampleEntry> m_entries;
    SampleSheet m_sheet{std::string()};
    std::vector<std::optional<std::size_t>> m_sheetRows;
};

}  // namespace tallyvane
