#pragma once

#include <optional>
#include <string>

namespace tallyvane {

// With no defects seen in `opportunities` trials, the defect fraction is at most
// q = 1 - 0.05^(1/O) with 95% confidence (exact binomial). Empty unless O is a whole number of
// at least one: a binomial bound needs whole trials.
std::optional<double> ZeroDefectFractionBound(double opportunities);

// The process sigma level is then at least 1.5 - NormSInv(q). Empty where no finite bound
// exists.
std::optional<double> ZeroDefectSigmaBound(double opportunities);

// The sigma bound in the mask "0.00", or an empty text where there is none.
std::string ZeroDefectSigmaBoundText(double opportunities);

}  // namespace tallyvane
