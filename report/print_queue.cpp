#include "report/print_queue.h"

#include <QLibrary>
#include <cstring>

#if defined(Q_OS_WIN)
#include <windows.h>
#include <winspool.h>

#include <vector>
#elif TALLYVANE_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace tallyvane {

#if defined(Q_OS_WIN)
bool PrintQueueAcceptsJobs(const QString& queue) {
    // The spooler's own view of the printer: paused, in error, offline or being deleted.
    QLibrary spooler(QStringLiteral("winspool.drv"));
    const auto openPrinter =
        reinterpret_cast<decltype(&OpenPrinterW)>(spooler.resolve("OpenPrinterW"));
    const auto getPrinter =
        reinterpret_cast<decltype(&GetPrinterW)>(spooler.resolve("GetPrinterW"));
    const auto closePrinter =
        reinterpret_cast<decltype(&ClosePrinter)>(spooler.resolve("ClosePrinter"));
    if (!openPrinter || !getPrinter || !closePrinter) {
        return true;
    }
    std::wstring name = queue.toStdWString();
    HANDLE printer = nullptr;
    if (!openPrinter(name.data(), &printer, nullptr)) {
        return false;
    }
    DWORD size = 0;
    getPrinter(printer, 2, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    const bool read = size > 0 && getPrinter(printer, 2, buffer.data(), size, &size);
    closePrinter(printer);
    if (!read) {
        return true;  // no state to go by: Qt's print engine decides
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    constexpr DWORD kCannotPrint = PRINTER_STATUS_PAUSED | PRINTER_STATUS_ERROR |
                                   PRINTER_STATUS_PENDING_DELETION | PRINTER_STATUS_OFFLINE;
    return !(info->Status & kCannotPrint) && !(info->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE);
}
#elif TALLYVANE_HAVE_CUPS
bool PrintQueueAcceptsJobs(const QString& queue) {
    // libcups brings GnuTLS, Kerberos and Avahi along: it is loaded on the first print, not at
    // start. QLibrary leaves it loaded for the next one.
    QLibrary cups(QStringLiteral("cups"), 2);
    const auto getNamedDest =
        reinterpret_cast<decltype(&cupsGetNamedDest)>(cups.resolve("cupsGetNamedDest"));
    const auto getOption =
        reinterpret_cast<decltype(&cupsGetOption)>(cups.resolve("cupsGetOption"));
    const auto freeDests =
        reinterpret_cast<decltype(&cupsFreeDests)>(cups.resolve("cupsFreeDests"));
    if (!getNamedDest || !getOption || !freeDests) {
        return true;
    }
    cups_dest_t* dest = getNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest) {
        return false;
    }
    const char* accepting =
        getOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const char* state = getOption("printer-state", dest->num_options, dest->options);
    constexpr const char* kStopped = "5";  // IPP printer-state "stopped"
    const bool ready = !(accepting && std::strcmp(accepting, "false") == 0) &&
                       !(state && std::strcmp(state, kStopped) == 0);
    freeDests(1, dest);
    return ready;
}
#else
bool PrintQueueAcceptsJobs(const QString&) {
    return true;
}
#endif

}  // namespace tallyvane
