#include "report/report_rows.h"

#include <gtest/gtest.h>

namespace tallyvane {
namespace {

// Each box after its own label in the mask "0.00", a text that is no number as it stands; one
// empty row after each of the first four lines, two before the last.
TEST(ReportRows, WorkedExample) {
    std::string page;
    for (const std::string& row :
         ReportRows({"7", "1500", "4666.66666666667", "0.47%", "99.53%", "4.10"}))
        page += row + "\n";
    EXPECT_EQ(page,
              "Total number of defects observed       :7.00\n\n"
              "Total opportunities observed           :1500.00\n\n"
              "Defects per Million Opportunities(DPMO):4666.67\n\n"
              "Defects(%):0.47%\n\n"
              "Yields(%) :99.53%\n\n\n"
              "Process Sigma Level  :4.10\n");
}

}  // namespace
}  // namespace tallyvane
