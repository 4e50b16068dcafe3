#pragma once

#include <array>
#include <string_view>

namespace tallyvane {

// The columns of a table of samples with its results, as every view and file shows them. A file
// with these headers reads back by its "Defects" and "Opportunities" columns.
inline constexpr std::array<std::string_view, 11> kSampleColumns{"Label",
                                                                 "Defects",
                                                                 "Opportunities",
                                                                 "DPMO",
                                                                 "Defects (%)",
                                                                 "Yield (%)",
                                                                 "Process Sigma Level",
                                                                 "Lower limit",
                                                                 "Upper limit",
                                                                 "Beyond the limits",
                                                                 "Warning"};

// Where the four results start: after the label and the two counts.
inline constexpr std::size_t kFirstResultColumn = 3;

// The label of the row of totals under the samples.
inline constexpr std::string_view kPooledLabel = "Pooled";

}  // namespace tallyvane
