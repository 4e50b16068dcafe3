#include "report/print_queue.h"

#include <QLibrary>
#include <cstring>

#if TALLYVANE_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace tallyvane {

#if TALLYVANE_HAVE_CUPS
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
