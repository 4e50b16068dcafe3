#include "samples/sample_sheet.h"

#include "samples/chart_drawing.h"
#include "samples/sample_cells.h"
#include "samples/sample_columns.h"
#include "samples/sample_plan.h"
#include "samples/table_refused.h"
#include "samples/text_decoding.h"

namespace tallyvane {

SampleSheet::SampleSheet(std::string bytes) {
    std::string text;
    try {
        text = DecodeText(std::move(bytes));
    } catch (const TableRefused& e) {
        m_reasons = e.reasons();
        return;
    }
    SampleRows rows(text);
    SampleRow row;
    std::string error;
    while (rows.next(row, error)) {
        m_labels.emplace_back(row.label);
        m_rows.push_back(row);
        m_errors.push_back(error);
    }
    try {
        const SampleTotals totals = CheckSamples(text);
        ChartChooser chooser(totals);
        for (const SampleRow& r : m_rows) {
            chooser.add(r);
        }
        m_summary = SamplesSummary{totals, chooser.chart(),
                                   SamplePlan(totals.defects, totals.opportunities)};
    } catch (const TableRefused& e) {
        m_reasons = e.reasons();
    }
}

SampleRow SampleSheet::row(std::size_t i) const {
    SampleRow r = m_rows[i];
    r.label = m_labels[i];
    return r;
}

SampleResult SampleSheet::result(std::size_t i) const {
    return SampleResultOf(m_summary->chart, row(i));
}

SampleTexts SampleSheet::texts(std::size_t i) const {
    if (m_summary) {
        const SampleResult r = result(i);
        return TextsOf(SampleCells(r.row.label, r.row.defects, r.row.opportunities, r.plan,
                                   r.limits, LimitText::kPercent),
                       r.plan);
    }
    const bool good = m_errors[i].empty();
    return TextsOf({m_labels[i], good ? std::to_string(m_rows[i].defects) : "",
                    good ? std::to_string(m_rows[i].opportunities) : ""});
}

SampleTexts SampleSheet::pooledTexts() const {
    if (!m_summary) {
        return {};
    }
    const SampleTotals& totals = m_summary->totals;
    return TextsOf(SampleCells(kPooledLabel, totals.defects, totals.opportunities,
                               m_summary->pooled, std::nullopt, LimitText::kPercent),
                   m_summary->pooled);
}

std::string SampleSheet::svg() const {
    ChartDrawing drawing(*m_summary);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const SampleRow& r = m_rows[i];
        drawing.add(SampleResult{row(i),
                                 {},
                                 Proportion(r.defects, r.opportunities),
                                 LimitsOf(m_summary->chart, r.defects, r.opportunities)});
    }
    return drawing.svg();
}

std::string SampleSheet::csv() const {
    std::string csv = CsvLine({kSampleColumns.begin(), kSampleColumns.end()}) + "\n";
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const SampleResult r = result(i);
        csv += CsvLine(SampleCells(r.row.label, r.row.defects, r.row.opportunities, r.plan,
                                   r.limits, LimitText::kShortest));
        csv += '\n';
    }
    const SampleTotals& totals = m_summary->totals;
    csv += CsvLine(SampleCells(kPooledLabel, totals.defects, totals.opportunities,
                               m_summary->pooled, std::nullopt, LimitText::kShortest));
    csv += '\n';
    return csv;
}

}  // namespace tallyvane
