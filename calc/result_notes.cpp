#include "calc/result_notes.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

#include "calc/confidence_interval.h"
#include "calc/number_text.h"
#include "calc/rounding_edges.h"
#include "calc/zero_defect_bound.h"
#include "stats/beta_quantile.h"
#include "stats/normsinv.h"

namespace tallyvane {
namespace {

std::string Range(const std::string& low, const std::string& high) {
    return "95% confidence interval: " + low + " to " + high;
}

std::string Dpmo(double fraction) {
    return PlainTextOfThreeDigits(fraction * 1e6);
}

// What one end of the defect fraction's interval writes into the notes. Each text is a
// monotone function of the fraction.
struct EndTexts {
    std::string dpmo, percent, yield, sigma;  // no sigma level at a fraction of 0 or 1
    bool operator==(const EndTexts&) const = default;
};

EndTexts TextsAt(double fraction) {
    EndTexts texts{Dpmo(fraction), FormatPercent(fraction), FormatPercent(1.0 - fraction), {}};
    try {
        texts.sigma = FormatTwoDecimals(1.5 - NormSInv(fraction));
    } catch (const std::exception&) {
    }
    return texts;
}

// Bounds the quick quantile's relative distance from the precise one with a wide margin: the
// largest seen over the counts that the notes meet is about 1e-13.
constexpr double kQuickError = 1e-9;

// The texts of the interval's end at a quantile, exactly those of the precise quantile: the
// quick quantile's where no text can change within its error, which the precise quantile lies
// in, and the precise quantile's otherwise, near a rounding edge. Throws std::exception where the
// quantile cannot be evaluated.
EndTexts EndOfInterval(const BetaQuantileOf& end) {
    const auto [a, b, p] = end;
    try {
        const double quick = QuickBetaQuantile(a, b, p);
        if (NoteTextsHoldWithin(quick, quick * kQuickError)) {
            return TextsAt(quick);
        }
    } catch (const std::exception&) {
    }
    return TextsAt(BetaQuantile(a, b, p));
}

}  // namespace

ResultIntervals IntervalsOfResults(double defects, double opportunities) {
    ResultIntervals ends;
    if (defects == 0.0) {
        if (const std::optional<double> q = ZeroDefectFractionBound(opportunities)) {
            ends[0][1] = Dpmo(*q);
            ends[1][1] = FormatPercent(*q);
            ends[2][0] = FormatPercent(1.0 - *q);
            ends[3][0] = ZeroDefectSigmaBoundText(opportunities);
        }
        return ends;
    }
    if (!HasConfidenceInterval(defects, opportunities)) {
        return ends;
    }
    try {
        const auto [lowEnd, highEnd] = ConfidenceIntervalEnds(defects, opportunities);
        const EndTexts low = EndOfInterval(lowEnd), high = EndOfInterval(highEnd);
        ends[0] = {low.dpmo, high.dpmo};
        ends[1] = {low.percent, high.percent};
        ends[2] = {high.yield, low.yield};
        if (!low.sigma.empty() && !high.sigma.empty()) {
            ends[3] = {high.sigma, low.sigma};
        }
    } catch (const std::exception&) {
        ends = {};
    }
    return ends;
}

std::array<std::string, 4> NotesOfIntervals(const ResultIntervals& intervals, bool noDefects) {
    const auto& [dpmo, percent, yield, sigma] = intervals;
    if (noDefects) {
        if (dpmo[1].empty()) {
            return {};
        }
        return {"95% upper confidence bound: " + dpmo[1],
                "95% upper confidence bound: " + percent[1],
                "95% lower confidence bound: " + yield[0],
                "No defects were observed: this is the 95% lower confidence bound of the sigma "
                "level."};
    }
    std::array<std::string, 4> notes;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (!intervals[i][0].empty()) {
            notes[i] = Range(intervals[i][0], intervals[i][1]);
        }
    }
    return notes;
}

std::array<std::string, 4> ResultNotes(double defects, double opportunities) {
    return NotesOfIntervals(IntervalsOfResults(defects, opportunities), defects == 0.0);
}

}  // namespace tallyvane
