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

using Kind = ChartMark::Kind;
using Anchor = ChartMark::Anchor;

ChartMark& AddMark(ChartScene& scene, Kind kind, ChartInk ink, std::vector<ChartPoint> points,
                   double width = 1.0) {
    ChartMark& m = scene.marks.emplace_back();
    m.kind = kind;
    m.ink = ink;
    m.points = std::move(points);
    m.width = width;
    return m;
}

ChartMark& AddLine(ChartScene& scene, ChartInk ink, std::vector<ChartPoint> points,
                   double width = 1.0, bool dashed = false) {
    ChartMark& m = AddMark(scene, Kind::kLine, ink, std::move(points), width);
    m.dashed = dashed;
    return m;
}

void AddText(ChartScene& scene, ChartInk ink, ChartPoint at, std::string words, Anchor anchor,
             double size = 12.0, double turn = 0.0) {
    ChartMark& m = AddMark(scene, Kind::kText, ink, {at}, size);
    m.text = std::move(words);
    m.anchor = anchor;
    m.turn = turn;
}

// "P chart", "Laney P′ chart (σz 1.661)".
std::string ChartWords(const ControlChart& chart) {
    return std::string(ChartName(chart)) + " chart" +
           (chart.kind == ChartKind::kLaneyP ? " (\u03c3z " + GeneralChars(*chart.sigmaZ, 4) + ")"
                                             : std::string());
}

std::string Title(const SamplesSummary& summary) {
    const auto& stages = summary.stages;
    const bool mixed = std::any_of(stages.begin(), stages.end(), [&](const StageSummary& s) {
        return s.chart.kind != stages.front().chart.kind;
    });
    std::string title = mixed ? std::string("P and Laney P\u2032 charts")
                        : stages.size() == 1
                            ? ChartWords(stages.front().chart)
                            : std::string(ChartName(stages.front().chart)) + " chart";
    title += " of the defect proportion, " + std::to_string(summary.totals.rows) + " samples";
    if (stages.size() > 1) {
        title += " in " + std::to_string(stages.size()) + " stages";
    }
    if (summary.totals.setAside > 0) {
        title += ", " + std::to_string(summary.totals.setAside) + " set aside";
    }
    return title;
}

}  // namespace

void ChartDrawing::Extent::add(double p) {
    low = std::min(low, p);
    high = std::max(high, p);
}

ChartDrawing::ChartDrawing(const SamplesSummary& summary)
    : m_summary(summary), m_columns(std::min(summary.totals.rows, kMostColumns)) {
    // The columns shared out in proportion to the stages' rows, one at least each.
    const std::size_t stages = summary.stages.size(), columns = m_columns.size();
    if (stages > columns) {
        return;
    }
    std::size_t rowsBefore = 0;
    for (std::size_t k = 0; k < stages; ++k) {
        std::size_t first = rowsBefore * columns / summary.totals.rows;
        first = k == 0 ? 0 : std::max(first, m_firstColumn.back() + 1);
        m_firstColumn.push_back(std::min(first, columns - (stages - k)));
        rowsBefore += summary.stages[k].totals.rows;
    }
}

void ChartDrawing::add(const SampleResult& r) {
    const std::size_t rows = m_summary.totals.rows;
    if (m_added >= rows || r.stage >= m_summary.stages.size()) {
        return;
    }
    std::size_t at = m_added * m_columns.size() / rows;
    if (!m_firstColumn.empty()) {
        m_inStage = r.stage == m_stage ? m_inStage : 0;
        m_stage = r.stage;
        const std::size_t first = m_firstColumn[r.stage];
        const std::size_t end =
            r.stage + 1 < m_firstColumn.size() ? m_firstColumn[r.stage + 1] : m_columns.size();
        at = first + std::min(m_inStage++ * (end - first) / m_summary.stages[r.stage].totals.rows,
                              end - first - 1);
    }
    Column& c = m_columns[at];
    ++m_added;
    if (c.rows++ == 0) {
        c.label = r.row.label.empty() ? std::to_string(r.row.line) : std::string(r.row.label);
        c.stage = r.stage;
    }
    if (r.row.setAside()) {
        if (!c.aside.any()) {
            c.reason = r.row.excluded;
        }
        c.aside.add(r.proportion);
        c.asideBeyond = c.asideBeyond || r.limits.beyond;
    } else if (r.failed != 0) {
        c.signalled.add(r.proportion);
        c.failed |= r.failed;
        c.beyond = c.beyond || r.limits.beyond;
    } else {
        c.quiet.add(r.proportion);
    }
    c.lowerLimit = std::min(c.lowerLimit, r.limits.lower);
    c.upperLimit = std::max(c.upperLimit, r.limits.upper);
}

void ChartDrawing::drawStage(ChartScene& scene, std::size_t first, std::size_t end, double pitch,
                             const std::function<double(double)>& y, bool last) const {
    const std::size_t stage = m_columns[first].stage;
    const double left = kLeft + static_cast<double>(first) * pitch;
    const double right = kLeft + static_cast<double>(end) * pitch;
    std::vector<ChartPoint> upper, lower;
    for (std::size_t i = first; i < end; ++i) {
        const double from = kLeft + static_cast<double>(i) * pitch;
        for (const double at : {from, from + pitch}) {
            Step(upper, {at, y(m_columns[i].upperLimit)});
            Step(lower, {at, y(m_columns[i].lowerLimit)});
        }
    }
    AddLine(scene, ChartInk::kLimit, std::move(upper), 1.0, true);
    AddLine(scene, ChartInk::kLimit, std::move(lower), 1.0, true);
    const double centre = m_summary.stages[stage].chart.centre;
    AddLine(scene, ChartInk::kCentre, {{left, y(centre)}, {right, y(centre)}});
    if (m_summary.stages.size() > 1 || !m_summary.stages[stage].name.empty()) {
        if (first > 0) {
            AddLine(scene, ChartInk::kAxis, {{left, kTop}, {left, kTop + kPlotHeight}});
        }
        std::string name = Shortened(StageTitle(m_summary, stage));
        if (m_summary.stages.size() > 1 && m_summary.stages[stage].chart.kind != ChartKind::kP) {
            name += ", " + ChartWords(m_summary.stages[stage].chart);
        }
        // Named where the name has room: many short stages keep their lines alone.
        if (kCharWidth * static_cast<double>(Characters(name)) <= right - left - 6) {
            AddText(scene, ChartInk::kText, {left + 4, kTop - 6}, std::move(name), Anchor::kStart);
        }
    }
    // The values at the right end of the lines, a line apart at least: the last stage's in the
    // margin, the others' inside their stage, above their lines, where there is room.
    if (!last && right - left < kRight) {
        return;
    }
    const double upperLimit = m_columns[end - 1].upperLimit;
    const double lowerLimit = m_columns[end - 1].lowerLimit;
    const double x = last ? right + 4 : right - 3;
    const Anchor anchor = last ? Anchor::kStart : Anchor::kEnd;
    const double centreAt = y(centre) + (last ? 4 : -3);
    AddText(scene, ChartInk::kLimit,
            {x, std::min(y(upperLimit) + (last ? 4 : -3), centreAt - kLineHeight)},
            "UCL " + LimitPercent(upperLimit), anchor);
    AddText(scene, ChartInk::kCentre, {x, centreAt}, "p\u0304 " + LimitPercent(centre), anchor);
    AddText(scene, ChartInk::kLimit,
            {x, std::max(y(lowerLimit) + (last ? 4 : 12), centreAt + kLineHeight)},
            "LCL " + LimitPercent(lowerLimit), anchor);
}

ChartScene ChartDrawing::scene() const {
    if (m_columns.empty()) {  // no rows: nothing to draw
        return {};
    }
    double top = 0.0, bottom = 1.0;
    for (const StageSummary& stage : m_summary.stages) {
        top = std::max(top, stage.chart.centre);
        bottom = std::min(bottom, stage.chart.centre);
    }
    for (const Column& c : m_columns) {
        for (const Extent& e : {c.quiet, c.signalled, c.aside}) {
            if (e.any()) {
                top = std::max(top, e.high);
                bottom = std::min(bottom, e.low);
            }
        }
        if (c.rows) {
            top = std::max(top, c.upperLimit);
            bottom = std::min(bottom, c.lowerLimit);
        }
    }
    // Rows all alike (no defects anywhere, say) leave no span: a step of 1% then, not 2e-8%.
    const double step = top > bottom ? TickStep(top - bottom) : 0.01;
    bottom = std::max(0.0, std::floor(bottom / step) * step);
    top = std::min(1.0, std::max(bottom + step, std::ceil(top / step) * step));
    bottom = std::min(bottom, top - step);  // every row defective: the axis still has a span
    // The plot leaves the last stage's values the room they need at the right.
    const double lastCentre = m_summary.stages[m_columns.back().stage].chart.centre;
    const double labelsWidth =
        kCharWidth * static_cast<double>(std::max(
                         {Characters("UCL " + LimitPercent(m_columns.back().upperLimit)),
                          Characters("p\u0304 " + LimitPercent(lastCentre)),
                          Characters("LCL " + LimitPercent(m_columns.back().lowerLimit))}));
    const double right = kWidth - std::max(kRight, labelsWidth + 12);
    const double pitch = (right - kLeft) / static_cast<double>(m_columns.size());
    const auto x = [&](std::size_t i) { return kLeft + (static_cast<double>(i) + 0.5) * pitch; };
    const std::function<double(double)> y = [&](double p) {
        return kTop + (top - p) / (top - bottom) * kPlotHeight;
    };

    ChartScene scene;
    scene.width = kWidth;
    scene.height = kHeight;
    scene.title = Title(m_summary);
    AddMark(scene, Kind::kRect, ChartInk::kPaper, {{0, 0}, {kWidth, kHeight}});
    AddText(scene, ChartInk::kText, {kWidth / 2, 24}, scene.title, Anchor::kMiddle, 15.0);

    // The percent axis and its grid.
    const long ticks = std::lround((top - bottom) / step);
    for (long k = 0; k <= ticks; ++k) {
        const double v = bottom + static_cast<double>(k) * step;
        AddText(scene, ChartInk::kText, {kLeft - 6, y(v) + 4}, Percent(v), Anchor::kEnd);
        AddLine(scene, ChartInk::kGrid, {{kLeft, y(v)}, {right, y(v)}});
    }
    AddLine(scene, ChartInk::kAxis,
            {{kLeft, kTop}, {kLeft, kTop + kPlotHeight}, {right, kTop + kPlotHeight}});

    for (std::size_t first = 0, end = 0; first < m_columns.size(); first = end) {
        while (end < m_columns.size() && m_columns[end].stage == m_columns[first].stage) {
            ++end;
        }
        drawStage(scene, first, end, pitch, y, end == m_columns.size());
    }

    // The proportions: a line through the points, or each column's range of many rows; rows
    // that fail a test as squares, the others as circles, and those set aside hollow.
    const bool ranges = m_columns.size() < m_summary.totals.rows;
    std::vector<ChartPoint> path;
    for (std::size_t i = 0; i < m_columns.size() && !ranges; ++i) {
        const Column& c = m_columns[i];
        path.push_back({x(i), y(std::min({c.quiet.low, c.signalled.low, c.aside.low}))});
    }
    if (!ranges) {
        AddLine(scene, ChartInk::kPoint, std::move(path), 1.5);
    }
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const Column& c = m_columns[i];
        const std::string rows =
            ranges ? "From " + c.label + ", " + std::to_string(c.rows) + " rows: " : c.label + ": ";
        const auto values = [&](const Extent& e) {
            return rows + LimitPercent(e.low) +
                   (e.high > e.low ? " to " + LimitPercent(e.high) : "");
        };
        if (ranges && c.quiet.any()) {
            AddLine(scene, ChartInk::kPoint,
                    {{x(i), y(c.quiet.high)}, {x(i), y(c.quiet.low) + 0.5}}, pitch * 0.8)
                .meaning = values(c.quiet) + ", within the limits";
        } else if (c.quiet.any()) {
            AddMark(scene, Kind::kCircle, ChartInk::kPoint, {{x(i), y(c.quiet.low)}}, 3.0).meaning =
                values(c.quiet) + ", within the limits";
        }
        const auto square = [&](double p, ChartInk ink) -> ChartMark& {
            return AddMark(scene, Kind::kRect, ink,
                           {{x(i) - 3.5, y(p) - 3.5}, {x(i) + 3.5, y(p) + 3.5}});
        };
        if (c.signalled.any()) {  // the column's extremes, once each
            const std::string meaning =
                values(c.signalled) +
                (c.beyond ? ", beyond the limits. " : ", within the limits. ") +
                SignalWords(c.failed);
            square(c.signalled.low, ChartInk::kBeyond).meaning = meaning;
            if (c.signalled.high > c.signalled.low) {
                square(c.signalled.high, ChartInk::kBeyond).meaning = meaning;
            }
        }
        if (c.aside.any()) {
            const std::string meaning =
                values(c.aside) + (c.asideBeyond ? ", beyond the limits" : ", within the limits") +
                ", set aside: " + c.reason;
            for (const double p : {c.aside.low, c.aside.high}) {
                ChartMark& m = c.asideBeyond ? square(p, ChartInk::kBeyond)
                                             : AddMark(scene, Kind::kCircle, ChartInk::kPoint,
                                                       {{x(i), y(p)}}, 3.5);
                m.hollow = true;
                m.meaning = meaning;
                if (c.aside.high == c.aside.low) {
                    break;
                }
            }
        }
    }

    // Row labels, thinned to fit, turned to read upwards.
    const std::size_t every =
        std::max<std::size_t>((m_columns.size() + kMostLabels - 1) / kMostLabels, 1);
    for (std::size_t i = 0; i < m_columns.size(); i += every) {
        AddText(scene, ChartInk::kText, {x(i), kTop + kPlotHeight + 10},
                Shortened(m_columns[i].label), Anchor::kEnd, 12.0, -45.0);
    }
    return scene;
}

std::string ChartDrawing::svg() const {
    return ChartSvg(scene());
}

}  // namespace tallyvane
