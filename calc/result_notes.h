#pragma once

#include <array>
#include <string>

namespace tallyvane {

// What each result box tells of its own uncertainty, as its tooltip and accessible description,
// after an accepted calculation of `defects` in `opportunities`: DPMO, defect %, yield %, sigma
// level. Whole counts with defects get the exact 95% confidence interval of each result, no
// defects the one-sided 95% bound; other counts get empty notes.
std::array<std::string, 4> ResultNotes(double defects, double opportunities);

// The ends of the same intervals, each low end first as the notes write them: DPMO, defect %,
// yield %, sigma level. A one-sided bound has one end, and an end that is none is empty.
using ResultIntervals = std::array<std::array<std::string, 2>, 4>;
ResultIntervals IntervalsOfResults(double defects, double opportunities);

// The notes that the intervals make.
std::array<std::string, 4> NotesOfIntervals(const ResultIntervals& intervals, bool noDefects);

}  // namespace tallyvane
