#pragma once

#include <array>
#include <string>

namespace tallyvane {

// What each result box tells of its own uncertainty, as its tooltip and accessible description,
// after an accepted calculation of `defects` in `opportunities`: DPMO, defect %, yield %, sigma
// level. Whole counts with defects get the exact 95% confidence interval of each result, no
// defects the one-sided 95% bound; other counts get empty notes.
std::array<std::string, 4> ResultNotes(double defects, double opportunities);

}  // namespace tallyvane
