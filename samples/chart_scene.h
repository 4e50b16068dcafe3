#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvane {

// What a mark is drawn in.
enum class ChartInk { kPaper, kText, kGrid, kAxis, kLimit, kCentre, kPoint, kBeyond };

// Each ink's colour, "#rrggbb": the chart is drawn on its own white paper in every theme, as it
// is printed, so that every ink keeps its contrast.
inline std::string_view InkColour(ChartInk ink) {
    static constexpr std::array<std::string_view, 8> kColours{
        "#ffffff", "#000000", "#d0d0d0", "#000000", "#c00000", "#007000", "#000080", "#c00000"};
    return kColours[static_cast<std::size_t>(ink)];
}

struct ChartPoint {
    double x = 0.0, y = 0.0;
};

// One mark of a chart, in the chart's own units with y growing downwards.
struct ChartMark {
    enum class Kind {
        kLine,    // through `points`, stroked `width` wide
        kRect,    // from points[0] to points[1], filled
        kCircle,  // round points[0], of radius `width`, filled
        kText,    // `text` standing on points[0], `width` high, turned by `turn` degrees
    };
    enum class Anchor { kStart, kMiddle, kEnd };

    Kind kind = Kind::kLine;
    ChartInk ink = ChartInk::kText;
    std::vector<ChartPoint> points;
    double width = 1.0;
    bool dashed = false;  // 6 on, 3 off
    bool hollow = false;  // a rect or circle filled with the paper and outlined in its ink
    std::string text;
    Anchor anchor = Anchor::kStart;
    double turn = 0.0;
    // What the mark says to a reader who cannot see it: a point's row, value and verdict.
    std::string meaning;
};

// A chart as data, which each painter draws as it is: no painter works anything out.
struct ChartScene {
    double width = 0.0, height = 0.0;
    std::string title;
    std::vector<ChartMark> marks;

    bool empty() const { return marks.empty(); }
};

}  // namespace tallyvane
