#include "samples/sample_sheet.h"

#include <algorithm>

#include "samples/chart_drawing.h"
#include "samples/chart_svg.h"
#include "samples/sample_cells.h"
#include "samples/sample_columns.h"
#include "samples/sample_plan.h"
#include "samples/table_records.h"
#include "samples/table_refused.h"

namespace tallyvane {
namespace {

constexpr std::size_t kCountColumns = 3;  // label, defects, opportunities

std::string LineEndOf(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos || text[end] == '\n') {
        return "\n";
    }
    return end + 1 < text.size() && text[end + 1] == '\n' ? "\r\n" : "\r";
}

// Whether the table holds columns of Tallyvane's results.
bool HasResults(const SampleLayout& layout) {
    return std::find(layout.results.begin(), layout.results.end(), true) != layout.results.end();
}

}  // namespace

SampleSheet::SampleSheet() : m_columns(kSampleColumns.begin(), kSampleColumns.begin() + 3) {
    analyse();
}

SampleSheet::SampleSheet(std::string bytes) : SampleSheet() {
    std::vector<std::string> header;
    SampleLayout fileLayout;
    try {
        DecodedText decoded = DecodeTable(std::move(bytes));
        m_encoding = decoded.encoding;
        m_source = std::move(decoded.text);
        m_separator = SeparatorOf(m_source);
        m_lineEnd = LineEndOf(m_source);
        TableRecords records(m_source, m_separator);
        TableRecord record;
        bool first = true;
        while (records.next(record)) {
            if (first && !record.blank() && record.fault == TableRecord::Fault::kNone) {
                try {
                    fileLayout = LayoutOf(record.used(), record.line);
                } catch (const TableRefused& e) {  // a header all the same: shown as written
                    m_fileReasons = e.reasons();
                    fileLayout.header = true;
                }
                if (fileLayout.header) {
                    header.assign(record.used().begin(), record.used().end());
                    m_headerSpan =
                        HasResults(fileLayout) ? Span() : Span{record.begin, record.length};
                    first = false;
                    continue;
                }
            }
            first = first && record.blank();
            // Empty fields past the header's, or past the counts', say nothing and are not kept:
            // a line of separators would cost a string each.
            const std::size_t kept = std::min(
                record.count,
                std::max({Width(record.used()), fileLayout.results.size(), kCountColumns}));
            SampleCellsRow cells;
            for (std::size_t c = 0; c < kept; ++c) {
                if (!fileLayout.isResult(c)) {
                    cells.push_back(record.fields[c]);
                }
            }
            m_rows.push_back(std::move(cells));
            // A record with Tallyvane's results in it is never written as it was.
            m_spans.push_back(HasResults(fileLayout) ? Span() : Span{record.begin, record.length});
            m_lines.push_back(record.line);
            m_readings.push_back({});
            m_readings.back().error = RecordFault(record);
            m_readings.back().recordFault = !m_readings.back().error.empty();
            m_readings.back().blank = record.blank();  // "" is no blank row
        }
    } catch (const TableRefused& e) {
        m_fileReasons = e.reasons();
        m_isText = false;
    }
    m_header = fileLayout.header;
    if (m_header) {
        std::erase_if(header, [&, c = std::size_t{0}](const std::string&) mutable {
            return fileLayout.isResult(c++);
        });
        m_columns = m_headerCells = header;
        if (m_fileReasons.empty()) {
            m_layout = LayoutOf(header, 1);
        }
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Reading record = m_readings[i];
        m_readings[i] = read(m_rows[i], record.blank);
        if (record.recordFault) {
            m_readings[i].error = record.error;
            m_readings[i].recordFault = true;
        }
    }
    // Tallyvane's own pooled row: made again, never kept.
    const auto last = std::find_if(m_readings.rbegin(), m_readings.rend(),
                                   [](const Reading& r) { return !r.blank; });
    if (last != m_readings.rend() && fileLayout.ownResults) {
        const std::size_t i = static_cast<std::size_t>(m_readings.rend() - last) - 1;
        if (m_readings[i].error.empty() && row(i).label == kPooledLabel) {
            m_rows.erase(m_rows.begin() + static_cast<long>(i));
            m_spans.erase(m_spans.begin() + static_cast<long>(i));
            m_lines.erase(m_lines.begin() + static_cast<long>(i));
            m_readings.erase(m_readings.begin() + static_cast<long>(i));
        }
    }
    replaceRows(0, 0, {});
}

SampleSheet::Reading SampleSheet::read(const SampleCellsRow& cells,
                                       std::optional<bool> blank) const {
    Reading reading;
    reading.blank = blank.value_or(Width(cells) == 0);
    if (!reading.blank) {
        SampleRow row;
        reading.error = ReadSample(m_layout, cells, row);
        reading.defects = row.defects;
        reading.opportunities = row.opportunities;
    }
    return reading;
}

void SampleSheet::replaceRows(std::size_t at, std::size_t count, std::vector<SampleCellsRow> rows) {
    const auto first = static_cast<long>(at), end = static_cast<long>(at + count);
    std::vector<Reading> readings;
    for (SampleCellsRow& cells : rows) {
        readings.push_back(read(cells));
    }
    m_readings.erase(m_readings.begin() + first, m_readings.begin() + end);
    m_readings.insert(m_readings.begin() + first, readings.begin(), readings.end());
    // A row replaced keeps the line it came from; one added has none. Neither is written as it
    // was read any more.
    const auto kept = first + static_cast<long>(std::min(count, rows.size()));
    m_lines.erase(m_lines.begin() + kept, m_lines.begin() + end);
    m_lines.insert(m_lines.begin() + kept, rows.size() - std::min(count, rows.size()), 0);
    m_spans.erase(m_spans.begin() + first, m_spans.begin() + end);
    m_spans.insert(m_spans.begin() + first, rows.size(), Span());
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + end);
    m_rows.insert(m_rows.begin() + first, std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    for (const SampleCellsRow& cells : m_rows) {
        widen(Width(cells));
    }
    analyse();
}

void SampleSheet::widen(std::size_t width) {
    while (m_columns.size() < width) {
        m_columns.push_back("Column " + std::to_string(m_columns.size() + 1));
    }
}

void SampleSheet::alignCounts() {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!m_header && Width(m_rows[i]) == 2) {
            m_rows[i].insert(m_rows[i].begin(), std::string());
            m_spans[i] = Span();
        }
    }
}

std::string SampleSheet::where(std::size_t i) const {
    return m_byPlace ? "Row " + std::to_string(i + 1) : "line " + std::to_string(m_lines[i]);
}

SampleRow SampleSheet::counted(std::size_t i) const {
    const Reading& r = m_readings[i];
    SampleRow row;
    row.line = m_byPlace ? i + 1 : m_lines[i];
    row.defects = r.defects;
    row.opportunities = r.opportunities;
    row.stage = FieldOf(m_rows[i], m_layout.stage);
    row.excluded = FieldOf(m_rows[i], m_layout.excluded);
    return row;
}

void SampleSheet::analyse() {
    m_reasons.clear();
    m_summary.reset();
    m_judged.clear();
    m_lastIsTotals = false;
    const auto last = std::find_if(m_readings.rbegin(), m_readings.rend(),
                                   [](const Reading& r) { return !r.blank; });
    m_lastRow = last == m_readings.rend()
                    ? std::nullopt
                    : std::optional(static_cast<std::size_t>(m_readings.rend() - last) - 1);
    SampleTally tally;
    SummaryMaker maker;
    for (std::size_t i = 0; i < m_readings.size(); ++i) {
        const Reading& r = m_readings[i];
        if (r.blank) {
            continue;
        }
        if (i == m_lastRow && r.error.empty() && !tally.refused()) {
            const SampleTotals& above = tally.sums();
            m_lastIsTotals = LastRowOf(m_layout, row(i), above.rows, above.defects,
                                       above.opportunities) == LastRow::kTotals;
        }
        if (const std::string e = error(i); !e.empty()) {
            tally.refuse(e);
        } else {
            const SampleRow row = counted(i);
            tally.add(row);
            maker.count(row);
        }
    }
    if (!m_fileReasons.empty()) {
        m_reasons = m_fileReasons;
        return;
    }
    try {
        tally.totals();
        if (auto empty = maker.emptyStages(m_byPlace ? "Row " : "line "); !empty.empty()) {
            throw TableRefused(std::move(empty));
        }
    } catch (const TableRefused& e) {
        m_reasons = e.reasons();
        return;
    }
    for (std::size_t i = 0; i < m_readings.size(); ++i) {
        if (!m_readings[i].blank) {
            maker.choose(counted(i));
        }
    }
    m_summary = maker.summary();
    SampleJudge judge(*m_summary, m_tests);
    m_judged.resize(m_readings.size());
    for (std::size_t i = 0; i < m_readings.size(); ++i) {
        if (!m_readings[i].blank) {
            const SampleVerdict v = judge.judge(counted(i));
            m_judged[i] = {static_cast<std::uint32_t>(v.stage), v.failed};
        }
    }
}

SampleVerdict SampleSheet::verdict(std::size_t i, const SampleRow& row) const {
    const Judged& j = m_judged[i];
    return {j.stage, LimitsOf(m_summary->stages[j.stage].chart, row.defects, row.opportunities),
            j.failed};
}

void SampleSheet::setTests(Signals tests) {
    m_tests = tests;
    analyse();
}

std::size_t SampleSheet::addColumn(std::string_view name) {
    if (!m_header) {
        alignCounts();
        m_header = true;
    }
    m_columns.emplace_back(name);
    m_headerCells = m_columns;
    m_headerSpan = Span();
    m_layout = LayoutOf(m_headerCells, 1);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!m_readings[i].recordFault) {
            m_readings[i] = read(m_rows[i], m_readings[i].blank);
        }
    }
    analyse();
    return m_columns.size() - 1;
}

std::vector<SampleCellsRow> SampleSheet::withCells(std::size_t column,
                                                   const std::vector<std::size_t>& rows,
                                                   const std::string& text) const {
    std::vector<SampleCellsRow> changed(m_rows.begin() + static_cast<long>(rows.front()),
                                        m_rows.begin() + static_cast<long>(rows.back() + 1));
    for (const std::size_t i : rows) {
        SampleCellsRow& cells = changed[i - rows.front()];
        cells.resize(std::max(cells.size(), column + 1));
        cells[column] = text;
    }
    return changed;
}

void SampleSheet::setColumn(std::string_view name, const std::vector<std::size_t>& rows,
                            const std::string& text) {
    if (rows.empty() || !canAddColumns()) {
        return;
    }
    const std::optional<std::size_t> named = columnNamed(name);
    const std::size_t column = named ? *named : addColumn(name);
    replaceRows(rows.front(), rows.back() + 1 - rows.front(), withCells(column, rows, text));
}

std::vector<std::size_t> SampleSheet::stageRows(std::size_t i) const {
    const std::string_view stage = FieldOf(m_rows[i], m_layout.stage);
    std::vector<std::size_t> rows{i};
    for (std::size_t next = i + 1; next < m_rows.size(); ++next) {
        if (isSample(next) && FieldOf(m_rows[next], m_layout.stage) != stage) {
            break;
        }
        if (isSample(next)) {
            rows.push_back(next);
        }
    }
    return rows;
}

std::string SampleSheet::error(std::size_t i) const {
    const Reading& r = m_readings[i];
    if (i == m_lastRow && m_lastIsTotals) {
        return RowReason(where(i), TotalsRowReason(row(i)));
    }
    return r.error.empty() ? std::string() : RowReason(where(i), r.error);
}

std::vector<std::string> SampleSheet::notes() const {
    std::vector<std::string> notes;
    if (!EncodingNote(m_encoding).empty()) {
        notes.emplace_back(EncodingNote(m_encoding));
    }
    for (std::size_t k = 0; m_summary && k < m_summary->stages.size(); ++k) {
        const StageSummary& stage = m_summary->stages[k];
        if (const std::string note = ChartNote(stage.chart, stage.totals.counted());
            !note.empty()) {
            notes.push_back(m_summary->stages.size() > 1 ? StageTitle(*m_summary, k) + ": " + note
                                                         : note);
        }
    }
    return notes;
}

bool SampleSheet::isSample(std::size_t i) const {
    return !m_readings[i].blank;
}

SampleRow SampleSheet::row(std::size_t i) const {
    SampleRow r;
    r.line = m_byPlace ? i + 1 : m_lines[i];
    ReadSample(m_layout, m_rows[i], r);
    return r;
}

SampleResult SampleSheet::result(std::size_t i) const {
    const SampleRow r = row(i);
    return SampleResultOf(r, verdict(i, r));
}

SampleTexts SampleSheet::texts(std::size_t i) const {
    if (m_summary && isSample(i)) {
        const SampleResult r = result(i);
        return TextsOf(SampleCells(r), r.plan, r.failed);
    }
    const SampleRow r = row(i);
    return TextsOf(
        {std::string(r.label), std::string(r.defectsText), std::string(r.opportunitiesText)});
}

SampleTexts SampleSheet::pooledTexts() const {
    if (!m_summary) {
        return {};
    }
    return TextsOf(PooledCells(*m_summary), m_summary->pooled);
}

ChartScene SampleSheet::chart() const {
    if (!m_summary) {
        return {};
    }
    ChartDrawing drawing(*m_summary);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (isSample(i)) {
            const SampleRow r = row(i);
            drawing.add(JudgedSample(r, verdict(i, r)));
        }
    }
    return drawing.scene();
}

std::string SampleSheet::svg() const {
    return m_summary ? ChartSvg(chart()) : std::string();
}

std::vector<std::string> SampleSheet::fileCells(std::size_t i) const {
    return FileCells(result(i), *m_summary);
}

std::vector<std::string> SampleSheet::pooledFileCells() const {
    return PooledFileCells(*m_summary);
}

std::string SampleSheet::csv() const {
    std::string csv = CsvLine(FileHeader(m_layout)) + "\n";
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (isSample(i)) {
            const SampleResult r = result(i);
            csv += CsvLine(WithRowColumns(FileCells(r, *m_summary), m_layout, r.row.stage,
                                          r.row.excluded)) +
                   "\n";
        }
    }
    return csv + CsvLine(WithRowColumns(pooledFileCells(), m_layout, {}, {})) + "\n";
}

std::vector<std::string> SampleSheet::printedRows() const {
    std::vector<std::vector<std::string>> table{SampleHeader(m_layout)};
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const SampleRow r = row(i);
        table.push_back(WithRowColumns(texts(i).cells, m_layout, r.stage, r.excluded));
    }
    if (m_summary) {
        table.push_back(WithRowColumns(pooledTexts().cells, m_layout, {}, {}));
    }
    return AlignedRows(table);
}

bool SampleSheet::isCountColumn(std::size_t column) const {
    return m_layout.defects ? column == *m_layout.defects || column == *m_layout.opportunities
                            : column == 1 || column == 2;
}

std::string SampleSheet::file() const {
    return EncodeText(written(m_separator, m_lineEnd), m_encoding);
}

std::string SampleSheet::text(char separator) const {
    return written(separator, "\n");
}

std::string SampleSheet::rowsText() const {
    return written(m_separator, "\n", false);
}

std::string SampleSheet::written(char separator, std::string_view lineEnd, bool withResults) const {
    // A header that names no counts would not read the result columns back: none are added.
    const bool results = withResults && m_summary.has_value() && (!m_header || m_layout.defects);
    std::vector<std::string> header =
        m_header ? m_headerCells
                 : std::vector<std::string>(kSampleColumns.begin(),
                                            kSampleColumns.begin() + kCountColumns);
    std::size_t width = Width(header);
    for (const auto column : {m_layout.label, m_layout.defects, m_layout.opportunities}) {
        width = std::max(width, column.value_or(0) + 1);  // a named column, however blank its name
    }
    header.resize(width);
    // Where the user's columns hold no label, Tallyvane's pooled row needs one to be known again.
    const bool addLabel = results && m_header && !m_layout.label;
    const std::size_t labelColumn = addLabel ? width : m_layout.label.value_or(0);
    if (addLabel) {
        header.emplace_back(kSampleColumns[0]);
        ++width;
    }
    const auto appendResults = [&](SampleCellsRow cells, std::vector<std::string> all) {
        cells.resize(width);
        cells.insert(cells.end(), all.begin() + kFirstResultColumn, all.end());
        return cells;
    };
    std::string text;
    const auto write = [&](const SampleCellsRow& cells) {
        text += RecordText(cells, separator);
        text += lineEnd;
    };
    // Without results, what no edit changed is written as the user wrote it.
    const auto asRead = [&](Span span) {
        if (results || separator != m_separator || !span.kept()) {
            return false;
        }
        text.append(m_source, span.begin, span.length);
        text += lineEnd;
        return true;
    };
    if ((m_header || results) && !asRead(m_headerSpan)) {
        write(results ? appendResults(header, {kFileColumns.begin(), kFileColumns.end()}) : header);
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!isSample(i)) {  // blank: as it stands, its blanks not quoted
            for (const std::string& cell : m_rows[i]) {
                if (&cell != m_rows[i].data()) {
                    text += separator;
                }
                if (cell.find(separator) == std::string::npos) {
                    text += cell;
                }
            }
            text += lineEnd;
            continue;
        }
        if (!results) {
            if (!asRead(m_spans[i])) {
                write(m_rows[i]);
            }
            continue;
        }
        SampleCellsRow cells = m_rows[i];
        if (!m_header && Width(cells) == 2) {  // under the header it gets, each count in its place
            cells.insert(cells.begin(), std::string());
        }
        write(appendResults(std::move(cells), fileCells(i)));
    }
    if (results) {
        const SampleTotals& totals = m_summary->totals;
        SampleCellsRow pooled(width);
        pooled[labelColumn] = kPooledLabel;
        pooled[m_layout.defects.value_or(1)] = std::to_string(totals.defects);
        pooled[m_layout.opportunities.value_or(2)] = std::to_string(totals.opportunities);
        write(appendResults(pooled, pooledFileCells()));
    }
    return text;
}

}  // namespace tallyvane
