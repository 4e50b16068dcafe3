#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "samples/chart_scene.h"
#include "samples/sample_cells.h"
#include "samples/sample_columns.h"
#include "samples/sample_layout.h"
#include "samples/samples_analysis.h"
#include "samples/text_decoding.h"

namespace tallyvane {

// A row's cells as a view edits them: the user's columns, as written.
using SampleCellsRow = std::vector<std::string>;

// A table of samples held whole, for a view that shows and edits any of its rows at any time:
// the header and every row as written, blank ones too, every field kept; each row's sample or
// fault, found by the same rules as the command line's reader; and, once every row is good, the
// summary, each row's figures and the chart. Bad input is never an exception here.
class SampleSheet {
public:
    SampleSheet();
    // A file's bytes, or a paste's: a table that cannot be read at all keeps no rows, and says
    // why in reasons().
    explicit SampleSheet(std::string bytes);

    // The user's columns: the header's, or where the table has none, those that the places of
    // the counts name ("Label", "Defects", "Opportunities", then "Column 4" and on).
    const std::vector<std::string>& columns() const { return m_columns; }
    std::size_t size() const { return m_rows.size(); }
    const SampleCellsRow& cells(std::size_t i) const { return m_rows[i]; }
    // Whether the header names the columns of the counts.
    bool namesCounts() const { return m_layout.defects.has_value(); }
    // Whether a user's column holds defects or opportunities.
    bool isCountColumn(std::size_t column) const;
    // What the views say of the file and the chart beside the figures: the encoding it was read
    // in, where not Unicode, and why the chart is not the one the rows' spread calls for.
    std::vector<std::string> notes() const;
    // Where the reasons name a row: by its file's line ("line 3"), or after numberByPlace() by
    // its place in the table ("Row 3"), as a view that adds and removes rows shows them.
    void numberByPlace() { m_byPlace = true; }

    // In a table without a header, each row of two fields gets an empty label in front, so that
    // each count stands under its column, as a view shows them.
    void alignCounts();
    // Rows [at, at + count) become `rows`, and the table is analysed again.
    void replaceRows(std::size_t at, std::size_t count, std::vector<SampleCellsRow> rows);
    // At least `width` user columns, the new ones named by their place ("Column 4").
    void widen(std::size_t width);
    // The tests the rows are judged by, all four at first; the table is analysed again.
    void setTests(Signals tests);
    Signals tests() const { return m_tests; }
    // The user's column that a header names (kStageColumn, kExcludedColumn), if any.
    std::optional<std::size_t> stageColumn() const { return m_layout.stage; }
    std::optional<std::size_t> excludedColumn() const { return m_layout.excluded; }
    // Either of them by its name.
    std::optional<std::size_t> columnNamed(std::string_view name) const {
        return name == kStageColumn ? stageColumn() : excludedColumn();
    }
    // Rows rows.front() to rows.back() as they would be with the cell of `column` set to `text`
    // in `rows` (ascending) and the others as they are, each widened to the column.
    std::vector<SampleCellsRow> withCells(std::size_t column, const std::vector<std::size_t>& rows,
                                          const std::string& text) const;
    // Whether a column can be added that the rows are read by: not where a header leaves the
    // counts to their places. kNamesNeeded says so.
    bool canAddColumns() const { return !m_header || namesCounts(); }
    // The cells of the column named so in these rows, in order, become `text`: kExcludedColumn
    // sets rows aside for a reason, or brings them back for none; kStageColumn names their
    // stage. The column is added where the table has none; nothing changes where none can be.
    void setColumn(std::string_view name, const std::vector<std::size_t>& rows,
                   const std::string& text);
    // The rows from i to the end of its stage: a new stage from i renames them.
    std::vector<std::size_t> stageRows(std::size_t i) const;
    // The encoding that file() writes from now on.
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }
    TextEncoding encoding() const { return m_encoding; }

    // Whether the bytes were text at all; a table that is not keeps no rows.
    bool isText() const { return m_isText; }
    // Why the table gives no figures (a sentence for the file, or its bad rows); none when it
    // does.
    const std::vector<std::string>& reasons() const { return m_reasons; }
    // What is wrong with a row, where it stands first; empty for a good or a blank one.
    std::string error(std::size_t i) const;
    // Whether a row is a sample: not blank, and not Tallyvane's own pooled row.
    bool isSample(std::size_t i) const;
    // Whether a row is set aside: it gives a reason.
    bool isSetAside(std::size_t i) const { return !FieldOf(m_rows[i], m_layout.excluded).empty(); }
    const std::optional<SamplesSummary>& summary() const { return m_summary; }

    // A row as read: its label and texts point into the sheet until its next change; a bad
    // row's counts are those read before its fault.
    SampleRow row(std::size_t i) const;
    // A sample's figures, when the table has a summary.
    SampleResult result(std::size_t i) const;
    // A row's texts under kSampleColumns, limits in percent: with its figures when the table
    // has a summary, else its label and counts as written.
    SampleTexts texts(std::size_t i) const;
    // The pooled row's texts; no cells without a summary.
    SampleTexts pooledTexts() const;
    // The chart, empty without a summary; as SVG; and the command line's CSV, when the table
    // has a summary.
    ChartScene chart() const;
    std::string svg() const;
    std::string csv() const;
    // The header, every row and the pooled row as fixed-pitch lines, for paper.
    std::vector<std::string> printedRows() const;
    // The table as its file, to save: the user's columns as they are, with its separator, line
    // ends and encoding, and where the table has figures, Tallyvane's result columns after them
    // and the pooled row under them (a table without a header gets one then).
    std::string file() const;
    // The same as text, with this separator and LF line ends, for the clipboard.
    std::string text(char separator) const;
    // The user's columns alone as text, with the table's separator and LF line ends: what the
    // user typed, with the edits made since.
    std::string rowsText() const;

private:
    struct Reading {
        std::uint64_t defects = 0, opportunities = 0;
        std::string error;  // without where the row stands
        bool blank = true;
        bool recordFault = false;  // the error is the record's, which no reading mends
    };
    // A row's reading; blank where its cells hold nothing, unless its record said otherwise.
    Reading read(const SampleCellsRow& cells, std::optional<bool> blank = std::nullopt) const;
    std::string where(std::size_t i) const;
    // The column named so, added after the others (a table without a header gets one, its rows'
    // counts each under its column): its place.
    std::size_t addColumn(std::string_view name);
    SampleRow counted(std::size_t i) const;
    SampleVerdict verdict(std::size_t i, const SampleRow& row) const;
    std::string written(char separator, std::string_view lineEnd, bool withResults = true) const;
    std::vector<std::string> fileCells(std::size_t i) const;
    std::vector<std::string> pooledFileCells() const;
    void analyse();

    // The text read, and where each row's record, and the header's, stand in it: what rowsText()
    // writes again for a row that no edit changed, as the user wrote it.
    struct Span {
        std::size_t begin = 0, length = std::string::npos;  // npos: changed, or never read
        bool kept() const { return length != std::string::npos; }
    };
    std::string m_source;
    std::vector<Span> m_spans;
    Span m_headerSpan;
    std::vector<std::string> m_columns;
    std::vector<std::string> m_headerCells;  // as the file names its columns, results left out
    bool m_header = false;
    std::vector<SampleCellsRow> m_rows;
    std::vector<std::size_t> m_lines;
    std::vector<Reading> m_readings;
    SampleLayout m_layout;
    char m_separator = ',';
    std::string m_lineEnd = "\n";
    TextEncoding m_encoding = TextEncoding::kUtf8;
    bool m_byPlace = false;
    bool m_isText = true;
    std::vector<std::string> m_fileReasons;  // the file's own, which no edit mends
    std::vector<std::string> m_reasons;
    std::optional<std::size_t> m_lastRow;  // the last row that is not blank
    bool m_lastIsTotals = false;
    std::optional<SamplesSummary> m_summary;
    // Each row's stage and the tests it fails; its limits are worked out again when asked for.
    struct Judged {
        std::uint32_t stage = 0;
        Signals failed = 0;
    };
    std::vector<Judged> m_judged;
    Signals m_tests = kAllTests;
};

}  // namespace tallyvane
