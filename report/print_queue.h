#pragma once

#include <string>

namespace tallyvane {

// Whether the named print queue takes jobs now: it accepts them and is not stopped. Asks the
// print system where it can (CUPS, on Linux and macOS); elsewhere every queue counts as ready.
bool PrintQueueAcceptsJobs(const std::string& queue);

}  // namespace tallyvane
