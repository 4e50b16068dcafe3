#pragma once

namespace tallyvane {

// The maker's web site: the window title after "Tallyvane-", the link label's caption, and
// what a click on the label opens.
inline constexpr char kSiteAddress[] = "www.tallyvane.example";

}  // namespace tallyvane
