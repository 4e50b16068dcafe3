#include "report/page_printer.h"

#include <QCoreApplication>
#include <QLibrary>

#include "calc/warning_texts.h"
#include "report/print_failure.h"

namespace tallyvane {

// Qt Print Support, and the print system behind it, come into the process with the module on the
// first print; QLibrary keeps it loaded for the next one.
void PrintPage(const std::vector<std::string>& rows, const QString& docName) {
    using Entry = void (*)(const std::vector<std::string>&, const QString&, std::string&);
    QLibrary module(QCoreApplication::applicationDirPath() +
                    QStringLiteral("/" TALLYVANE_PRINTER_DIR "/tallyvane_printer"));
    const auto print = reinterpret_cast<Entry>(module.resolve("TallyvanePrintPage"));
    if (!print) {
        throw PrintFailure(std::string(warning::kReportNotPrinted));
    }
    std::string failure;
    print(rows, docName, failure);
    if (!failure.empty()) {
        throw PrintFailure(failure);
    }
}

}  // namespace tallyvane
