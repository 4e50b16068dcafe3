#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace tallyvane {

// The columns of a table of samples with its results, as every view and file shows them. A file
// with these headers reads back by its "Defects" and "Opportunities" columns.
inline constexpr std::array<std::string_view, 12> kSampleColumns{"Label",
                                                                 "Defects",
                                                                 "Opportunities",
                                                                 "DPMO",
                                                                 "Defects (%)",
                                                                 "Yield (%)",
                                                                 "Process Sigma Level",
                                                                 "Lower limit",
                                                                 "Upper limit",
                                                                 "Beyond the limits",
                                                                 "Signals",
                                                                 "Warning"};

// The columns of a table of samples as Tallyvane writes it to a file: those above, then the ends
// of each result's 95% interval, the chart the row is judged on and that chart's centre.
inline constexpr auto kFileColumns = [] {
    constexpr std::array<std::string_view, 11> more{
        "DPMO low",      "DPMO high",      "Defects (%) low",         "Defects (%) high",
        "Yield (%) low", "Yield (%) high", "Process Sigma Level low", "Process Sigma Level high",
        "Chart",         "Centre",         "Signals in words"};
    std::array<std::string_view, kSampleColumns.size() + more.size()> all{};
    std::copy(more.begin(), more.end(),
              std::copy(kSampleColumns.begin(), kSampleColumns.end(), all.begin()));
    return all;
}();

// Where the four results start: after the label and the two counts.
inline constexpr std::size_t kFirstResultColumn = 3;
// The tests a row fails.
inline constexpr std::size_t kSignalsColumn = 10;

// The columns that a table's own rows name, which the text table and the CSV show after the
// counts where the table has them.
inline constexpr std::string_view kStageColumn = "Stage";
inline constexpr std::string_view kExcludedColumn = "Excluded";
// Why rows cannot be set aside, nor stages named, in a table read by the columns' places.
inline constexpr std::string_view kNamesNeeded =
    "Rows can be set aside, and stages named, where the header names the Defects and the "
    "Opportunities columns: name them in the header, and try again.";

// The label of the row of totals under the samples.
inline constexpr std::string_view kPooledLabel = "Pooled";

}  // namespace tallyvane
