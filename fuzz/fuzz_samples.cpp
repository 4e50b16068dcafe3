// The table reader, the analysis and the window's sheet on arbitrary bytes. Each check is an
// invariant that every input keeps; a broken one aborts, so that the fuzzer keeps the input.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "samples/chart_drawing.h"
#include "samples/sample_sheet.h"
#include "samples/table_refused.h"
#include "samples/text_decoding.h"

namespace {

using tallyvane::SampleSheet;

void Check(bool invariant) {
    if (!invariant)
        std::abort();
}

// Every row that is not blank is a sample or a named fault, and the sheet has figures exactly
// when every such row is a sample and there is one.
void CheckRows(const SampleSheet& sheet) {
    std::size_t samples = 0, faults = 0;
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        Check(sheet.isSample(i) || sheet.error(i).empty());
        if (sheet.isSample(i))
            ++(sheet.error(i).empty() ? samples : faults);
    }
    const auto& summary = sheet.summary();
    Check(summary.has_value() == sheet.reasons().empty());
    Check(summary ? faults == 0 && summary->totals.rows == samples
                  : faults > 0 || samples <= 1 || !sheet.reasons().empty());
}

// The window's sheet of the same bytes: the command line's verdict, totals and reasons, and its
// rows kept so through the window's edits (a row moved to the end, a blank row added).
void CheckSheet(std::string bytes, const std::optional<tallyvane::SampleTotals>& totals,
                const std::vector<std::string>& reasons) {
    SampleSheet sheet(std::move(bytes));
    CheckRows(sheet);
    Check(sheet.summary().has_value() == totals.has_value());
    if (totals)
        Check(sheet.summary()->totals.defects == totals->defects &&
              sheet.summary()->totals.opportunities == totals->opportunities &&
              sheet.summary()->totals.rows == totals->rows);
    else
        Check(sheet.reasons() == reasons);
    if (sheet.size() > 0) {
        const tallyvane::SampleCellsRow first = sheet.cells(0);
        sheet.numberByPlace();
        sheet.alignCounts();
        sheet.replaceRows(0, 1, {});
        sheet.replaceRows(sheet.size(), 0, {first, {}});
        CheckRows(sheet);
    }
}

}  // namespace

// Refused with one to 21 reasons, or every row analysed once, in order, within its limits'
// verdict, and a drawing of bounded size; and the window's sheet agrees.
int FuzzSampleTable(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::optional<tallyvane::SampleTotals> totals;
    std::vector<std::string> reasons;
    try {
        const std::string text = tallyvane::DecodeTable(bytes).text;
        std::size_t rows = 0, lastLine = 0, expected = 0;
        std::optional<tallyvane::ChartDrawing> drawing;
        tallyvane::AnalyseSamples(
            text, tallyvane::kAllTests,
            [&](const tallyvane::SamplesSummary& s) {
                expected = s.totals.rows;
                totals = s.totals;
                Check(s.totals.defects <= s.totals.opportunities);
                Check(s.stages.front().chart.centre >= 0.0 && s.stages.back().chart.centre <= 1.0);
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
        reasons = e.reasons();
    }
    CheckSheet(bytes, totals, reasons);
    return 0;
}

#ifdef TALLYVANE_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzSampleTable(data, size);
}
#endif
