#pragma once

#include <array>
#include <string>
#include <string_view>

#include "report/report_device.h"

namespace tallyvane {

// The texts of the six boxes at the moment Print Result is pressed: total defects, total
// opportunities, DPMO, defect %, yield %, sigma level.
using ReportBoxes = std::array<std::string, 6>;

inline constexpr std::array<std::string_view, 6> kReportLabels{
    "Total number of defects observed       :",
    "Total opportunities observed           :",
    "Defects per Million Opportunities(DPMO):",
    "Defects(%):",
    "Yields(%) :",
    "Process Sigma Level  :"};

// One labelled line: the label, then the box's text in the mask "0.00" (a text that does not
// read as a number follows its label unchanged).
std::string ComposeReportLine(std::size_t line, std::string_view boxText);

// One page, six labelled lines in Courier New 12 points from y = 100 of an 850 x 1000 scale,
// one empty row between lines and two before the last. Throws PrintFailure, leaving the
// document to the device to abandon.
void PrintResultReport(ReportDevice& printer, const ReportBoxes& boxes);

}  // namespace tallyvane
