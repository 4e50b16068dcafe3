#include "samples/sample_rows.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

#include "calc/warning_texts.h"
#include "samples/sample_columns.h"
#include "samples/table_refused.h"

namespace tallyvane {
namespace {

constexpr std::size_t kNamedBadLines = 20;

std::string_view Trimmed(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as any program might write one: a sign, digits with points, commas or blanks among
// them, an exponent. Such a field makes the first row a row, not a header.
bool IsNumberOfAnyForm(std::string_view s) {
    s = Trimmed(s);
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        s.remove_prefix(1);
    }
    const std::size_t exponent = s.find_first_of("eE");
    std::string_view mantissa = s.substr(0, exponent);
    if (exponent != std::string_view::npos) {
        std::string_view power = s.substr(exponent + 1);
        if (!power.empty() && (power.front() == '-' || power.front() == '+')) {
            power.remove_prefix(1);
        }
        if (power.empty() || !std::all_of(power.begin(), power.end(), IsDigit)) {
            return false;
        }
    }
    return std::any_of(mantissa.begin(), mantissa.end(), IsDigit) &&
           mantissa.find_first_not_of("0123456789., ") == std::string_view::npos;
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == y;
           });
}

std::string Line(std::size_t line) {
    return "line " + std::to_string(line) + ": ";
}

// A whole count in digits, or what is wrong with the text, given the window's own warning
// where the window makes the same check.
std::string ReadWholeCount(std::string_view field, std::string_view what, std::uint64_t& count) {
    const std::string_view text = Trimmed(field);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (!text.empty() && std::all_of(text.begin(), text.end(), IsDigit)) {
        if (error == std::errc() && count <= kLargestCount) {
            return {};
        }
        return std::string(what) + " (" + std::string(text) + ") exceed 2^53, the largest count";
    }
    const bool negative = text.size() > 1 && text.front() == '-' &&
                          std::all_of(text.begin() + 1, text.end(), IsDigit);
    return std::string(negative ? warning::kNegativeCounts : warning::kInvalidCounts) + " (" +
           std::string(what) + " \"" + std::string(text) + "\" is not a whole number)";
}

}  // namespace

SampleRows::SampleRows(std::string_view text) : m_text(text) {
    // The separator and the header, from the first record that is not blank.
    const std::size_t start = m_at, startLine = m_line;
    std::array<std::size_t, 3> counts{};
    constexpr std::string_view kSeparators = "\t;,";
    if (nextRecord()) {
        // Count the separators outside quotes in the record's own text.
        bool quoted = false;
        for (std::size_t i = start; i < m_at; ++i) {
            if (m_text[i] == '"') {
                quoted = !quoted;
            } else if (!quoted && kSeparators.find(m_text[i]) != std::string_view::npos) {
                ++counts[kSeparators.find(m_text[i])];
            }
        }
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    m_separator = *most > 0 ? kSeparators[static_cast<std::size_t>(most - counts.begin())] : '\t';
    m_at = start;
    m_line = startLine;
    if (!nextRecord()) {
        return;
    }
    const auto first = m_fields.begin(), last = first + static_cast<long>(m_fieldCount);
    if (std::any_of(first, last, [](const std::string& f) { return IsNumberOfAnyForm(f); })) {
        m_at = start;  // a row: read it again as one
        m_line = startLine;
        return;
    }
    for (std::size_t i = 0; i < m_fieldCount; ++i) {
        const std::string_view name = Trimmed(m_fields[i]);
        if (!m_defectsColumn && SameWord(name, "defects")) {
            m_defectsColumn = i;
        } else if (!m_opportunitiesColumn && SameWord(name, "opportunities")) {
            m_opportunitiesColumn = i;
        } else if (!m_labelColumn) {
            m_labelColumn = i;
        }
    }
    if (!m_defectsColumn || !m_opportunitiesColumn) {
        m_defectsColumn = m_opportunitiesColumn = m_labelColumn = std::nullopt;
    }
}

// The next record that is not blank into m_fields, its first line in m_recordLine. Quoted
// fields may hold separators, line ends and doubled quotes.
bool SampleRows::nextRecord() {
    while (m_at < m_text.size()) {
        m_recordLine = m_line;
        m_fieldCount = 0;
        bool blank = true, quoted = false, ended = false;
        std::string* field = nullptr;
        const auto newField = [&] {
            if (m_fieldCount == m_fields.size()) {
                m_fields.emplace_back();
            }
            field = &m_fields[m_fieldCount++];
            field->clear();
        };
        newField();
        while (m_at < m_text.size() && !ended) {
            const char c = m_text[m_at++];
            if (quoted) {
                if (c == '"' && m_at < m_text.size() && m_text[m_at] == '"') {
                    *field += '"';
                    ++m_at;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    m_line +=
                        c == '\n' || (c == '\r' && !(m_at < m_text.size() && m_text[m_at] == '\n'));
                    *field += c;
                }
            } else if (c == '"' && Trimmed(*field).empty()) {
                quoted = true;
                blank = false;
                field->clear();
            } else if (c == m_separator) {
                newField();
            } else if (c == '\n' || c == '\r') {
                if (c == '\r' && m_at < m_text.size() && m_text[m_at] == '\n') {
                    ++m_at;
                }
                ++m_line;
                ended = true;
            } else {
                blank = blank && (c == ' ' || c == '\t');
                *field += c;
            }
        }
        if (!blank) {
            while (m_fieldCount > 0 && Trimmed(m_fields[m_fieldCount - 1]).empty()) {
                --m_fieldCount;
            }
            return true;
        }
    }
    return false;
}

bool SampleRows::next(SampleRow& row, std::string& error) {
    if (!nextRecord()) {
        return false;
    }
    row = SampleRow();
    row.line = m_recordLine;
    error = checkRow(row);
    if (!error.empty()) {
        error.insert(0, Line(row.line));
        return true;
    }
    // Tallyvane's own saved table ends in the pooled row: the totals, not a sample.
    if (m_defectsColumn && row.label == kPooledLabel && row.defects == m_totalDefects &&
        row.opportunities == m_totalOpportunities &&
        m_text.find_first_not_of(std::string(" \t\r\n") + m_separator, m_at) ==
            std::string_view::npos) {
        m_at = m_text.size();
        return false;
    }
    m_totalDefects += row.defects;
    m_totalOpportunities += row.opportunities;
    return true;
}

std::string SampleRows::checkRow(SampleRow& row) {
    std::string_view defects, opportunities;
    const auto field = [&](std::optional<std::size_t> column) {
        return column && *column < m_fieldCount ? std::string_view(m_fields[*column])
                                                : std::string_view();
    };
    if (m_defectsColumn) {
        defects = field(m_defectsColumn);
        opportunities = field(m_opportunitiesColumn);
        row.label = Trimmed(field(m_labelColumn));
    } else if (m_fieldCount == 2 || m_fieldCount == 3) {
        const std::size_t first = m_fieldCount - 2;
        defects = m_fields[first];
        opportunities = m_fields[first + 1];
        row.label = first == 1 ? Trimmed(m_fields[0]) : std::string_view();
    } else {
        return "a row holds two counts, defects then opportunities, perhaps after a label; "
               "this one has " +
               std::to_string(m_fieldCount) + (m_fieldCount == 1 ? " field" : " fields");
    }
    row.defectsText = Trimmed(defects);
    row.opportunitiesText = Trimmed(opportunities);
    const bool noDefects = row.defectsText.empty(), noOpportunities = row.opportunitiesText.empty();
    if (noDefects || noOpportunities) {
        return std::string(noDefects && noOpportunities ? warning::kBothMissing
                           : noOpportunities            ? warning::kOpportunitiesMissing
                                                        : warning::kDefectsMissing);
    }
    if (std::string e = ReadWholeCount(defects, "defects", row.defects); !e.empty()) {
        return e;
    }
    if (std::string e = ReadWholeCount(opportunities, "opportunities", row.opportunities);
        !e.empty()) {
        return e;
    }
    if (row.defects > row.opportunities) {
        return "defects (" + std::to_string(row.defects) + ") exceed opportunities (" +
               std::to_string(row.opportunities) + ")";
    }
    if (row.opportunities == 0) {
        return "no opportunities: a sample needs at least one";
    }
    return {};
}

SampleTotals CheckSamples(std::string_view text) {
    SampleRows rows(text);
    SampleTotals totals;
    SampleRow row;
    std::string error;
    std::vector<std::string> bad;
    std::size_t more = 0;
    bool totalsTooLarge = false;
    while (rows.next(row, error)) {
        if (!error.empty()) {
            (bad.size() < kNamedBadLines ? bad.push_back(error) : void(++more));
            continue;
        }
        ++totals.rows;
        if (!totalsTooLarge) {  // defects <= opportunities: their total cannot pass first
            totals.defects += row.defects;
            totals.opportunities += row.opportunities;
            totalsTooLarge = totals.opportunities > kLargestCount;
        }
    }
    if (more > 0) {
        bad.push_back("and " + std::to_string(more) + " more");
    }
    if (!bad.empty()) {
        throw TableRefused(std::move(bad));
    }
    if (totals.rows == 0) {
        throw TableRefused(
            {"The table holds no samples: each row needs its defects and its "
             "opportunities."});
    }
    if (totalsTooLarge) {
        throw TableRefused(
            {"The total of the opportunities exceeds 2^53 (9007199254740992), the "
             "largest count whose figures are exact."});
    }
    return totals;
}

}  // namespace tallyvane
