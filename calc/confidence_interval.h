#pragma once

#include <optional>

namespace tallyvane {

struct SigmaInterval {
    double low;
    double high;
};

// The exact (Clopper-Pearson) two-sided 95% confidence interval of the process sigma level for
// `defects` observed in `opportunities`. Only for whole counts 1 <= D < O <= 2^53, where the
// binomial model applies; empty otherwise, for non-finite counts, where an end of the
// defect-fraction interval rounds to 0 or 1 in a double, and where Boost's beta inverse gives up
// (both beta parameters beyond about 10^10 with a defect fraction far from 0 and from 1/2).
std::optional<SigmaInterval> SigmaConfidenceInterval(double defects, double opportunities);

}  // namespace tallyvane
