#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

// The most fields a record may hold: the widest sheet a spreadsheet makes. A record with more is
// refused unread, so that a line of nothing but separators costs no more than its bytes.
inline constexpr std::size_t kMostFields = 16384;

// One record of a table: a line of text, or more where a quoted field holds line ends.
struct TableRecord {
    enum class Fault { kNone, kUnclosedQuote, kTooManyFields };

    std::size_t line = 0;  // where it starts, from 1
    // Where its text stands in the table's, its line end left out.
    std::size_t begin = 0, length = 0;
    // The fields as written, quotes undone; the vector keeps its strings' room from one record
    // to the next, and only the first `count` are this record's.
    std::vector<std::string> fields;
    std::size_t count = 0;
    bool quoted = false;  // a field was quoted, so it is not blank whatever it holds
    Fault fault = Fault::kNone;

    std::span<const std::string> used() const { return {fields.data(), count}; }
    // Nothing but blanks and separators: no row at all.
    bool blank() const;
};

// Blanks and tabs trimmed off both ends.
std::string_view Trimmed(std::string_view s);
// How many fields count: those up to the last that is not blank.
std::size_t Width(std::span<const std::string> fields);

// The tab, comma or semicolon that the first record that is not blank holds most of (outside
// quotes); the tab where it holds none.
char SeparatorOf(std::string_view text);

// The records of a table in UTF-8 text, blank ones too. Lines end in LF, CRLF or CR; quoted
// fields follow RFC 4180 and may hold separators, line ends and doubled quotes. A field that
// RecordText marked as text with a leading "'" reads without it.
class TableRecords {
public:
    // The text must outlive the reader.
    TableRecords(std::string_view text, char separator);

    bool next(TableRecord& record);
    // Whether nothing but blank records is left.
    bool restIsBlank() const;

private:
    std::string_view m_text;
    char m_separator;
    std::size_t m_at = 0;
    std::size_t m_line = 1;
};

// Fields as one record's text, without a line end: a field is quoted where it holds a
// separator, a quote or a line end, or starts or ends in a blank that reading would trim. A
// field that a spreadsheet would run as a formula ("=1+2", "@SUM(A1)", "-x") gets a leading
// "'", which spreadsheets take as the mark of text and TableRecords reads away again.
std::string RecordText(std::span<const std::string> fields, char separator);

// Cells as spreadsheets pass them on the clipboard: tab-separated, a record a row, blank ones
// too; text without tabs is one column. Where a quote is never closed, it is the text's own, and
// the lines are split at their tabs as they stand.
std::vector<std::vector<std::string>> TableCells(std::string_view text);

}  // namespace tallyvane
