#include "report/print_queue.h"

#if TALLYVANE_HAVE_CUPS
#include <cups/cups.h>

#include <cstring>
#endif

namespace tallyvane {

#if TALLYVANE_HAVE_CUPS
bool PrintQueueAcceptsJobs(const std::string& queue) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (!dest) {
        return false;
    }
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    constexpr const char* kStopped = "5";  // IPP printer-state "stopped"
    const bool ready = !(accepting && std::strcmp(accepting, "false") == 0) &&
                       !(state && std::strcmp(state, kStopped) == 0);
    cupsFreeDests(1, dest);
    return ready;
}
#else
bool PrintQueueAcceptsJobs(const std::string&) {
    return true;
}
#endif

}  // namespace tallyvane
