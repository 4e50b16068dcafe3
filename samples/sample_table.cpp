#include "samples/sample_table.h"

#include <algorithm>

#include "samples/sample_cells.h"
#include "samples/sample_columns.h"
#include "samples/table_refused.h"
#include "samples/text_decoding.h"

namespace tallyvane {
namespace {

std::string Header() {
    return std::string(kSampleColumns[0]) + "," + std::string(kSampleColumns[1]) + "," +
           std::string(kSampleColumns[2]) + "\n";
}

}  // namespace

SampleTable::SampleTable(std::vector<SampleEntry> entries) {
    setEntries(std::move(entries));
}

std::vector<SampleEntry> SampleTable::Read(std::string bytes, std::vector<std::string>& reasons) {
    std::vector<SampleEntry> entries;
    try {
        const std::string text = DecodeText(std::move(bytes));
        SampleRows rows(text);
        SampleRow row;
        std::string error;
        while (rows.next(row, error)) {
            entries.push_back({std::string(row.label), std::string(row.defectsText),
                               std::string(row.opportunitiesText)});
        }
    } catch (const TableRefused& e) {
        reasons = e.reasons();
    }
    return entries;
}

// The rows go to the reader as CSV under a header that names the counts; each row's first line
// tells which sheet row it became.
void SampleTable::setEntries(std::vector<SampleEntry> entries) {
    m_entries = std::move(entries);
    std::string text = Header();
    std::vector<std::size_t> entryAtLine(2);  // from line 1, the header's
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const SampleEntry& e = m_entries[i];
        const std::string line = CsvLine({e[0], e[1], e[2]}) + "\n";
        text += line;
        entryAtLine.insert(entryAtLine.end(),
                           static_cast<std::size_t>(std::count(line.begin(), line.end(), '\n')), i);
    }
    m_sheet = SampleSheet(std::move(text));
    m_sheetRows.assign(m_entries.size(), std::nullopt);
    for (std::size_t r = 0; r < m_sheet.size(); ++r) {
        m_sheetRows[entryAtLine[m_sheet.row(r).line]] = r;
    }
}

std::string SampleTable::error(std::size_t row) const {
    if (!m_sheetRows[row]) {
        return {};
    }
    const std::string& error = m_sheet.error(*m_sheetRows[row]);
    return error.substr(std::min(error.size(), error.find(": ") + 2));
}

SampleTexts SampleTable::texts(std::size_t row) const {
    if (const std::optional<std::size_t> at = m_sheetRows[row]; at && m_sheet.summary()) {
        return m_sheet.texts(*at);
    }
    return TextsOf(std::vector<std::string>(m_entries[row].begin(), m_entries[row].end()));
}

std::vector<std::string> SampleTable::printedRows() const {
    std::vector<std::vector<std::string>> table{{kSampleColumns.begin(), kSampleColumns.end()}};
    for (std::size_t row = 0; row < m_entries.size(); ++row) {
        table.push_back(texts(row).cells);
    }
    if (m_sheet.summary()) {
        table.push_back(m_sheet.pooledTexts().cells);
    }
    return AlignedRows(table);
}

std::string SampleTable::csv() const {
    if (m_sheet.summary()) {
        return m_sheet.csv();
    }
    std::string csv = CsvLine({kSampleColumns.begin(), kSampleColumns.end()}) + "\n";
    for (const SampleEntry& e : m_entries) {
        std::vector<std::string> cells(e.begin(), e.end());
        cells.resize(kSampleColumns.size());
        csv += CsvLine(cells) + "\n";
    }
    return csv;
}

}  // namespace tallyvane
