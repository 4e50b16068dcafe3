#include "samples/chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "calc/double_chars.h"
#include "calc/xml_text.h"
#include "samples/sample_cells.h"

namespace tallyvane {
namespace {

constexpr std::size_t kMostColumns = 400;
constexpr std::size_t kMostLabels = 16;
constexpr double kWidth = 800, kHeight = 420;
constexpr double kLeft = 70, kRight = 20, kTop = 44, kBottom = 96;
constexpr double kPlotWidth = kWidth - kLeft - kRight, kPlotHeight = kHeight - kTop - kBottom;

// A coordinate to a tenth of a pixel: all the drawing needs, and the same text everywhere.
std::string N(double v) {
    const long long tenths = std::llround(v * 10.0);
    const long long magnitude = tenths < 0 ? -tenths : tenths;
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    if (magnitude % 10 != 0) {
        text += '.';
        text += std::to_string(magnitude % 10);
    }
    return text;
}

// A path's command and its point: "M70 44".
std::string At(char command, double x, double y) {
    std::string text(1, command);
    text += N(x);
    text += ' ';
    text += N(y);
    return text;
}

std::string Percent(double fraction) {
    return GeneralChars(fraction * 100.0, 4) + "%";
}

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about five.
double TickStep(double span) {
    const double raw = span / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) {
            return m * power;
        }
    }
    return 10.0 * power;
}

}  // namespace

ChartDrawing::ChartDrawing(const SamplesSummary& summary)
    : m_summary(summary), m_columns(std::min(summary.totals.rows, kMostColumns)) {}

void ChartDrawing::add(const SampleResult& r) {
    const std::size_t rows = m_summary.totals.rows;
    if (m_added >= rows) {
        return;
    }
    Column& c = m_columns[m_added * m_columns.size() / rows];
    ++m_added;
    if (c.rows++ == 0) {
        c.label = r.row.label.empty() ? std::to_string(r.row.line) : std::string(r.row.label);
    }
    double& low = r.limits.beyond ? c.beyondLow : c.low;
    double& high = r.limits.beyond ? c.beyondHigh : c.high;
    low = std::min(low, r.proportion);
    high = std::max(high, r.proportion);
    c.lowerLimit = std::min(c.lowerLimit, r.limits.lower);
    c.upperLimit = std::max(c.upperLimit, r.limits.upper);
}

std::string ChartDrawing::svg() const {
    const double centre = m_summary.chart.centre;
    double top = centre, bottom = centre;
    for (const Column& c : m_columns) {
        top = std::max({top, c.high, c.beyondHigh, c.upperLimit});
        bottom = std::min({bottom, c.rows ? std::min({c.low, c.beyondLow, c.lowerLimit}) : centre});
    }
    // Rows all alike (no defects anywhere, say) leave no span: a step of 1% then, not 2e-8%.
    const double step = top > bottom ? TickStep(top - bottom) : 0.01;
    bottom = std::max(0.0, std::floor(bottom / step) * step);
    top = std::min(1.0, std::max(bottom + step, std::ceil(top / step) * step));
    bottom = std::min(bottom, top - step);  // every row defective: the axis still has a span
    const double columns = static_cast<double>(m_columns.size());
    const double pitch = kPlotWidth / columns;
    const auto x = [&](std::size_t i) { return kLeft + (static_cast<double>(i) + 0.5) * pitch; };
    const auto y = [&](double p) { return kTop + (top - p) / (top - bottom) * kPlotHeight; };

    const bool laney = m_summary.chart.kind == ChartKind::kLaneyP;
    std::string s =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
        "width=\"" +
        N(kWidth) + "\" height=\"" + N(kHeight) + "\" viewBox=\"0 0 " + N(kWidth) + " " +
        N(kHeight) + "\" font-family=\"sans-serif\" font-size=\"12\">\n";
    const std::string title = std::string(laney ? "Laney P\u2032" : "P") +
                              " chart of the defect proportion, " +
                              std::to_string(m_summary.totals.rows) + " samples";
    s += "<title>" + XmlText(title) + "</title>\n";
    s += "<rect x=\"0\" y=\"0\" width=\"" + N(kWidth) + "\" height=\"" + N(kHeight) +
         "\" fill=\"#ffffff\"/>\n";
    s += "<text x=\"" + N(kWidth / 2) +
         "\" y=\"24\" text-anchor=\"middle\" font-size=\"15\" "
         "fill=\"#000000\">" +
         XmlText(title) + "</text>\n";

    // The percent axis and its grid.
    s += "<g fill=\"#000000\" stroke=\"none\" text-anchor=\"end\">\n";
    std::string grid;
    const long ticks = std::lround((top - bottom) / step);
    for (long k = 0; k <= ticks; ++k) {
        const double v = bottom + static_cast<double>(k) * step;
        s += "<text x=\"" + N(kLeft - 6) + "\" y=\"" + N(y(v) + 4) + "\">" + Percent(v) +
             "</text>\n";
        grid += At('M', kLeft, y(v)) + "H" + N(kLeft + kPlotWidth);
    }
    s += "</g>\n<path d=\"" + grid + "\" stroke=\"#d0d0d0\" fill=\"none\"/>\n";
    s += "<path d=\"M" + N(kLeft) + " " + N(kTop) + "V" + N(kTop + kPlotHeight) + "H" +
         N(kLeft + kPlotWidth) + "\" stroke=\"#000000\" fill=\"none\"/>\n";

    // The limits, as steps, and the centre line.
    std::string upper, lower;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const double left = kLeft + static_cast<double>(i) * pitch;
        upper += At(i ? 'L' : 'M', left, y(m_columns[i].upperLimit)) + "H" + N(left + pitch);
        lower += At(i ? 'L' : 'M', left, y(m_columns[i].lowerLimit)) + "H" + N(left + pitch);
    }
    s += "<path d=\"" + upper + lower +
         "\" stroke=\"#c00000\" stroke-dasharray=\"6,3\" "
         "fill=\"none\"/>\n";
    s += "<path d=\"M" + N(kLeft) + " " + N(y(centre)) + "H" + N(kLeft + kPlotWidth) +
         "\" stroke=\"#007000\" fill=\"none\"/>\n";

    // The proportions: a line through the points, or each column's range of many rows.
    const bool ranges = m_columns.size() < m_summary.totals.rows;
    std::string line, beyond;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const Column& c = m_columns[i];
        if (ranges && c.high >= c.low) {
            line += At('M', x(i), y(c.high)) + "V" + N(y(c.low) + 0.5);
        } else if (!ranges) {  // one row: through its point, within the limits or not
            line += At(i ? 'L' : 'M', x(i), y(std::min(c.low, c.beyondLow)));
        }
        const auto square = [&](double p) {
            beyond += "<rect x=\"" + N(x(i) - 3.5) + "\" y=\"" + N(y(p) - 3.5) +
                      "\" width=\"7\" height=\"7\"/>\n";
        };
        if (c.beyondHigh >= c.beyondLow) {  // the column's extremes beyond the limits, once each
            square(c.beyondLow);
        }
        if (c.beyondHigh > c.beyondLow) {
            square(c.beyondHigh);
        }
    }
    s += "<path d=\"" + line + "\" stroke=\"#000080\" stroke-width=\"" +
         (ranges ? N(pitch * 0.8) : "1.5") + "\" fill=\"none\"/>\n";
    if (!ranges) {
        s += "<g fill=\"#000080\">\n";
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i].high >= m_columns[i].low) {
                s += "<circle cx=\"" + N(x(i)) + "\" cy=\"" + N(y(m_columns[i].low)) +
                     "\" r=\"3\"/>\n";
            }
        }
        s += "</g>\n";
    }
    s += "<g fill=\"#c00000\">\n" + beyond + "</g>\n";

    // Row labels, thinned to fit, turned to read upwards.
    const std::size_t every = (m_columns.size() + kMostLabels - 1) / kMostLabels;
    s += "<g fill=\"#000000\" text-anchor=\"end\">\n";
    for (std::size_t i = 0; i < m_columns.size(); i += std::max<std::size_t>(every, 1)) {
        const std::string at = N(x(i)) + " " + N(kTop + kPlotHeight + 10);
        std::string label = m_columns[i].label;
        if (label.size() > 24) {  // cut between characters, not inside one
            std::size_t n = 24;
            while (n > 0 && (static_cast<unsigned char>(label[n]) & 0xC0) == 0x80) {
                --n;
            }
            label.resize(n);
        }
        s +=
            "<text transform=\"translate(" + at + ") rotate(-45)\">" + XmlText(label) + "</text>\n";
    }
    s += "</g>\n";
    s += "<text x=\"" + N(kWidth - kRight) + "\" y=\"" + N(kHeight - 8) +
         "\" text-anchor=\"end\" fill=\"#000000\">centre " + LimitPercent(centre) +
         (laney ? ", \u03c3z " + GeneralChars(*m_summary.chart.sigmaZ, 4) : "") + "</text>\n";
    s += "</svg>\n";
    return s;
}

}  // namespace tallyvane
