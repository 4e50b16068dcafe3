#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/number_reading.h"

namespace tallyvane {

// What the Calculate button does to the window for two input texts, decided without a window.
struct CalculatePlan {
    // A prompt for the modal warning box; empty for none.
    std::string warning;
    // Enlarge the window, write `texts` into the four result boxes in order, reveal the results.
    bool showResults = false;
    std::array<std::string, 4> texts;  // DPMO, defect %, yield %, sigma level
    // Each result box's tooltip and accessible description, in the same order; empty for none.
    std::array<std::string, 4> notes;
    // The ends of the intervals that the notes give, low end first; empty where there are none.
    std::array<std::array<std::string, 2>, 4> intervals;
};

// A warning from the checks changes nothing else. A calculation whose counts turn out invalid
// still enlarges the window, but empties the result boxes before the warning shows, so that no
// figure derived from an invalid count stays on show. Zero defects is good news, not an error:
// the sigma box shows the lower confidence bound where the counts are whole, and stays empty
// where they are not.
CalculatePlan PlanCalculate(std::string_view defects, std::string_view opportunities);

// The same on counts already read.
CalculatePlan PlanCalculate(const Count& defects, const Count& opportunities);

}  // namespace tallyvane
