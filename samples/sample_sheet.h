#pragma once

#include <optional>
#include <string>
#include <vector>

#include "samples/sample_cells.h"
#include "samples/samples_analysis.h"

namespace tallyvane {

// A table of samples read whole and kept, for a view that shows any of its rows at any time:
// every row, good or bad, and, once every row is good, the summary, each row's figures, the
// chart and the CSV, the same as the command line writes. Bad input is never an exception here.
class SampleSheet {
public:
    explicit SampleSheet(std::string bytes);

    std::size_t size() const { return m_rows.size(); }
    // Why the table gives no figures (a sentence for the file, or its bad lines); none when it
    // does.
    const std::vector<std::string>& reasons() const { return m_reasons; }
    // What is wrong with a row, its line first; empty for a good one.
    const std::string& error(std::size_t i) const { return m_errors[i]; }
    const std::optional<SamplesSummary>& summary() const { return m_summary; }

    // A row as read; a bad row's counts are those read before its fault.
    SampleRow row(std::size_t i) const;
    // A good row's figures, when the table has a summary.
    SampleResult result(std::size_t i) const;
    // A row's texts, limits in percent: with its figures when the table has a summary, else
    // its label and, for a good row, its counts.
    SampleTexts texts(std::size_t i) const;
    // The pooled row's texts; no cells without a summary.
    SampleTexts pooledTexts() const;
    // The chart and the CSV, when the table has a summary.
    std::string svg() const;
    std::string csv() const;

private:
    std::vector<SampleRow> m_rows;  // their labels are in m_labels
    std::vector<std::string> m_labels, m_errors, m_reasons;
    std::optional<SamplesSummary> m_summary;
};

}  // namespace tallyvane
