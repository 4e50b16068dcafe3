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
inline constexpr std::string_view kSamplesNotInstalled =
    "The samples window is not installed: a part of Tallyvane is missing or damaged. Please "
    "reinstall Tallyvane.";
inline constexpr std::string_view kPrintingNotInstalled =
    "Printing is not installed: a part of Tallyvane is missing or damaged. Please reinstall "
    "Tallyvane. The report was not printed.";

// The page's own: its core could not start (%1 the browser's reason), and a print came before the
// core was there to make the report.
inline constexpr std::string_view kCoreNotStarted =
    "Tallyvane could not start its calculator in this browser (%1). Nothing was calculated or "
    "printed; press the button again to try once more.";
inline constexpr std::string_view kReportNotReady =
    "The report is not ready yet.\nPlease print again in a moment.";

}  // namespace tallyvane::warning
