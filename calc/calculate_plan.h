#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tallyvane {

// What the Calculate button does to the window for two input texts, decided without a window.
struct CalculatePlan {
    // A prompt for the modal warning box; empty for none.
    std::string warning;
    // Enlarge the window, write `texts` into the four result boxes in order, reveal the results.
    bool showResults = false;
    std::array<std::string, 4> texts;  // DPMO, defect %, yield %, sigma level
    // The sigma text is a 95% lower confidence bound (no defects were observed).
    bool sigmaIsLowerBound = false;
    // The sigma level's exact 95% confidence interval in the mask "0.00", low end first;
    // empty texts where the counts are not whole numbers the binomial model fits.
    std::array<std::string, 2> sigmaInterval;
};

// A warning from the checks changes nothing else. A calculation whose counts turn out invalid
// still enlarges the window, but empties the result boxes before the warning shows, so that no
// figure derived from an invalid count stays on show. Zero defects is good news, not an error:
// the sigma box shows the lower confidence bound.
CalculatePlan PlanCalculate(std::string_view defects, std::string_view opportunities);

}  // namespace tallyvane
