#include "samples/sample_rows.h"

#include <algorithm>
#include <charconv>

#include "samples/sample_columns.h"
#include "samples/table_refused.h"

namespace tallyvane {
namespace {

constexpr std::size_t kNamedBadLines = 20;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits that a count written with its thousands grouped ("1,500", "1 500") or with a point
// and zeros ("7.0") stands for, for the refusal to suggest; empty for any other text, and for
// "1.000", which may be either.
std::string WholeDigits(std::string_view text) {
    const std::size_t first = text.find_first_not_of("0123456789");
    if (first == 0 || first == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = text.substr(first);
    const std::string head(text.substr(0, first));
    if (rest.size() > 1 && rest.size() != 4 && rest.front() == '.' &&
        rest.find_first_not_of('0', 1) == std::string_view::npos) {
        return head;
    }
    const char separator = rest.front();
    if (separator == '.' && rest.size() == 4) {
        return {};
    }
    std::string digits = head;
    for (std::size_t i = 0; i < rest.size(); i += 4) {
        const std::string_view group = rest.substr(i + 1, 3);
        if (first > 3 || rest[i] != separator || group.size() != 3 ||
            !std::all_of(group.begin(), group.end(), IsDigit) ||
            std::string_view(",. '_").find(separator) == std::string_view::npos) {
            return {};
        }
        digits += group;
    }
    return digits;
}

// A whole count in digits, or what is wrong with the text.
std::string ReadWholeCount(std::string_view text, std::string_view what, std::uint64_t& count) {
    if (text.empty()) {
        return {};
    }
    if (std::all_of(text.begin(), text.end(), IsDigit)) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
        if (error == std::errc() && count <= kLargestCount) {
            return {};
        }
        return std::string(what) + " (" + std::string(text) + ") exceed 2^53, the largest count";
    }
    const std::string digits = WholeDigits(text);
    return std::string(what) + " \"" + std::string(text) + "\" is not a whole number in digits" +
           (digits.empty() ? "" : " (write " + digits + ")");
}

}  // namespace

std::string_view FieldOf(std::span<const std::string> fields, std::optional<std::size_t> column) {
    return column && *column < fields.size() ? Trimmed(fields[*column]) : std::string_view();
}

std::string ReadSample(const SampleLayout& layout, std::span<const std::string> fields,
                       SampleRow& row) {
    const auto field = [&](std::optional<std::size_t> column) { return FieldOf(fields, column); };
    std::size_t width = Width(fields);
    std::string_view defects, opportunities;
    if (layout.defects) {
        row.label = field(layout.label);
        defects = field(layout.defects);
        opportunities = field(layout.opportunities);
        row.stage = field(layout.stage);
        row.excluded = field(layout.excluded);
        if (width > layout.width) {  // counted as the user wrote them, Tallyvane's results aside
            const auto users = [&](std::size_t columns) {
                std::size_t count = 0;
                for (std::size_t c = 0; c < columns; ++c) {
                    count += !layout.isResult(c);
                }
                return std::to_string(count);
            };
            return "the row holds " + users(width) + " fields where the header names " +
                   users(layout.width) + " columns";
        }
    } else {
        if (width == 1 && fields.size() >= 2) {  // "Lot 1,,": a label, and the counts missing
            width = std::min<std::size_t>(fields.size(), 3);
        }
        if (width == 0) {  // nothing but quoted blanks
            return "the defects and the opportunities are missing";
        }
        if (width > 3 || width == 1) {
            return "a row holds two counts, defects then opportunities, perhaps after a label; "
                   "this one has " +
                   std::to_string(width) + (width == 1 ? " field" : " fields");
        }
        row.label = width == 3 ? Trimmed(fields[0]) : std::string_view();
        defects = Trimmed(fields[width - 2]);
        opportunities = Trimmed(fields[width - 1]);
    }
    row.defectsText = defects;
    row.opportunitiesText = opportunities;
    if (defects.empty() || opportunities.empty()) {
        return defects.empty() && opportunities.empty()
                   ? "the defects and the opportunities are missing"
               : defects.empty() ? "the defects are missing"
                                 : "the opportunities are missing";
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

std::string RecordFault(const TableRecord& record) {
    switch (record.fault) {
        case TableRecord::Fault::kUnclosedQuote:
            return "a quoted field is never closed";
        case TableRecord::Fault::kTooManyFields:
            return "the row holds more than " + std::to_string(kMostFields) + " fields";
        case TableRecord::Fault::kNone:
            break;
    }
    return {};
}

LastRow LastRowOf(const SampleLayout& layout, const SampleRow& row, std::size_t rowsAbove,
                  std::uint64_t defectsAbove, std::uint64_t opportunitiesAbove) {
    if (layout.ownResults && row.label == kPooledLabel) {
        return LastRow::kPooled;
    }
    return rowsAbove >= 2 && row.defects == defectsAbove && row.opportunities == opportunitiesAbove
               ? LastRow::kTotals
               : LastRow::kSample;
}

std::string TotalsRowReason(const SampleRow& row) {
    return "holds the totals of the rows above it (" + std::to_string(row.defects) + " in " +
           std::to_string(row.opportunities) + "): remove it";
}

std::string RowReason(std::string_view where, std::string_view reason) {
    return std::string(where) + (reason.starts_with("holds ") ? " " : ": ") + std::string(reason);
}

void SampleTally::add(const SampleRow& row) {
    ++m_totals.rows;
    if (!m_tooLarge) {  // defects <= opportunities: their total cannot pass first
        m_totals.defects += row.defects;
        m_totals.opportunities += row.opportunities;
        m_tooLarge = m_totals.opportunities > kLargestCount;
    }
}

void SampleTally::refuse(std::string reason) {
    if (++m_named <= kNamedBadLines) {
        m_reasons.push_back(std::move(reason));
    }
}

SampleTotals SampleTally::totals() const {
    if (m_named > 0) {
        std::vector<std::string> reasons = m_reasons;
        if (m_named > kNamedBadLines) {
            reasons.push_back("and " + std::to_string(m_named - kNamedBadLines) + " more");
        }
        throw TableRefused(std::move(reasons));
    }
    if (m_totals.rows == 0) {
        throw TableRefused(
            {"The table holds no samples: each row needs its defects and its "
             "opportunities."});
    }
    if (m_tooLarge) {
        throw TableRefused(
            {"The total of the opportunities exceeds 2^53 (9007199254740992), the "
             "largest count whose figures are exact."});
    }
    return m_totals;
}

SampleRows::SampleRows(std::string_view text)
    : m_separator(SeparatorOf(text)), m_records(text, m_separator) {
    while (m_records.next(m_record)) {
        if (!m_record.blank()) {
            if (m_record.fault == TableRecord::Fault::kNone) {
                m_layout = LayoutOf(m_record.used(), m_record.line);
            }
            m_pending = !m_layout.header;
            return;
        }
    }
}

bool SampleRows::next(SampleRow& row, std::string& error) {
    do {
        if (!m_pending && !m_records.next(m_record)) {
            return false;
        }
        m_pending = false;
    } while (m_record.blank());
    row = SampleRow();
    row.line = m_record.line;
    error = RecordFault(m_record);
    if (error.empty()) {
        error = ReadSample(m_layout, m_record.used(), row);
    }
    if (m_records.restIsBlank()) {
        const SampleTotals& above = m_above.sums();
        const LastRow last =
            LastRowOf(m_layout, row, above.rows, above.defects, above.opportunities);
        if (last == LastRow::kPooled) {
            return false;
        }
        if (last == LastRow::kTotals && error.empty() && !m_above.refused()) {
            error = TotalsRowReason(row);
        }
    }
    if (!error.empty()) {
        error = RowReason("line " + std::to_string(row.line), error);
        m_above.refuse(error);
        return true;
    }
    m_above.add(row);
    return true;
}

SampleTotals CheckSamples(std::string_view text,
                          const std::function<void(const SampleRow&)>& good) {
    SampleRows rows(text);
    SampleTally tally;
    SampleRow row;
    std::string error;
    while (rows.next(row, error)) {
        if (!error.empty()) {
            tally.refuse(std::move(error));
            continue;
        }
        tally.add(row);
        if (good) {
            good(row);
        }
    }
    return tally.totals();
}

}  // namespace tallyvane
