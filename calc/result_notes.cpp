#include "calc/result_notes.h"

#include <optional>

#include "calc/confidence_interval.h"
#include "calc/number_text.h"
#include "calc/zero_defect_bound.h"

namespace tallyvane {
namespace {

std::string Range(const std::string& low, const std::string& high) {
    return "95% confidence interval: " + low + " to " + high;
}

std::string Dpmo(double fraction) {
    return PlainTextOfThreeDigits(fraction * 1e6);
}

}  // namespace

std::array<std::string, 4> ResultNotes(double defects, double opportunities) {
    if (defects == 0.0) {
        const std::optional<double> q = ZeroDefectFractionBound(opportunities);
        if (!q) {
            return {};
        }
        return {"95% upper confidence bound: " + Dpmo(*q),
                "95% upper confidence bound: " + FormatPercent(*q),
                "95% lower confidence bound: " + FormatPercent(1.0 - *q),
                "No defects were observed: this is the 95% lower confidence bound of the sigma "
                "level."};
    }
    const std::optional<FractionInterval> f =
        DefectFractionConfidenceInterval(defects, opportunities);
    if (!f) {
        return {};
    }
    std::array<std::string, 4> notes{
        Range(Dpmo(f->low), Dpmo(f->high)),
        Range(FormatPercent(f->low), FormatPercent(f->high)),
        Range(FormatPercent(1.0 - f->high), FormatPercent(1.0 - f->low)),
        {}};
    if (const std::optional<SigmaInterval> sigma = SigmaConfidenceInterval(*f)) {
        notes[3] = Range(FormatTwoDecimals(sigma->low), FormatTwoDecimals(sigma->high));
    }
    return notes;
}

}  // namespace tallyvane
