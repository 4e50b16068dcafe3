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
    std::array<std::size_t, 3> counts{};
    // As the reader takes quotes: one opens a field that holds nothing else yet, and a quote
    // within a field ('12" pipe') is the field's own.
    bool quoted = false, content = false, fieldStarted = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            i += 2;
            continue;
        }
        if (c == '"' && (quoted || !fieldStarted)) {
            quoted = !quoted;
            content = fieldStarted = true;
        } else if (const std::size_t end = quoted ? 0 : LineEndAt(text, i); end > 0) {
            if (content) {
                break;
            }
            counts = {};
            fieldStarted = false;
            i += end;
            continue;
        } else if (const std::size_t k = kSeparators.find(c);
                   !quoted && k != std::string_view::npos) {
            ++counts[k];
            fieldStarted = false;
        } else if (!IsBlank(c)) {
            content = fieldStarted = true;
        }
        ++i;
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most > 0 ? kSeparators[static_cast<std::size_t>(most - counts.begin())] : '\t';
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
    TableRecords records(text, SeparatorOf(text));
    for (TableRecord record; records.next(record);) {
        cells.emplace_back(record.fields.begin(), record.fields.begin() + record.count);
    }
    return cells;
}

}  // namespace tallyvane
