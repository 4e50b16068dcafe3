#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "samples/sample_layout.h"
#include "samples/table_records.h"

namespace tallyvane {

// The largest count, and the largest total, that a double holds exactly: 2^53.
inline constexpr std::uint64_t kLargestCount = std::uint64_t{1} << 53;

// One sample: a row of a table, read.
struct SampleRow {
    std::size_t line = 0;    // where the row starts, from 1
    std::string_view label;  // "" where there is none; valid as long as the fields it came from
    std::uint64_t defects = 0;
    std::uint64_t opportunities = 0;
    // The two counts as written, trimmed, valid as the label is.
    std::string_view defectsText, opportunitiesText;
    // Its stage, and why it is set aside, trimmed: a row with a reason counts in no figure of
    // its stage, but is still judged against its limits.
    std::string_view stage, excluded;

    bool setAside() const { return !excluded.empty(); }
};

// A field, trimmed; empty where there is no such column.
std::string_view FieldOf(std::span<const std::string> fields, std::optional<std::size_t> column);

// The sample that a row's fields hold under the layout, into `row`; or what is wrong with the
// row, in the table's own words: counts are whole numbers in digits, 0 <= defects <=
// opportunities, 1 <= opportunities <= 2^53, and a row is no wider than a header that names the
// columns; trailing empty fields are ignored.
std::string ReadSample(const SampleLayout& layout, std::span<const std::string> fields,
                       SampleRow& row);

// What is wrong with a record before its fields are read: a quote never closed, too many fields.
std::string RecordFault(const TableRecord& record);

// What the last row that is not blank is, given the good rows above it. Where the table is
// Tallyvane's own, a row "Pooled" is its totals, made again from the rows and never read; a row
// whose counts are the totals of two or more rows above it, whatever its label, is refused: the
// totals would be counted twice.
enum class LastRow { kSample, kPooled, kTotals };
LastRow LastRowOf(const SampleLayout& layout, const SampleRow& row, std::size_t rowsAbove,
                  std::uint64_t defectsAbove, std::uint64_t opportunitiesAbove);
std::string TotalsRowReason(const SampleRow& row);

// A row's fault after where it stands: "line 14: defects (12) exceed opportunities (10)".
std::string RowReason(std::string_view where, std::string_view reason);

// The totals of a table whose every row is good.
struct SampleTotals {
    std::size_t rows = 0;
    std::size_t setAside = 0;  // of the rows; the counts are then the others'

    std::size_t counted() const { return rows - setAside; }
    std::uint64_t defects = 0;
    std::uint64_t opportunities = 0;
};

// Every row's verdict gathered into the table's.
class SampleTally {
public:
    void add(const SampleRow& row);
    // A bad row's reason, where it stands first.
    void refuse(std::string reason);
    bool refused() const { return m_named > 0; }
    const SampleTotals& sums() const { return m_totals; }
    // The totals; throws TableRefused naming the bad rows (at most 20, then how many more), for
    // a table without rows, and for totals past 2^53.
    SampleTotals totals() const;

private:
    SampleTotals m_totals;
    std::vector<std::string> m_reasons;
    std::size_t m_named = 0;
    bool m_tooLarge = false;
};

// The rows of a table of samples in UTF-8 text, one at a time: blank records are no rows, the
// header is read apart, and Tallyvane's own pooled row is passed over.
class SampleRows {
public:
    // The text must outlive this reader. Throws TableRefused as LayoutOf does.
    explicit SampleRows(std::string_view text);

    // The next row into `row`, true; false at the end. A bad row gives true with `error` set to
    // what is wrong with it, its line first ("line 14: ..."); a good one clears `error`.
    bool next(SampleRow& row, std::string& error);

    char separator() const { return m_separator; }
    const SampleLayout& layout() const { return m_layout; }

private:
    char m_separator;
    TableRecords m_records;
    TableRecord m_record;
    SampleLayout m_layout;
    bool m_pending = false;  // m_record holds the first row, read for the layout
    SampleTally m_above;
};

// Every row of the table checked, each good one handed to `good` in order, and its totals;
// throws TableRefused as SampleTally does.
SampleTotals CheckSamples(std::string_view text,
                          const std::function<void(const SampleRow&)>& good = {});

}  // namespace tallyvane
