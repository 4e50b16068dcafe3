#pragma once

#include <QString>

namespace tallyvane {

// Whether the named print queue takes jobs now: it accepts them and is not stopped, paused or
// offline. Asks the print system, loaded only when asked (CUPS, or the Windows spooler); where
// it cannot, every queue counts as ready and Qt's print engine has the last word.
bool PrintQueueAcceptsJobs(const QString& queue);

}  // namespace tallyvane
