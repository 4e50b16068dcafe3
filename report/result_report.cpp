#include "report/result_report.h"

#include "calc/number_text.h"

namespace tallyvane {
namespace {

void PrintReportLine(ReportDevice& printer, const std::string& text) {
    printer.SetCurrentX(100);
    printer.Print(text);
}

}  // namespace

std::string ComposeReportLine(std::size_t line, std::string_view boxText) {
    return std::string(kReportLabels.at(line)) + FormatTwoDecimals(boxText);
}

void PrintResultReport(ReportDevice& printer, const ReportBoxes& boxes) {
    printer.Scale(0, 0, 850, 1000);
    printer.SetFontName("Courier New");
    printer.SetFontSize(12);
    printer.SetCurrentY(100);
    constexpr std::array<int, 6> kEmptyRowsAfter{1, 1, 1, 1, 2, 0};
    for (std::size_t line = 0; line < boxes.size(); ++line) {
        PrintReportLine(printer, ComposeReportLine(line, boxes[line]));
        for (int i = 0; i < kEmptyRowsAfter[line]; ++i) {
            printer.Print("");
        }
    }
    printer.EndDoc();
}

}  // namespace tallyvane
