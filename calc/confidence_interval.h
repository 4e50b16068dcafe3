#pragma once

#include <array>
#include <optional>

namespace tallyvane {

// Whether D defects in O opportunities have an interval: whole counts 1 <= D < O <= 2^53.
bool HasConfidenceInterval(double defects, double opportunities);

// The quantiles whose values are the interval's ends, low end first: the 0.025 quantile of
// Beta(D, O - D + 1) and the 0.975 quantile of Beta(D + 1, O - D).
struct BetaQuantileOf {
    double a, b, p;
};
std::array<BetaQuantileOf, 2> ConfidenceIntervalEnds(double defects, double opportunities);

struct FractionInterval {
    double low;
    double high;
};

// The exact (Clopper-Pearson) 95% interval of the defect fraction D/O: low is the 0.025
// quantile of Beta(D, O - D + 1), high the 0.975 quantile of Beta(D + 1, O - D). Only for whole
// counts 1 <= D < O <= 2^53, where the binomial model applies; empty otherwise and for
// non-finite counts. An end within half an ulp of 1 comes out as 1.
std::optional<FractionInterval> DefectFractionConfidenceInterval(double defects,
                                                                 double opportunities);

struct SigmaInterval {
    double low;
    double high;
};

// The fraction's interval carried over to the process sigma level, 1.5 minus the normal quantile
// of each end, low end first. Empty where an end is 0 or 1 in a double (D = O - 1 near 2^53).
std::optional<SigmaInterval> SigmaConfidenceInterval(const FractionInterval& fraction);

// The same for counts: empty where the fraction's interval is.
std::optional<SigmaInterval> SigmaConfidenceInterval(double defects, double opportunities);

}  // namespace tallyvane
