#include "samples/samples_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <stdexcept>
#include <vector>

#include "calc/warning_texts.h"
#include "samples/chart_drawing.h"

namespace tallyvane {
namespace {

struct Analysis {
    SamplesSummary summary;
    std::vector<SampleResult> rows;
    std::vector<std::size_t> beyond;  // lines
    std::string svg;
    int Count(std::string_view what, std::size_t from = 0) const {  // times `what` is in the chart
        const std::size_t at = svg.find(what, from);
        return at == std::string::npos ? 0 : 1 + Count(what, at + 1);
    }
};

Analysis Analyse(const std::string& table) {
    Analysis a;
    std::optional<ChartDrawing> drawing;
    AnalyseSamples(
        table,
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
    a.svg = drawing->svg();
    return a;
}

std::string Table(const std::vector<int>& defects, int opportunities) {
    std::string table;
    for (const int d : defects)
        table += std::to_string(d) + "," + std::to_string(opportunities) + "\n";
    return table;
}

const std::vector<int> kOrangeJuice{12, 15, 8, 10, 4,  7,  16, 9,  14, 10, 5,  6, 17, 12, 22,
                                    8,  10, 5, 13, 11, 20, 18, 24, 15, 9,  12, 7, 13, 9,  6};

// The orange-juice cans of the standard SPC textbook: 30 samples of 50. The figures, limits and
// sigma_z here and below were worked out apart, with NumPy.
TEST(SamplesAnalysis, PublishedCase) {
    const Analysis a = Analyse(Table(kOrangeJuice, 50));
    EXPECT_NEAR(a.summary.chart.centre, 0.2313333, 1e-7);
    EXPECT_NEAR(a.rows[0].limits.lower, 0.0524275, 1e-7);
    EXPECT_NEAR(a.rows[0].limits.upper, 0.4102391, 1e-7);
    EXPECT_NEAR(*a.summary.chart.sigmaZ, 1.6608667, 1e-7);
    EXPECT_EQ(a.summary.chart.kind, ChartKind::kP);  // 2 of 30 beyond: the P limits hold
    EXPECT_EQ(a.beyond, (std::vector<std::size_t>{15, 23}));
    EXPECT_EQ(a.rows[14].plan.texts, PlanCalculate("22", "50").texts);
    EXPECT_EQ(a.summary.pooled.texts, PlanCalculate("347", "1500").texts);
    EXPECT_EQ(a.summary.pooled.notes, PlanCalculate("347", "1500").notes);
}

// Its chart, worked out by hand: a plot 710 x 280 px from (70, 44), 0% to 50%, 30 columns of
// 23.67 px; past 400 rows, 400 columns of ranges.
TEST(ChartDrawing, Geometry) {
    const Analysis a = Analyse(Table(kOrangeJuice, 50));
    EXPECT_EQ(std::tuple(a.Count("<circle"), a.Count("width=\"7\""), a.Count("rotate(-45)")),
              std::tuple(28, 2, 15));
    for (const char* part : {"<title>P chart of the defect proportion, 30 samples</title>", ">0%<",
                             ">50%<", "M70 194.5H780", "<text x=\"400\" y=\"24\"",
                             "cx=\"81.8\" cy=\"189.6\"", "M70 94.3H93.7", "x=\"409.7\" y=\"74.1\"",
                             ">29<", "L93.7 94.3H117.3", "M70 44V324H780", ">centre 23.13%<"})
        EXPECT_EQ(a.Count(part), 1) << part;
    std::vector<int> many(1000, 5);
    many[3] = 60;
    const Analysis b = Analyse(Table(many, 1000));
    EXPECT_EQ(std::tuple(b.Count("<circle"), b.Count("width=\"7\""), b.Count("rotate(-45)")),
              std::tuple(0, 1, 16));
    EXPECT_EQ(b.Count(">64<") + b.Count("M70.9 300.7V301.2M72.7 "), 2);  // 25th column, ranges
    std::vector<int> spread(500, 50);  // one column's rows beyond both limits: a square each
    spread[0] = 100, spread[1] = 0;
    EXPECT_EQ(Analyse(Table(spread, 1000)).Count("width=\"7\""), 2);
    const std::string a23(23, 'a');  // a label of 25 bytes is cut to 24, and not inside the é
    EXPECT_EQ(Analyse(a23 + "\u00e9,1,10\n").Count(">" + a23 + "<"), 1);
    EXPECT_EQ(Analyse("A<B&C\x01,1,10\n").Count(">A&lt;B&amp;C <"), 1);  // markup, a control
    EXPECT_EQ(a.Count("<g"), a.Count("</g>"));                           // every group closed
    EXPECT_EQ(Analyse("50,100\n55,100\n52,100\n").Count("y=\"328\">30%<"), 1);  // from 30%
    ChartDrawing again(a.summary);  // a row past the table's count draws nothing
    for (const SampleResult& r : a.rows)
        again.add(r);
    again.add(a.rows[0]);
    EXPECT_EQ(again.svg(), a.svg);
}

// Past a block of rows worked out together, each row still comes once, in order, as labelled.
TEST(SamplesAnalysis, ManyRows) {
    std::string table;
    for (int i = 1; i <= 8193; ++i)
        table.append("r").append(std::to_string(i)).append(",1,10\n");
    std::vector<std::string> labels;
    AnalyseSamples(
        table, [](const SamplesSummary&) {},
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
            table, [](const SamplesSummary&) {}, failing,
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
    const std::vector<int> twenty{120, 190, 110, 200, 130, 210, 115, 185, 125, 195,
                                  120, 190, 110, 200, 130, 210, 115, 185, 125, 195};
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
        EXPECT_EQ(a.summary.chart.kind, kind);
        EXPECT_NEAR(*a.summary.chart.sigmaZ, sigmaZ, 1e-6);
        EXPECT_NEAR(a.rows[0].limits.upper, upper, 1e-7);
        EXPECT_EQ(a.beyond.empty(), kind == ChartKind::kLaneyP);
        EXPECT_EQ(a.summary.chart.tooFewForLaney, tooFew);
    }
    EXPECT_EQ(ChartNote(Analyse(Table(nineteen, 100000)).summary.chart, 19),
              "P chart: the samples vary more than the binomial limits allow (\u03c3z 5.145), but "
              "Laney P\u2032 needs at least 20 samples to estimate \u03c3z, and there are 19.");
}

// One row, or a centre of 0 or 1: no sigma_z, and limits that call no row special.
TEST(SamplesAnalysis, DegenerateCases) {
    const std::tuple<std::string, double, double> rows[] = {
        {"3,10\n", 0.0, 0.7347}, {"0,10\n0,20\n", 0.0, 0.0}, {"5,5\n3,3\n", 1.0, 1.0}};
    for (const auto& [table, lower, upper] : rows) {
        const Analysis a = Analyse(table);
        EXPECT_TRUE(!a.summary.chart.sigmaZ && a.summary.chart.kind == ChartKind::kP &&
                    a.beyond.empty() && a.rows[0].limits.lower == lower &&
                    std::abs(a.rows[0].limits.upper - upper) < 1e-4)
            << table;
    }
    // Every opportunity defective: a sample all the same, with the window's warning.
    const Analysis all = Analyse("5,5\n3,3\n");
    EXPECT_EQ(all.rows[0].plan.texts,
              (std::array<std::string, 4>{"1000000", "100.00%", "0.00%", ""}));
    EXPECT_EQ(all.rows[0].plan.warning, warning::kSigmaZero);
    EXPECT_EQ(all.summary.pooled.texts, all.rows[0].plan.texts);
    EXPECT_EQ(all.Count("<text x=\"64\" y=\"48\">100%<") + all.Count(">99%<"), 2);
    EXPECT_EQ(Analyse("0,10\n0,20\n").Count("<text x=\"64\" y=\"48\">1%<"), 1);  // no defects
}

}  // namespace
}  // namespace tallyvane
