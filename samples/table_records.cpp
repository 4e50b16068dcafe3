#include "samples/table_records.h"

#include <algorithm>
#include <array>

#include "samples/line_ends.h"

namespace tallyvane {
namespace {

constexpr std::string_view kSeparators = "\t;,";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// What a spreadsheet would take for a formula: a field that starts with "=", "+", "-", "@", a
// tab or a CR and is not a plain number ("-0.50", "+5", "12%").
bool StartsFormula(std::string_view field) {
    if (field.empty() ||
        std::string_view("=+-@\t\r").find(field.front()) == std::string_view::npos) {
        return false;
    }
    const std::string_view number = field.substr(field.front() == '-' || field.front() == '+');
    return number.empty() || number.find_first_not_of("0123456789.%") != std::string_view::npos;
}

// A field written with a leading "'", as spreadsheets mark text: one that would start a formula,
// and one that starts with a "'" that reading would otherwise take for that mark.
bool Marked(std::string_view field) {
    return field.size() > 1 && field.front() == '\'' &&
           (field[1] == '\'' || StartsFormula(field.substr(1)));
}

}  // namespace

std::string_view Trimmed(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

std::size_t Width(std::span<const std::string> fields) {
    std::size_t width = fields.size();
    while (width > 0 && Trimmed(fields[width - 1]).empty()) {
        --width;
    }
    return width;
}

bool TableRecord::blank() const {
    return !quoted && fault == Fault::kNone && Width(used()) == 0;
}

char SeparatorOf(std::string_view text) {
    // The first record that is not blank starts on the first line with more than blanks and
    // separators; each separator reads it as the reader would, quotes and all.
    const std::size_t content = text.find_first_not_of(" \t;,\r\n");
    if (content == std::string_view::npos) {
        return '\t';
    }
    const std::size_t lineEnd = text.find_last_of("\r\n", content);
    const std::string_view first = text.substr(lineEnd == std::string_view::npos ? 0 : lineEnd + 1);
    char separator = '\t';
    std::size_t most = 1;
    TableRecord record;
    for (const char candidate : kSeparators) {
        if (TableRecords(first, candidate).next(record) && record.count > most) {
            most = record.count;
            separator = candidate;
        }
    }
    return separator;
}

TableRecords::TableRecords(std::string_view text, char separator)
    : m_text(text), m_separator(separator) {}

bool TableRecords::next(TableRecord& record) {
    const auto unmark = [&record] {
        for (std::size_t i = 0; i < record.count; ++i) {
            if (Marked(record.fields[i])) {
                record.fields[i].erase(0, 1);
            }
        }
    };
    if (m_at >= m_text.size()) {
        return false;
    }
    record.line = m_line;
    record.begin = m_at;
    record.count = 0;
    record.quoted = false;
    record.fault = TableRecord::Fault::kNone;
    std::string* field = nullptr;
    const auto newField = [&] {
        if (record.count == kMostFields) {
            record.fault = TableRecord::Fault::kTooManyFields;
            field = nullptr;
            return;
        }
        if (record.count == record.fields.size()) {
            record.fields.emplace_back();
        }
        field = &record.fields[record.count++];
        field->clear();
    };
    newField();
    bool quoted = false;
    while (m_at < m_text.size()) {
        const char c = m_text[m_at];
        if (const std::size_t end = LineEndAt(m_text, m_at); end > 0) {
            m_at += end;
            ++m_line;
            if (!quoted) {
                record.length = m_at - end - record.begin;
                unmark();
                return true;
            }
            if (field) {
                field->append(m_text.substr(m_at - end, end));
            }
            continue;
        }
        ++m_at;
        if (quoted && c == '"' && m_at < m_text.size() && m_text[m_at] == '"') {
            ++m_at;
        } else if (c == '"' && (quoted || (field && Trimmed(*field).empty()))) {
            if (!quoted && field) {
                field->clear();
            }
            quoted = !quoted;
            record.quoted = true;
            continue;
        } else if (!quoted && c == m_separator) {
            if (field || record.fault == TableRecord::Fault::kNone) {
                newField();
            }
            continue;
        }
        if (field) {
            *field += c;
        }
    }
    if (quoted) {
        record.fault = TableRecord::Fault::kUnclosedQuote;
    }
    record.length = m_at - record.begin;
    unmark();
    return true;
}

bool TableRecords::restIsBlank() const {
    return m_text.find_first_not_of(std::string(" \t\r\n") + m_separator, m_at) ==
           std::string_view::npos;
}

std::string RecordText(std::span<const std::string> fields, char separator) {
    std::string line;
    // Every separator is quoted, not only this one, so that the text reads back with the same.
    const char special[] = {separator, '\t', ',', ';', '"', '\r', '\n', '\0'};
    for (const std::string& written : fields) {
        if (&written != fields.data()) {
            line += separator;
        }
        const std::string field =
            StartsFormula(written) || Marked(written) ? "'" + written : written;
        if (field.find_first_of(special) == std::string::npos &&
            (field.empty() || (!IsBlank(field.front()) && !IsBlank(field.back())))) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) {
            line += c == '"' ? "\"\"" : std::string_view(&c, 1);
        }
        line += '"';
    }
    return line;
}

std::vector<std::vector<std::string>> TableCells(std::string_view text) {
    std::vector<std::vector<std::string>> cells;
    TableRecords records(text, '\t');
    for (TableRecord record; records.next(record);) {
        if (record.fault == TableRecord::Fault::kUnclosedQuote) {  // a quote that is the text's
            cells.clear();
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
                std::vector<std::string>& row = cells.emplace_back();
                for (std::size_t field = at, tab = at; tab < end; field = tab + 1) {
                    tab = std::min(text.find('\t', field), end);
                    row.emplace_back(text.substr(field, tab - field));
                }
                at = end + LineEndAt(text, end);
            }
            return cells;
        }
        cells.emplace_back(record.fields.begin(), record.fields.begin() + record.count);
    }
    return cells;
}

}  // namespace tallyvane
