#include "report/page_printer.h"

#include <QCoreApplication>
#include <QLibrary>
#include <array>

#include "calc/warning_texts.h"
#include "report/print_failure.h"
#include "report/printer_entry.h"

namespace tallyvane {

namespace {

QString ModulePath() {
    return QCoreApplication::applicationDirPath() +
           QStringLiteral("/" TALLYVANE_MODULE_DIR "/tallyvane_printer");
}

// Qt Print Support, and the print system behind it, come into the process with the module on the
// first print; QLibrary keeps it loaded for the next one.
void PrintThrough(const QString& modulePath, const std::vector<std::string>& rows, double pointSize,
                  const ChartScene* chart, const QString& docName) {
    QLibrary module(modulePath);
    const auto print =
        reinterpret_cast<decltype(&tallyvane_print_report)>(module.resolve(kPrintReportEntry));
    if (!print) {
        // A fault of the installation, not of the printer: the loader's reason is for whoever
        // mends it.
        qWarning("Cannot load the printer module: %s", qUtf8Printable(module.errorString()));
        throw PrintFailure(std::string(warning::kPrintingNotInstalled));
    }
    std::vector<const char*> texts;
    for (const std::string& row : rows) {
        texts.push_back(row.c_str());
    }
    std::array<char, 1024> failure{};
    if (print(texts.data(), texts.size(), pointSize, chart, docName.toUtf8().constData(),
              failure.data(), failure.size()) != 0) {
        throw PrintFailure(failure.data());
    }
}

}  // namespace

void PrintPage(const std::vector<std::string>& rows, const QString& docName) {
    PrintPage(ModulePath(), rows, docName);
}

void PrintPage(const QString& modulePath, const std::vector<std::string>& rows,
               const QString& docName) {
    PrintThrough(modulePath, rows, 12, nullptr, docName);
}

void PrintTable(const std::vector<std::string>& rows, const ChartScene& chart,
                const QString& docName) {
    PrintThrough(ModulePath(), rows, 8, chart.empty() ? nullptr : &chart, docName);
}

}  // namespace tallyvane
