#include "report/report_rows.h"

#include <string_view>

#include "calc/number_text.h"

namespace tallyvane {
namespace {

// The spaces line the values of the first three lines up in column 41.
constexpr std::array<std::string_view, 6> kLabels{"Total number of defects observed       :",
                                                  "Total opportunities observed           :",
                                                  "Defects per Million Opportunities(DPMO):",
                                                  "Defects(%):",
                                                  "Yields(%) :",
                                                  "Process Sigma Level  :"};
constexpr std::array<int, 6> kEmptyRowsAfter{1, 1, 1, 1, 2, 0};

}  // namespace

std::vector<std::string> ReportRows(const ReportBoxes& boxes) {
    std::vector<std::string> rows;
    for (std::size_t line = 0; line < boxes.size(); ++line) {
        rows.push_back(std::string(kLabels[line]) + FormatTwoDecimals(boxes[line]));
        rows.resize(rows.size() + kEmptyRowsAfter[line]);
    }
    return rows;
}

}  // namespace tallyvane
