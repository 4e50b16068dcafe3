#pragma once

#include <array>
#include <string>

#include "report/report_device.h"

namespace tallyvane {

// The texts of the six boxes at the moment Print Result is pressed: total defects, total
// opportunities, DPMO, defect %, yield %, sigma level.
using ReportBoxes = std::array<std::string, 6>;

// One page, six labelled lines in Courier New 12 points from y = 100 of an 850 x 1000 scale,
// one empty row between lines and two before the last. Each box's text follows its label in
// the mask "0.00", or unchanged where it does not read as a number. Throws PrintFailure,
// leaving the document to the device to abandon.
void PrintResultReport(ReportDevice& printer, const ReportBoxes& boxes);

}  // namespace tallyvane
