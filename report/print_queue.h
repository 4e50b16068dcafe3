#pragma once

#include <QString>

namespace tallyvane {

// Whether the named print queue takes jobs now: it accepts them and is not stopped. Asks the
// print system where it can (CUPS, loaded only when asked); where it cannot, every queue counts
// as ready and Qt's print engine has the last word.
bool PrintQueueAcceptsJobs(const QString& queue);

}  // namespace tallyvane
