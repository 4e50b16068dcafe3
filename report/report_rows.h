#pragma once

#include <array>
#include <string>
#include <vector>

namespace tallyvane {

// The texts of the six boxes at the moment Print Result is pressed: total defects, total
// opportunities, DPMO, defect %, yield %, sigma level.
using ReportBoxes = std::array<std::string, 6>;

// The report's page as rows of text from the top: six labelled lines, each box's text after its
// label in the mask "0.00" (unchanged where it does not read as a number), with one empty row
// after each of the first four lines and two before the last.
std::vector<std::string> ReportRows(const ReportBoxes& boxes);

}  // namespace tallyvane
