#include "samples/chart_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "calc/double_chars.h"
#include "samples/chart_svg.h"
#include "samples/sample_cells.h"

namespace tallyvane {
namespace {

constexpr std::size_t kMostColumns = 400;
constexpr std::size_t kMostLabels = 16;
constexpr double kWidth = 800, kHeight = 420;
// As many characters as a turned label has room for under the plot and left of its first row.
constexpr std::size_t kMostLabelChars = 16;
constexpr double kLeft = 70, kRight = 90, kTop = 44, kBottom = 96;
constexpr double kPlotHeight = kHeight - kTop - kBottom;
// Room for a text of 12 units: at most 8 units a character, the widest digits and signs taken.
constexpr double kCharWidth = 8, kLineHeight = 13;

// An axis tick: as few digits as the step needs.
std::string Percent(double fraction) {
    return GeneralChars(fraction * 100.0, 4) + "%";
}

std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// At most kMostLabelChars characters, the rest cut at a character and marked with an ellipsis.
std::string Shortened(std::string label) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < label.size(); ++at) {
        if ((static_cast<unsigned char>(label[at]) & 0xC0) != 0x80 &&
            characters++ == kMostLabelChars) {
            label.resize(at);
            return label + "\u2026";
        }
    }
    return label;
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

// A limit's line goes on to `to`, and keeps only its corners: along a level, one point stands
// for the points between.
void Step(std::vector<ChartPoint>& line, ChartPoint to) {
    const std::size_t n = line.size();
    if (n >= 2 && line[n - 1].y == to.y && line[n - 2].y == to.y) {
        line.back() = to;
    } else {
        line.push_back(to);
    }
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

ChartScene ChartDrawing::scene() const {
    using Kind = ChartMark::Kind;
    using Anchor = ChartMark::Anchor;
    if (m_columns.empty()) {  // no rows: nothing to draw
        return {};
    }
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
    // The limits' and centre's values at the right end of their lines: the last column's, which
    // are the last row's up to 400 rows. The plot leaves them the room they need.
    const std::string upperText = "UCL " + LimitPercent(m_columns.back().upperLimit),
                      centreText = "p\u0304 " + LimitPercent(centre),
                      lowerText = "LCL " + LimitPercent(m_columns.back().lowerLimit);
    const double labelsWidth =
        kCharWidth * static_cast<double>(std::max(
                         {Characters(upperText), Characters(centreText), Characters(lowerText)}));
    const double right = kWidth - std::max(kRight, labelsWidth + 12);
    const double pitch = (right - kLeft) / static_cast<double>(m_columns.size());
    const auto x = [&](std::size_t i) { return kLeft + (static_cast<double>(i) + 0.5) * pitch; };
    const auto y = [&](double p) { return kTop + (top - p) / (top - bottom) * kPlotHeight; };

    ChartScene scene;
    scene.width = kWidth;
    scene.height = kHeight;
    const ControlChart& chart = m_summary.chart;
    scene.title =
        std::string(ChartName(chart)) + " chart" +
        (chart.kind == ChartKind::kLaneyP ? " (\u03c3z " + GeneralChars(*chart.sigmaZ, 4) + ")"
                                          : std::string()) +
        " of the defect proportion, " + std::to_string(m_summary.totals.rows) + " samples";
    auto& marks = scene.marks;
    const auto mark = [&marks](Kind kind, ChartInk ink, std::vector<ChartPoint> points,
                               double width = 1.0) -> ChartMark& {
        ChartMark& m = marks.emplace_back();
        m.kind = kind;
        m.ink = ink;
        m.points = std::move(points);
        m.width = width;
        return m;
    };
    const auto line = [&mark](ChartInk ink, std::vector<ChartPoint> points, double width = 1.0,
                              bool dashed = false) -> ChartMark& {
        ChartMark& m = mark(Kind::kLine, ink, std::move(points), width);
        m.dashed = dashed;
        return m;
    };
    const auto text = [&mark](ChartInk ink, ChartPoint at, std::string words, Anchor anchor,
                              double size = 12.0, double turn = 0.0) {
        ChartMark& m = mark(Kind::kText, ink, {at}, size);
        m.text = std::move(words);
        m.anchor = anchor;
        m.turn = turn;
    };
    mark(Kind::kRect, ChartInk::kPaper, {{0, 0}, {kWidth, kHeight}});
    text(ChartInk::kText, {kWidth / 2, 24}, scene.title, Anchor::kMiddle, 15.0);

    // The percent axis and its grid.
    const long ticks = std::lround((top - bottom) / step);
    for (long k = 0; k <= ticks; ++k) {
        const double v = bottom + static_cast<double>(k) * step;
        text(ChartInk::kText, {kLeft - 6, y(v) + 4}, Percent(v), Anchor::kEnd);
        line(ChartInk::kGrid, {{kLeft, y(v)}, {right, y(v)}});
    }
    line(ChartInk::kAxis,
         {{kLeft, kTop}, {kLeft, kTop + kPlotHeight}, {right, kTop + kPlotHeight}});

    // The limits, as steps, and the centre line, each with its value at its right end, a line
    // apart at least.
    std::vector<ChartPoint> upper, lower;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const double left = kLeft + static_cast<double>(i) * pitch;
        for (const double at : {left, left + pitch}) {
            Step(upper, {at, y(m_columns[i].upperLimit)});
            Step(lower, {at, y(m_columns[i].lowerLimit)});
        }
    }
    line(ChartInk::kLimit, std::move(upper), 1.0, true);
    line(ChartInk::kLimit, std::move(lower), 1.0, true);
    line(ChartInk::kCentre, {{kLeft, y(centre)}, {right, y(centre)}});
    const double centreAt = y(centre) + 4;
    text(ChartInk::kLimit,
         {right + 4, std::min(y(m_columns.back().upperLimit) + 4, centreAt - kLineHeight)},
         upperText, Anchor::kStart);
    text(ChartInk::kCentre, {right + 4, centreAt}, centreText, Anchor::kStart);
    text(ChartInk::kLimit,
         {right + 4, std::max(y(m_columns.back().lowerLimit) + 4, centreAt + kLineHeight)},
         lowerText, Anchor::kStart);

    // The proportions: a line through the points, or each column's range of many rows; rows
    // beyond the limits as squares, the others as circles.
    const bool ranges = m_columns.size() < m_summary.totals.rows;
    std::vector<ChartPoint> path;
    for (std::size_t i = 0; i < m_columns.size() && !ranges; ++i) {
        path.push_back({x(i), y(std::min(m_columns[i].low, m_columns[i].beyondLow))});
    }
    if (!ranges) {
        line(ChartInk::kPoint, std::move(path), 1.5);
    }
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const Column& c = m_columns[i];
        const std::string rows =
            ranges ? "From " + c.label + ", " + std::to_string(c.rows) + " rows: " : c.label + ": ";
        const std::string within = rows + LimitPercent(c.low) +
                                   (c.high > c.low ? " to " + LimitPercent(c.high) : "") +
                                   ", within the limits";
        if (ranges && c.high >= c.low) {
            line(ChartInk::kPoint, {{x(i), y(c.high)}, {x(i), y(c.low) + 0.5}}, pitch * 0.8)
                .meaning = within;
        } else if (c.high >= c.low) {
            mark(Kind::kCircle, ChartInk::kPoint, {{x(i), y(c.low)}}, 3.0).meaning = within;
        }
        const auto square = [&](double p) {
            mark(Kind::kRect, ChartInk::kBeyond,
                 {{x(i) - 3.5, y(p) - 3.5}, {x(i) + 3.5, y(p) + 3.5}})
                .meaning = rows + LimitPercent(p) + ", beyond the limits";
        };
        if (c.beyondHigh >= c.beyondLow) {  // the column's extremes beyond the limits, once each
            square(c.beyondLow);
        }
        if (c.beyondHigh > c.beyondLow) {
            square(c.beyondHigh);
        }
    }

    // Row labels, thinned to fit, turned to read upwards.
    const std::size_t every =
        std::max<std::size_t>((m_columns.size() + kMostLabels - 1) / kMostLabels, 1);
    for (std::size_t i = 0; i < m_columns.size(); i += every) {
        text(ChartInk::kText, {x(i), kTop + kPlotHeight + 10}, Shortened(m_columns[i].label),
             Anchor::kEnd, 12.0, -45.0);
    }
    return scene;
}

std::string ChartDrawing::svg() const {
    return ChartSvg(scene());
}

}  // namespace tallyvane
