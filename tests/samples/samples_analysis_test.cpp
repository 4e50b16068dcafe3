#include "samples/samples_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "calc/warning_texts.h"
#include "samples/chart_drawing.h"
#include "samples/chart_svg.h"
#include "tests/samples/textbook.h"

namespace tallyvane {
namespace {

struct Analysis {
    SamplesSummary summary;
    std::vector<SampleResult> rows;
    std::vector<std::size_t> beyond;  // lines
    ChartScene chart;
    // The chart's texts, or the meanings of its marks of one ink, in order.
    std::vector<std::string> Texts(std::optional<ChartInk> meaningsOf = std::nullopt) const {
        std::vector<std::string> texts;
        for (const ChartMark& m : chart.marks)
            if (meaningsOf ? m.ink == *meaningsOf && !m.meaning.empty()
                           : m.kind == ChartMark::Kind::kText)
                texts.push_back(meaningsOf ? m.meaning : m.text);
        return texts;
    }
    std::size_t Count(std::string_view text) const {
        const std::vector<std::string> texts = Texts();
        return static_cast<std::size_t>(std::count(texts.begin(), texts.end(), text));
    }
};

Analysis Analyse(const std::string& table) {
    Analysis a;
    std::optional<ChartDrawing> drawing;
    AnalyseSamples(
        table, kAllTests,
        [&](const SamplesSummary& s) {
            a.summary = s;
            drawing.emplace(s);
        },
        [](const SampleResult& r) { return std::to_string(r.row.line); },
        [&](const SampleResult& r, const std::string& line) {
            a.rows.push_back(r);
            drawing->add(r);
            if (r.limits.beyond)
                a.beyond.push_back(std::stoul(line));
        });
    a.chart = drawing->scene();
    return a;
}

std::string Table(const std::vector<int>& defects, int opportunities) {
    std::string table;
    for (const int d : defects)
        table += std::to_string(d) + "," + std::to_string(opportunities) + "\n";
    return table;
}

// The orange-juice cans of the standard SPC textbook: 30 samples of 50. The figures, limits and
// sigma_z here and below were worked out apart, with NumPy.
TEST(SamplesAnalysis, PublishedCase) {
    const Analysis a = Analyse(Table(kOrangeJuice, 50));
    EXPECT_NEAR(a.summary.stages[0].chart.centre, 0.2313333, 1e-7);
    EXPECT_NEAR(a.rows[0].limits.lower, 0.0524275, 1e-7);
    EXPECT_NEAR(a.rows[0].limits.upper, 0.4102391, 1e-7);
    EXPECT_NEAR(*a.summary.stages[0].chart.sigmaZ, 1.6608667, 1e-7);
    EXPECT_EQ(a.summary.stages[0].chart.kind, ChartKind::kP);  // 2 of 30 beyond: the P limits hold
    EXPECT_EQ(a.beyond, (std::vector<std::size_t>{15, 23}));
    EXPECT_EQ(a.rows[14].plan.texts, PlanCalculate("22", "50").texts);
    EXPECT_EQ(a.summary.pooled.texts, PlanCalculate("347", "1500").texts);
    EXPECT_EQ(a.summary.pooled.notes, PlanCalculate("347", "1500").notes);
}

// The textbook's next step: samples 15 and 23 have causes found and are set aside. The revised
// centre is 301/1400 = 0.2150 and the limits 0.2150 +- 3 sqrt(0.2150 * 0.7850 / 50), 0.0407 to
// 0.3893 (D. C. Montgomery, Introduction to Statistical Quality Control, 6th ed., Wiley 2009,
// Example 7.1); sample 21 (0.40) then lies beyond them, and the two set aside still do.
TEST(SamplesAnalysis, SetAsideAndRevised) {
    std::string table = "Defects,Opportunities,Excluded\n";
    for (std::size_t i = 0; i < kOrangeJuice.size(); ++i)
        table += std::to_string(kOrangeJuice[i]) + ",50," +
                 (i == 14 || i == 22 ? "new batch of cardboard" : "") + "\n";
    const Analysis a = Analyse(table);
    const StageSummary& stage = a.summary.stages.at(0);
    EXPECT_NEAR(stage.chart.centre, 0.2150000, 1e-7);
    EXPECT_NEAR(a.rows[0].limits.lower, 0.0407028, 1e-7);
    EXPECT_NEAR(a.rows[0].limits.upper, 0.3892972, 1e-7);
    EXPECT_EQ(a.beyond, (std::vector<std::size_t>{16, 22, 24}));  // lines: samples 15, 21, 23
    std::vector<std::string> failed;
    for (const SampleResult& r : a.rows)
        failed.push_back(SignalNumbers(r.failed));
    EXPECT_EQ(std::count(failed.begin(), failed.end(), ""), 29);
    EXPECT_EQ(failed[20], "1");
    EXPECT_EQ(std::tuple(CountedText(a.summary.totals), a.summary.pooled.texts),
              std::tuple("28 of 30 samples (2 set aside)", PlanCalculate("301", "1400").texts));
    EXPECT_EQ(a.chart.title, "P chart of the defect proportion, 30 samples, 2 set aside");
    const auto hollow = std::count_if(a.chart.marks.begin(), a.chart.marks.end(), [](auto& m) {
        return m.hollow &&
               m.meaning.ends_with("beyond the limits, set aside: new batch of cardboard");
    });
    EXPECT_EQ(hollow, 2);
}

// The run tests on constructed sequences, a row each: "d/n" a sample, "/x" set aside, "@s" its
// stage; each row's expected tests, "." for none. Where the sizes differ, the standardised
// values order the rows, not the proportions.
TEST(SamplesAnalysis, RunTests) {
    const auto repeat = [](std::string row, int times) {
        std::string rows;
        for (int i = 0; i < times; ++i)
            rows += row + " ";
        return rows;
    };
    const std::string alternating = repeat("15/100 25/100", 7);
    const struct {
        std::string rows, expected;
    } cases[] = {
        {repeat("30/100", 8) + repeat("10/100", 8), "................"},
        {repeat("30/100", 9) + repeat("10/100", 9), "........2........2"},
        // centre 380/1900 = 0.2 exactly: the sixth row stands on it
        {repeat("30/100", 5) + "20/100 " + repeat("30/100", 4) + repeat("10/100", 9),
         "..................2"},
        {"20/100 10/100 14/100 18/100 22/100 26/100 20/100", "......."},
        {"20/100 10/100 14/100 18/100 22/100 26/100 30/100 20/100", "......3."},
        {"20/100 10/100 14/100 18/100 18/100 22/100 26/100 30/100 20/100", "........."},
        // 0.16 throughout on smaller and smaller samples: z -2, -1.41, -1, -0.87, -0.71, -0.5
        {"64/150 64/400 32/200 16/100 12/75 8/50 4/25", "1.....3"},
        {alternating.substr(0, alternating.size() - 7), "............."},
        {alternating, ".............4"},
        {repeat("30/100", 4) + "10/100/x " + repeat("30/100", 5) + repeat("10/100", 8),
         ".........2........"},
        {repeat("10/100@a", 5) + repeat("30/100@a", 5) + repeat("30/100@b", 4) +
             repeat("10/100@b", 5),
         "..................."},
    };
    for (const auto& c : cases) {
        std::string table = "Defects,Opportunities,Stage,Excluded\n";
        std::istringstream rows(c.rows);
        for (std::string row; rows >> row;) {
            const std::size_t at = row.find('@'), slash = row.find('/', row.find('/') + 1);
            table += row.substr(0, std::min(at, slash)).replace(row.find('/'), 1, ",") + "," +
                     (at == std::string::npos ? "" : row.substr(at + 1)) + "," +
                     (slash == std::string::npos ? "" : "x") + "\n";
        }
        std::string found;
        for (const SampleResult& r : Analyse(table).rows)
            found += r.failed ? SignalNumbers(r.failed) : ".";
        EXPECT_EQ(found, c.expected) << c.rows;
    }
}

// The tests chosen on the command line: numbers from 1 to 4, commas apart, blanks allowed.
TEST(RunTests, Chosen) {
    const std::pair<std::string_view, std::optional<Signals>> rows[] = {
        {"1,2,3,4", kAllTests}, {"2, 4", 0b1010},     {" 3 ", 0b0100},
        {"", std::nullopt},     {"5", std::nullopt},  {"1,,2", std::nullopt},
        {"12", std::nullopt},   {"1;2", std::nullopt}};
    for (const auto& [text, tests] : rows)
        EXPECT_EQ(ParseTests(text), tests) << text;
}

// Twenty large samples that vary far more than the binomial allows.
const std::vector<int> kTwenty{120, 190, 110, 200, 130, 210, 115, 185, 125, 195,
                               120, 190, 110, 200, 130, 210, 115, 185, 125, 195};

// Past 400 rows each stage has columns of its own, however short: a stage of 10 rows among 990
// keeps its centre line, and its first column starts at its first row. Stage names stand where
// they have room, never over each other.
TEST(ChartDrawing, Stages) {
    std::string table = "Defects,Opportunities,Stage\n";
    for (int i = 1; i <= 1000; ++i)
        table += (i > 495 && i <= 505 ? "600,1000,b\n" : i <= 495 ? "5,1000,a\n" : "5,1000,c\n");
    const Analysis a = Analyse(table);
    const auto centres = std::count_if(a.chart.marks.begin(), a.chart.marks.end(), [](auto& m) {
        return m.kind == ChartMark::Kind::kLine && m.ink == ChartInk::kCentre;
    });
    const std::vector<std::string> beyond = a.Texts(ChartInk::kBeyond);
    EXPECT_EQ(std::tuple(centres, beyond.empty(), a.chart.title),
              std::tuple(3, true, "P chart of the defect proportion, 1000 samples in 3 stages"));
    EXPECT_EQ(a.Texts(ChartInk::kPoint)[198].substr(0, 9), "From 497,");  // line 497: row 496
    // Twenty stages of three rows: short names each in its place, long ones left out.
    const auto names = [](const std::string& name) {
        std::string many = "Defects,Opportunities,Stage\n";
        for (int i = 0; i < 60; ++i)
            many += std::to_string(i % 7) + ",100," + name + std::to_string(i / 3) + "\n";
        std::vector<std::pair<double, std::size_t>> found;  // where each starts, its length
        for (const ChartMark& m : Analyse(many).chart.marks)
            if (m.kind == ChartMark::Kind::kText && m.text.starts_with(name))
                found.emplace_back(m.points[0].x, m.text.size());
        return found;
    };
    EXPECT_EQ(names("Stage name ").size(), 0u);
    const auto shown = names("S");
    ASSERT_EQ(shown.size(), 20u);
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_GE(shown[i].first - shown[i - 1].first, 8.0 * double(shown[i - 1].second));
}

// Its chart says what the figures say: the title names the chart, the limits' and centre's
// values stand at their right ends in four significant digits (the last row's where the limits
// step), and the squares are the rows beyond the limits. Values worked out apart, as above.
TEST(ChartDrawing, Meaning) {
    const std::string kTest1 = "Test 1: one point beyond the limits.";
    const Analysis a = Analyse(Table(kOrangeJuice, 50));
    const auto lineLabels = [](const Analysis& x) {
        const std::vector<std::string> texts = x.Texts();
        const auto ucl =
            std::find_if(texts.begin(), texts.end(), [](auto& t) { return t.starts_with("UCL"); });
        return ucl + 3 <= texts.end() ? std::vector(ucl, ucl + 3) : std::vector<std::string>();
    };
    const auto title = [](const Analysis& x) { return x.chart.title; };
    EXPECT_EQ(std::tuple(title(a), lineLabels(a), a.Texts(ChartInk::kBeyond),
                         a.Texts(ChartInk::kPoint).size(), a.Count("29")),
              std::tuple("P chart of the defect proportion, 30 samples",
                         std::vector<std::string>{"UCL 41.02%", "p\u0304 23.13%", "LCL 5.243%"},
                         std::vector<std::string>{"15: 44.00%, beyond the limits. " + kTest1,
                                                  "23: 48.00%, beyond the limits. " + kTest1},
                         28u, 1u));  // and 15 of the 30 labels
    EXPECT_EQ(title(Analyse(Table(kTwenty, 100000))),
              "Laney P\u2032 chart (\u03c3z 5.368) of the defect proportion, 20 samples");
    EXPECT_EQ(lineLabels(Analyse("a,1,10\nb,1,20\nc,2,40\n")),  // stepped: p 4/70, n 40
              (std::vector<std::string>{"UCL 16.72%", "p\u0304 5.714%", "LCL 0%"}));
    std::vector<int> ppm(10, 3);
    ppm[0] = 7;  // 34 in 10^7
    EXPECT_EQ(lineLabels(Analyse(Table(ppm, 1000000)))[1], "p\u0304 0.0003400%");
    // Past 400 rows, 400 columns of ranges (rows 4 and 5 the second), a square for the row beyond
    // (the rows go about the centre two by two: no run of any test).
    std::vector<int> many(1000, 5);
    for (std::size_t i = 0; i < many.size(); i += 4)
        many[i] = many[i + 1] = 6;
    many[3] = 60;
    const Analysis b = Analyse(Table(many, 1000));
    EXPECT_EQ(
        std::tuple(b.Texts(ChartInk::kPoint).size(), b.Texts(ChartInk::kBeyond), b.Count("64"),
                   b.Texts(ChartInk::kPoint)[1]),
        std::tuple(400u,
                   std::vector<std::string>{"From 4, 2 rows: 6.000%, beyond the limits. " + kTest1},
                   1u, "From 4, 2 rows: 0.6000%, within the limits"));
    std::vector<int> spread(500, 50);  // one column's rows beyond both limits: a square each
    spread[0] = 100, spread[1] = 0;
    EXPECT_EQ(Analyse(Table(spread, 1000)).Texts(ChartInk::kBeyond).size(), 2u);
    // A long label is cut after 16 characters with an ellipsis, and not inside the é; markup,
    // controls and noncharacters make no bad XML.
    const std::string a15(15, 'a');
    EXPECT_EQ(Analyse(a15 + "\u00e9\u00e9,1,10\n").Count(a15 + "\u00e9\u2026"), 1u);
    EXPECT_NE(ChartSvg(Analyse("A<B&C\x01\uffff,1,10\n").chart).find(">A&lt;B&amp;C \ufffd<"),
              std::string::npos);
    // The values at the lines' right ends stay a line apart, and within the drawing however
    // long: no defects anywhere puts all three lines at 0%.
    for (const Analysis& x : {Analyse("a,0,10\nb,0,10\n"), Analyse(Table({7, 3, 3}, 1000000))}) {
        std::vector<ChartMark> labels;
        for (const ChartMark& m : x.chart.marks)
            if (m.kind == ChartMark::Kind::kText && m.points[0].x > 600)
                labels.push_back(m);
        ASSERT_EQ(labels.size(), 3u);
        EXPECT_TRUE(labels[1].points[0].y - labels[0].points[0].y >= 13 &&
                    labels[2].points[0].y - labels[1].points[0].y >= 13 &&
                    labels[0].points[0].x + 8.0 * double(labels[0].text.size()) <= x.chart.width);
    }
    EXPECT_EQ(Analyse("50,100\n55,100\n52,100\n").Texts()[1], "30%");  // the axis from 30%
    ChartDrawing again(a.summary);  // a row past the table's count draws nothing
    for (const SampleResult& r : a.rows)
        again.add(r);
    again.add(a.rows[0]);
    EXPECT_EQ(again.svg(), ChartSvg(a.chart));
}

// Past a block of rows worked out together, each row still comes once, in order, as labelled.
TEST(SamplesAnalysis, ManyRows) {
    std::string table;
    for (int i = 1; i <= 8193; ++i)
        table.append("r").append(std::to_string(i)).append(",1,10\n");
    std::vector<std::string> labels;
    AnalyseSamples(
        table, kAllTests, [](const SamplesSummary&) {},
        [](const SampleResult& r) { return std::string(r.row.label); },
        [&](const SampleResult&, const std::string& label) { labels.push_back(label); });
    EXPECT_EQ(std::tuple(labels.size(), labels[8191], labels.back()),
              std::tuple(8193u, "r8192", "r8193"));
    // Failures on every thread reach the caller as the first of them, and no row is visited.
    labels.clear();
    const auto failing = [](const SampleResult& r) -> std::string {
        throw std::length_error(std::string(r.row.label));
    };
    EXPECT_THROW(
        AnalyseSamples(
            table, kAllTests, [](const SamplesSummary&) {}, failing,
            [&](const SampleResult&, const std::string& label) { labels.push_back(label); }),
        std::length_error);
    EXPECT_TRUE(labels.empty());
}

// Large subgroups: the binomial limits put half the rows or more beyond them, and Laney's P'
// limits take over, unless the rows vary no more than the binomial says (sigma_z at most 1).
TEST(SamplesAnalysis, LaneyWhereMostRowsFallOutside) {
    // clang-format off
    // Sigma_z from one moving range is no estimate: P' wants 20 rows, and below it the P chart
    // stands and says why. Figures worked out apart in Python from the rows' z-scores.
    const std::vector<int>& twenty = kTwenty;
    std::vector<int> nineteen = twenty;
    nineteen.erase(nineteen.begin() + 1);  // ten of nineteen beyond
    const std::tuple<std::vector<int>, ChartKind, double, double, bool> rows[] = {
        {twenty, ChartKind::kLaneyP, 5.3680922, 0.0036027, false},  // ten of twenty beyond: exactly half
        {nineteen, ChartKind::kP, 5.1447844, 0.0019379, true},
        {{120, 190, 110, 200, 130, 210, 115, 185, 125, 195}, ChartKind::kP, 5.3722199, 0.0019568, true},
        {{150, 175, 130, 160, 140, 400, 150, 170, 128, 152}, ChartKind::kP, 5.3284915, 0.0021521, false},  // three of ten
        {{150, 175, 130, 160, 120, 400, 150, 170, 128, 152}, ChartKind::kP, 5.6584505, 0.0021298, false},  // four of ten
        {{193, 193, 193, 193, 193, 107, 107, 107, 107, 107}, ChartKind::kP, 0.6921930, 0.0018671, false},  // all beyond, one shift: no overdispersion
    };
    // clang-format on
    for (const auto& [defects, kind, sigmaZ, upper, tooFew] : rows) {
        const Analysis a = Analyse(Table(defects, 100000));
        EXPECT_EQ(a.summary.stages[0].chart.kind, kind);
        EXPECT_NEAR(*a.summary.stages[0].chart.sigmaZ, sigmaZ, 1e-6);
        EXPECT_NEAR(a.rows[0].limits.upper, upper, 1e-7);
        EXPECT_EQ(a.beyond.empty(), kind == ChartKind::kLaneyP);
        EXPECT_EQ(a.summary.stages[0].chart.tooFewForLaney, tooFew);
    }
    EXPECT_EQ(ChartNote(Analyse(Table(nineteen, 100000)).summary.stages[0].chart, 19),
              "P chart: the samples vary more than the binomial limits allow (\u03c3z 5.145), but "
              "Laney P\u2032 needs at least 20 samples to estimate \u03c3z, and there are 19.");
}

// One row, or a centre of 0 or 1: no sigma_z, and limits that call no row special.
TEST(SamplesAnalysis, DegenerateCases) {
    const std::tuple<std::string, double, double> rows[] = {
        {"3,10\n", 0.0, 0.7347}, {"0,10\n0,20\n", 0.0, 0.0}, {"5,5\n3,3\n", 1.0, 1.0}};
    for (const auto& [table, lower, upper] : rows) {
        const Analysis a = Analyse(table);
        EXPECT_TRUE(!a.summary.stages[0].chart.sigmaZ &&
                    a.summary.stages[0].chart.kind == ChartKind::kP && a.beyond.empty() &&
                    a.rows[0].limits.lower == lower &&
                    std::abs(a.rows[0].limits.upper - upper) < 1e-4)
            << table;
    }
    // Every opportunity defective: a sample all the same, with the window's warning.
    const Analysis all = Analyse("5,5\n3,3\n");
    EXPECT_EQ(all.rows[0].plan.texts,
              (std::array<std::string, 4>{"1000000", "100.00%", "0.00%", ""}));
    EXPECT_EQ(all.rows[0].plan.warning, warning::kSigmaZero);
    EXPECT_EQ(all.summary.pooled.texts, all.rows[0].plan.texts);
    EXPECT_EQ(all.Count("100%") + all.Count("99%"), 2u);
    EXPECT_EQ(Analyse("0,10\n0,20\n").Count("1%"), 1u);  // no defects
}

}  // namespace
}  // namespace tallyvane
