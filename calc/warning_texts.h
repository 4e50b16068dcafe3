#pragma once

#include <string_view>

// Every text the warning box can show.
namespace tallyvane::warning {

// The warning box's title.
inline constexpr std::string_view kTitle = "Warning";

inline constexpr std::string_view kBothMissing = "Please enter Defects and Opportunities Values";
inline constexpr std::string_view kOpportunitiesMissing = "Please enter Opportunities Values";
inline constexpr std::string_view kDefectsMissing = "Please enter Defects Values";
inline constexpr std::string_view kDefectsExceed = "Defects can not be bigger than opportunities!";
inline constexpr std::string_view kSigmaZero = "Your sigma level is 0";
inline constexpr std::string_view kInvalidCounts =
    "Please enter valid Defects and Opportunities Values";
inline constexpr std::string_view kNegativeCounts =
    "Defects and opportunities can not be negative!";
inline constexpr std::string_view kNoDefaultPrinter =
    "No default printer is set up. The report was not printed.";
inline constexpr std::string_view kReportNotPrinted = "The report could not be printed.";
inline constexpr std::string_view kPrintingNotInstalled =
    "Printing is not installed: a part of Tallyvane is missing or damaged. Please reinstall "
    "Tallyvane. The report was not printed.";

}  // namespace tallyvane::warning
