#include "samples/chart_svg.h"

#include <cmath>

#include "calc/xml_text.h"

namespace tallyvane {
namespace {

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

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + std::string(value) + "\"";
}

// A shape's paint: its ink, or the paper outlined in its ink.
std::string Fill(const ChartMark& mark) {
    const std::string ink(InkColour(mark.ink));
    return mark.hollow ? Attribute("fill", InkColour(ChartInk::kPaper)) + Attribute("stroke", ink) +
                             Attribute("stroke-width", "1.5")
                       : Attribute("fill", ink);
}

std::string Element(const ChartMark& mark) {
    const std::string ink(InkColour(mark.ink));
    const ChartPoint at = mark.points.empty() ? ChartPoint{} : mark.points.front();
    std::string s;
    switch (mark.kind) {
        case ChartMark::Kind::kLine: {
            std::string points;
            for (const ChartPoint& p : mark.points) {
                points += (points.empty() ? "" : " ") + N(p.x) + "," + N(p.y);
            }
            s = "<polyline" + Attribute("points", points) + Attribute("stroke", ink) +
                Attribute("stroke-width", N(mark.width)) + Attribute("fill", "none") +
                (mark.dashed ? Attribute("stroke-dasharray", "6,3") : "");
            break;
        }
        case ChartMark::Kind::kRect: {
            const ChartPoint end = mark.points.size() > 1 ? mark.points[1] : at;
            s = "<rect" + Attribute("x", N(at.x)) + Attribute("y", N(at.y)) +
                Attribute("width", N(end.x - at.x)) + Attribute("height", N(end.y - at.y)) +
                Fill(mark);
            break;
        }
        case ChartMark::Kind::kCircle:
            s = "<circle" + Attribute("cx", N(at.x)) + Attribute("cy", N(at.y)) +
                Attribute("r", N(mark.width)) + Fill(mark);
            break;
        case ChartMark::Kind::kText: {
            static constexpr std::string_view kAnchors[] = {"start", "middle", "end"};
            s = "<text" +
                (mark.turn != 0.0 ? Attribute("transform", "translate(" + N(at.x) + " " + N(at.y) +
                                                               ") rotate(" + N(mark.turn) + ")")
                                  : Attribute("x", N(at.x)) + Attribute("y", N(at.y))) +
                Attribute("text-anchor", kAnchors[static_cast<std::size_t>(mark.anchor)]) +
                Attribute("font-size", N(mark.width)) + Attribute("fill", ink) + ">" +
                XmlText(mark.text) + "</text>\n";
            return s;
        }
    }
    return s + (mark.meaning.empty() ? "/>\n"
                                     : "><title>" + XmlText(mark.meaning) + "</title></" +
                                           s.substr(1, s.find(' ') - 1) + ">\n");
}

}  // namespace

std::string ChartSvg(const ChartScene& scene) {
    std::string s =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
        "baseProfile=\"tiny\"" +
        Attribute("width", N(scene.width)) + Attribute("height", N(scene.height)) +
        Attribute("viewBox", "0 0 " + N(scene.width) + " " + N(scene.height)) +
        " font-family=\"sans-serif\">\n<title>" + XmlText(scene.title) + "</title>\n";
    for (const ChartMark& mark : scene.marks) {
        s += Element(mark);
    }
    return s + "</svg>\n";
}

}  // namespace tallyvane
