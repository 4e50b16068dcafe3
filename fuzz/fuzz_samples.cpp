// The table reader and the analysis on arbitrary bytes. Each check is an invariant that every
// input keeps; a broken one aborts, so that the fuzzer keeps the input.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "samples/chart_drawing.h"
#include "samples/table_refused.h"
#include "samples/text_decoding.h"

namespace {

void Check(bool invariant) {
    if (!invariant)
        std::abort();
}

}  // namespace

// Refused with one to 21 reasons, or every row analysed once, in order, within its limits'
// verdict, and a drawing of bounded size.
int FuzzSampleTable(const std::uint8_t* data, std::size_t size) {
    try {
        const std::string text =
            tallyvane::DecodeTable(std::string(reinterpret_cast<const char*>(data), size)).text;
        std::size_t rows = 0, lastLine = 0, expected = 0;
        std::optional<tallyvane::ChartDrawing> drawing;
        tallyvane::AnalyseSamples(
            text,
            [&](const tallyvane::SamplesSummary& s) {
                expected = s.totals.rows;
                Check(s.totals.defects <= s.totals.opportunities);
                Check(s.chart.centre >= 0.0 && s.chart.centre <= 1.0);
                drawing.emplace(s);
            },
            [](const tallyvane::SampleResult&) { return std::string(); },
            [&](const tallyvane::SampleResult& r, const std::string&) {
                Check(r.row.line > lastLine && r.row.defects <= r.row.opportunities);
                Check(r.limits.lower <= r.limits.upper &&
                      r.limits.beyond ==
                          (r.proportion < r.limits.lower || r.proportion > r.limits.upper));
                lastLine = r.row.line;
                ++rows;
                drawing->add(r);
            });
        Check(rows == expected && drawing->svg().size() < 200000);
    } catch (const tallyvane::TableRefused& e) {
        Check(!e.reasons().empty() && e.reasons().size() <= 21);
    }
    return 0;
}

#ifdef TALLYVANE_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzSampleTable(data, size);
}
#endif
