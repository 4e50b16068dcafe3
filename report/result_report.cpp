#include "report/result_report.h"

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

void PrintReportLine(ReportDevice& printer, const std::string& text) {
    printer.SetCurrentX(100);
    printer.Print(text);
}

}  // namespace

void PrintResultReport(ReportDevice& printer, const ReportBoxes& boxes) {
    printer.Scale(0, 0, 850, 1000);
    printer.SetFontName("Courier New");
    printer.SetFontSize(12);
    printer.SetCurrentY(100);
    for (std::size_t line = 0; line < boxes.size(); ++line) {
        PrintReportLine(printer, std::string(kLabels[line]) + FormatTwoDecimals(boxes[line]));
        for (int i = 0; i < kEmptyRowsAfter[line]; ++i) {
            printer.Print("");
        }
    }
    printer.EndDoc();
}

}  // namespace tallyvane
