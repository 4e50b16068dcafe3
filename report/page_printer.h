#pragma once

#include <QString>

#include <string>
#include <vector>
#include "samples/chart_scene.h"

namespace tallyvane {

// Prints `rows` as one page on the system's default printer, without a dialog and on that
// printer's own default paper: Courier New 12 pt, one row under the other, the first with its
// top-left corner at (100, 100) of an 850 x 1000 grid laid over the paper's printable area.
// Throws PrintFailure when there is no default printer or it cannot take the document; nothing
// is sent then.
void PrintPage(const std::vector<std::string>& rows, const QString& docName);

// The same through the printer module at `modulePath`. Where it cannot be loaded, the loader's
// reason goes to the log and the PrintFailure says that printing is not installed.
void PrintPage(const QString& modulePath, const std::vector<std::string>& rows,
               const QString& docName);

// Prints a table's rows in Courier New 8 pt, page after page, and its chart under them, through
// the printer module. Throws PrintFailure as PrintPage does.
void PrintTable(const std::vector<std::string>& rows, const ChartScene& chart,
                const QString& docName);

}  // namespace tallyvane
