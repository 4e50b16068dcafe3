#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

// The largest count, and the largest total, that a double holds exactly: 2^53.
inline constexpr std::uint64_t kLargestCount = std::uint64_t{1} << 53;

// One sample: a row of a table, read.
struct SampleRow {
    std::size_t line = 0;    // where the row starts, from 1
    std::string_view label;  // "" where there is none; valid until the next row is read
    std::uint64_t defects = 0;
    std::uint64_t opportunities = 0;
    // The two counts as written, trimmed, valid as the label is; empty in a row of too few or
    // too many fields.
    std::string_view defectsText, opportunitiesText;
};

// The rows of a table of samples in UTF-8 text, one at a time. Lines end in LF, CRLF or CR; a
// blank line is no row. The separator is a tab, a comma or a semicolon, whichever the first row
// holds most of; quoted fields follow RFC 4180. A first row without a number of any form is a
// header. A row holds an optional label, then the defects and the opportunities, each a whole
// number in digits with 0 <= defects <= opportunities and 1 <= opportunities <= 2^53; trailing
// empty fields are ignored. Where the header names a "Defects" and an "Opportunities" column,
// the counts come from those and the label from the first other column; there a last row
// "Pooled" that holds the totals of the rows above it, as Tallyvane writes it, is no sample.
class SampleRows {
public:
    // The text must outlive this reader.
    explicit SampleRows(std::string_view text);

    // The next row into `row`, true; false at the end. A bad row gives true with `error` set to
    // what is wrong with it, its line first ("line 14: ..."); a good one clears `error`.
    bool next(SampleRow& row, std::string& error);

private:
    bool nextRecord();
    std::string checkRow(SampleRow& row);

    std::string_view m_text;
    std::size_t m_at = 0;
    std::size_t m_line = 1;
    std::size_t m_recordLine = 1;
    char m_separator = '\t';
    std::vector<std::string> m_fields;
    std::size_t m_fieldCount = 0;
    // The columns named in the header, where it names both counts.
    std::optional<std::size_t> m_defectsColumn, m_opportunitiesColumn, m_labelColumn;
    std::uint64_t m_totalDefects = 0, m_totalOpportunities = 0;
};

// Every row of the table checked, and its totals. Throws TableRefused naming the bad lines (at
// most 20, then how many more), for a table without rows, and for totals past 2^53.
struct SampleTotals {
    std::size_t rows = 0;
    std::uint64_t defects = 0;
    std::uint64_t opportunities = 0;
    // The two counts as written, trimmed, valid as the label is; empty in a row of too few or
    // too many fields.
    std::string_view defectsText, opportunitiesText;
};
SampleTotals CheckSamples(std::string_view text);

}  // namespace tallyvane
