#pragma once

namespace tallyvane {

// Screen readers see the site link as a link with a press action that opens the site, and the
// main window as a window. Safe to call more than once.
void InstallAccessibleRoles();

}  // namespace tallyvane
