// Builds the one self-contained page from its template, the design table, the key filter and the
// core, at build time, so that the page shows its form before any script runs.
//   page_builder OUT TEMPLATE STYLE SCRIPT CORE_JS CORE_WASM_GZ BANNER_SVG ICON_SVG ICON_PNG
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calc/design.h"
#include "calc/filter_key.h"
#include "calc/site_address.h"
#include "calc/warning_texts.h"
#include "calc/xml_text.h"
#include "samples/run_tests.h"
#include "samples/sample_columns.h"
#include "samples/text_decoding.h"

namespace tallyvane {
namespace {

using design::Pixels;

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        if (n > 1)
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (n > 2)
            group |= static_cast<unsigned char>(bytes[i + 2]);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::string DataUrl(std::string_view type, const char* path) {
    return "data:" + std::string(type) + ";base64," + Base64(ReadFile(path));
}

std::string CssColor(std::uint32_t bgr) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF,
                  (bgr >> 16) & 0xFF);
    return buf;
}

std::string Attributes(const design::Control& c) {
    std::ostringstream style;
    style << "--l:" << Pixels(c.left) << ";--t:" << Pixels(c.top) << ";--w:" << Pixels(c.width)
          << ";--h:" << Pixels(c.height);
    if (c.backColor)
        style << ";background-color:" << CssColor(*c.backColor)
              << ";color:" << CssColor(*design::FixedTextColor(c));
    if (c.font)
        style << ";--font:" << c.font->points << (c.font->bold ? ";font-weight:bold" : "");
    return " id=\"" + std::string(c.name) + "\" style=\"" + style.str() + "\"" +
           (c.hiddenAtStart ? " hidden" : "");
}

const design::Control& Named(std::string_view name) {
    return *std::find_if(design::kControls.begin(), design::kControls.end(),
                         [&](const design::Control& c) { return c.name == name; });
}

// The controls in tab order, each box after the label that names it. The link takes the focus
// here at its place in that order: a page's link is reached with Tab.
std::string Form() {
    std::vector<const design::Control*> order;
    for (const design::Control& c : design::kControls)
        if (c.kind != design::Kind::kLabel)
            order.push_back(&c);
    std::sort(order.begin(), order.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    std::string html;
    for (const design::Control* c : order) {
        const std::string caption = XmlText(c->caption);
        switch (c->kind) {
            case design::Kind::kTextBox: {
                const auto row = std::find_if(design::kRows.begin(), design::kRows.end(),
                                              [&](const auto& r) { return r.second == c->name; });
                html += "<label for=\"" + std::string(c->name) + "\"" +
                        Attributes(Named(row->first)) + ">" + XmlText(Named(row->first).caption) +
                        "</label>\n";
                const bool input = row - design::kRows.begin() < 2;
                html += "<input type=\"text\" autocomplete=\"off\" spellcheck=\"false\"" +
                        std::string(input ? " inputmode=\"decimal\"" : "") + Attributes(*c) +
                        " value=\"" + caption + "\">\n";
                break;
            }
            case design::Kind::kButton:
                html += "<button type=\"button\"" + Attributes(*c) + ">" + caption + "</button>\n";
                break;
            case design::Kind::kLink:
                html += "<a href=\"http://" + std::string(kSiteAddress) +
                        "/\" target=\"_blank\" rel=\"noopener\"" + Attributes(*c) + ">" + caption +
                        "</a>\n";
                break;
            case design::Kind::kLabel:
                break;
        }
    }
    return html;
}

std::string DesignStyle() {
    std::ostringstream css;
    css << ":root{--client-w:" << Pixels(design::kClientWidth)
        << ";--client-h:" << Pixels(design::kClientHeight)
        << ";--grown-w:" << Pixels(design::kResultsWidth)
        << ";--grown-h:" << Pixels(design::kResultsHeight) << ";--font:" << design::kFontPoints
        << "}\n#" << design::kFormName << "{background-color:" << CssColor(design::kBackColor)
        << ";color:" << CssColor(design::kBlack) << ";font-family:\"" << design::kFontFamily
        << "\",\"" << design::kFontStandIn
        << "\",sans-serif}\n#banner{position:absolute;left:0;top:0;width:calc("
        << Pixels(design::kBannerWidth) << "*var(--px));height:calc("
        << Pixels(design::kBannerHeight) << "*var(--px))}\n#" << design::kSiteLink
        << ":hover{color:" << CssColor(design::kBlue) << "!important}\n";
    return css.str();
}

// The banner drawn as vectors in the page itself: sharp at any ratio, and nothing to decode before
// the first frame, as a picture would need.
std::string Banner(const char* svg) {
    std::string banner = ReadFile(svg);
    const std::size_t open = banner.find("<svg ");
    if (open == std::string::npos) {
        throw std::runtime_error("the banner is no SVG");
    }
    return banner.insert(open + 5, "id=\"banner\" aria-hidden=\"true\" focusable=\"false\" ");
}

// What the script needs of the tables: the controls it reaches by name, the result rows, the
// key filter's verdict on every character, as the codes it passes and the codes that move the
// focus on, its two texts, and how much of a table file to read.
std::string DesignJson() {
    std::string json = "{";
    for (const auto& [key, name] :
         {std::pair("form", design::kFormName), std::pair("defects", design::kDefectsBox),
          std::pair("opportunities", design::kOpportunitiesBox),
          std::pair("calculate", design::kCalculateButton),
          std::pair("print", design::kPrintButton)})
        json += "\"" + std::string(key) + "\":\"" + std::string(name) + "\",";
    json += "\"results\":[";
    for (std::size_t i = 2; i < design::kRows.size(); ++i)
        json += std::string(i > 2 ? "," : "") + "[\"" + std::string(design::kRows[i].first) +
                "\",\"" + std::string(design::kRows[i].second) + "\"]";
    std::string pass, move;
    for (int code = 0; code <= 0x10FFFF; ++code) {
        const KeyVerdict verdict = FilterKey(code);
        std::string& list = verdict == KeyVerdict::kPass ? pass : move;
        if (verdict != KeyVerdict::kSwallow)
            list += (list.empty() ? "" : ",") + std::to_string(code);
    }
    // The page's own texts hold no quote or backslash, only line ends.
    const auto text = [](std::string_view t) {
        std::string quoted = "\"";
        for (const char c : t)
            quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
        return quoted + "\"";
    };
    return json + "],\"pass\":[" + pass + "],\"move\":[" + move +
           "],\"coreNotStarted\":" + text(warning::kCoreNotStarted) +
           ",\"reportNotReady\":" + text(warning::kReportNotReady) +
           ",\"tableFileReadSize\":" + std::to_string(kTableFileReadSize) + "}";
}

// The header cells of the table of samples: its figures, then the stage where the table has
// stages, and whether each row is set aside.
std::string SampleColumnHeads() {
    std::string heads;
    for (const std::string_view column : kSampleColumns)
        heads += "<th scope=\"col\">" + XmlText(column) + "</th>";
    return heads + "<th scope=\"col\" id=\"samplesStageHead\" hidden>" + XmlText(kStageColumn) +
           "</th><th scope=\"col\">Set aside</th>";
}

// A box for each test for special causes, checked.
std::string SampleTestBoxes() {
    std::string boxes;
    for (int test = 1; test <= kRunTests; ++test) {
        const std::string id = "samplesTest" + std::to_string(test);
        boxes += "<label><input type=\"checkbox\" id=\"" + id + "\" value=\"" +
                 std::to_string(test) + "\" checked> " + std::to_string(test) + ": " +
                 XmlText(TestWords(test)) + "</label>\n";
    }
    return boxes;
}

// The template with each of its markers replaced by its part, in one pass, so that no part is
// searched for markers in turn.
std::string Filled(const std::string& page, const std::map<std::string, std::string>& parts) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = page.find("{{", from)) != std::string::npos;) {
        const std::size_t end = page.find("}}", at);
        const auto part =
            end == std::string::npos ? parts.end() : parts.find(page.substr(at, end + 2 - at));
        if (part == parts.end())
            throw std::runtime_error("an unknown marker in the template");
        out.append(page, from, at - from).append(part->second);
        from = end + 2;
    }
    return out.append(page, from);
}

// Text that goes inside a script element must not end it early.
const std::string& ScriptSafe(const std::string& text) {
    if (text.find("</") != std::string::npos)
        throw std::runtime_error("a script holds \"</\"");
    return text;
}

int Build(char** argv) {
    const std::map<std::string, std::string> parts{
        {"{{title}}", XmlText(std::string(design::kTitlePrefix) + kSiteAddress)},
        {"{{form-name}}", std::string(design::kFormName)},
        {"{{icon-svg}}", DataUrl("image/svg+xml", argv[8])},
        {"{{icon-png}}", DataUrl("image/png", argv[9])},
        {"{{banner}}", Banner(argv[7])},
        {"{{style}}", ReadFile(argv[3])},
        {"{{design-style}}", DesignStyle()},
        {"{{form}}", Form()},
        {"{{sample-columns}}", SampleColumnHeads()},
        {"{{sample-tests}}", SampleTestBoxes()},
        {"{{warning-title}}", XmlText(warning::kTitle)},
        {"{{design}}", DesignJson()},
        {"{{core-wasm}}", Base64(ReadFile(argv[6]))},
        {"{{core}}", ScriptSafe(ReadFile(argv[5]))},
        {"{{script}}", ScriptSafe(ReadFile(argv[4]))},
    };
    std::ofstream(argv[1], std::ios::binary) << Filled(ReadFile(argv[2]), parts);
    return 0;
}

}  // namespace
}  // namespace tallyvane

int main(int argc, char** argv) {
    if (argc != 10) {
        std::fprintf(stderr,
                     "usage: page_builder OUT TEMPLATE STYLE SCRIPT CORE_JS CORE_WASM "
                     "BANNER_SVG ICON_SVG ICON_PNG\n");
        return 2;
    }
    try {
        return tallyvane::Build(argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "page_builder: %s\n", e.what());
        return 1;
    }
}
