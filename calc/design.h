#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "calc/site_address.h"

// The window and its fifteen controls as designed. Positions and sizes in twips, colours
// 0x00BBGGRR; what a row leaves empty is the platform's default.
namespace tallyvane::design {

inline constexpr int kTwipsPerPixel = 15;

// Whole pixels at 15 twips each, a half going up.
constexpr int Pixels(int twips) {
    return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

// The title bar: this, then the maker's site address.
inline constexpr std::string_view kTitlePrefix = "Tallyvane-";

inline constexpr int kClientWidth = 6000;
inline constexpr int kClientHeight = 1800;
// The outer size, frame included, from the first accepted calculation on.
inline constexpr int kResultsWidth = 6120;
inline constexpr int kResultsHeight = 5600;
// The banner, drawn at its natural size at the client area's top-left corner.
inline constexpr int kBannerWidth = 2190;
inline constexpr int kBannerHeight = 870;
inline constexpr std::uint32_t kBackColor = 0x00E0E0E0;
inline constexpr std::uint32_t kBlack = 0;
inline constexpr std::uint32_t kBlue = 0x00FF0000;  // the highlighted link

// The designed sans face, sized in points; where it is missing, its free stand-in with the same
// metrics (ConfigureApplication sets the substitution).
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr std::string_view kFontStandIn = "Liberation Sans";
inline constexpr double kFontPoints = 8.25;

enum class Kind { kLabel, kLink, kTextBox, kButton };

struct Font {
    double points;
    bool bold;
};

struct Control {
    std::string_view name;
    Kind kind;
    std::string_view caption;
    int left, top, width, height;
    int tabIndex;
    bool hiddenAtStart;
    std::optional<std::uint32_t> backColor;
    std::optional<std::uint32_t> foreColor;
    std::optional<Font> font;
};

inline constexpr std::uint32_t kYellow = 0x0000FFFF;
inline constexpr std::uint32_t kNavy = 0x00800000;
inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kGrey = kBackColor;
inline constexpr Font kBold{kFontPoints, true};
inline constexpr Font kSigmaFont{9.75, true};

// The window's name, and those of the controls that the program reaches by name.
inline constexpr std::string_view kFormName = "frmtallyvane";
inline constexpr std::string_view kDefectsBox = "txttotaldefects";
inline constexpr std::string_view kOpportunitiesBox = "txttotalopportunities";
inline constexpr std::string_view kSiteLink = "LblLink";
inline constexpr std::string_view kCalculateButton = "cmdcalculate";
inline constexpr std::string_view kPrintButton = "cmdPrint";

// clang-format off
inline constexpr std::array<Control, 15> kControls{{
    // name, kind, caption, left, top, width, height, tab index, hidden, back, fore, font
    {"Label2", Kind::kLabel, "Total Defects", 2520, 240, 1815, 375, 2, false, kGrey, {}, {}},
    {kDefectsBox, Kind::kTextBox, "", 4560, 120, 1095, 375, 3, false, kYellow, {}, {}},
    {"lbltotalopportunities", Kind::kLabel, "Total Opportunities", 2520, 720, 1815, 375, 1, false, kGrey, {}, {}},
    {kOpportunitiesBox, Kind::kTextBox, "", 4560, 600, 1095, 375, 4, false, kYellow, {}, {}},
    {kSiteLink, Kind::kLink, kSiteAddress, 0, 960, 2415, 255, 12, false, kGrey, {}, kBold},
    {kCalculateButton, Kind::kButton, "Calculate", 4440, 1200, 1335, 495, 6, false, {}, {}, {}},
    {"lblDPMO", Kind::kLabel, "Defects Per Million Opportunities (DPMO)", 2520, 2160, 1815, 495, 0, true, kGrey, {}, {}},
    {"txtDPMO", Kind::kTextBox, "", 4560, 2160, 1095, 375, 5, true, kGrey, {}, {}},
    {"lbldefectspercent", Kind::kLabel, "Defects (%)", 2520, 2760, 1815, 375, 7, true, kGrey, {}, {}},
    {"txtdefectspercent", Kind::kTextBox, "", 4560, 2760, 1095, 375, 13, true, kGrey, {}, {}},
    {"lblyield", Kind::kLabel, "Yield (%)", 2520, 3360, 1815, 375, 9, true, kGrey, {}, {}},
    {"txtyields", Kind::kTextBox, "", 4560, 3360, 1095, 375, 8, true, kGrey, {}, {}},
    {"lblprocesssigma", Kind::kLabel, "Process Sigma Level", 2520, 3960, 1815, 495, 11, true, kGrey, {}, {}},
    {"txtprocesssigma", Kind::kTextBox, "", 4560, 3960, 1095, 375, 10, true, kNavy, kWhite, kSigmaFont},
    {kPrintButton, Kind::kButton, "Print Result", 4440, 4560, 1335, 255, 14, false, {}, {}, {}},
}};
// clang-format on

// Each box with the label of its row, its buddy, which also names it for screen readers: the
// two inputs, then the four results.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kRows{{
    {"Label2", kDefectsBox},
    {"lbltotalopportunities", kOpportunitiesBox},
    {"lblDPMO", "txtDPMO"},
    {"lbldefectspercent", "txtdefectspercent"},
    {"lblyield", "txtyields"},
    {"lblprocesssigma", "txtprocesssigma"},
}};

// The caption of a row's label: 0 and 1 the inputs, 2 to 5 the results.
constexpr std::string_view RowCaption(std::size_t row) {
    for (const Control& c : kControls) {
        if (c.name == kRows[row].first)
            return c.caption;
    }
    return {};
}

// A control whose background is fixed gets a fixed text colour too, its own or black, so that no
// dark theme puts light text on the design's light backgrounds. Empty: the platform's colours.
constexpr std::optional<std::uint32_t> FixedTextColor(const Control& c) {
    if (!c.backColor)
        return std::nullopt;
    return c.foreColor.value_or(kBlack);
}

// The tab indices are 0 to 14, each once: fifteen controls that set fifteen different bits.
constexpr bool EachTabIndexOnce() {
    unsigned seen{};
    for (const Control& c : kControls)
        seen |= 1u << c.tabIndex;
    return seen == (1u << kControls.size()) - 1;
}
static_assert(EachTabIndexOnce(), "each tab index from 0 to 14 belongs to one control");

}  // namespace tallyvane::design
