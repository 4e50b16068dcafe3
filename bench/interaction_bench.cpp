// A whole Calculate click on the real window, on the offscreen platform: read the texts,
// calculate, resize, write the texts, reveal the controls and paint. The inputs alternate so
// that every click changes what the window shows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "app/main_window.h"
#include "app/message_box_warnings.h"
#include "calc/calculation.h"

namespace {

// Range 0 alternates 7 in 1500 with 1 in 3; range 1 alternates the intervals' worst case found
// (5227348386212123 in 5227348387023946) with 9 * 10^11 in 9 * 10^15, where Boost's beta
// inverse alone would give up.
void BM_CalculateClick(benchmark::State& state) {
    const bool huge = state.range(0) == 1;
    tallyvane::MessageBoxWarnings warnings;
    tallyvane::MainWindow window(warnings);
    window.show();
    QCoreApplication::processEvents();
    auto* defects = window.findChild<QLineEdit*>(QStringLiteral("txttotaldefects"));
    auto* opportunities = window.findChild<QLineEdit*>(QStringLiteral("txttotalopportunities"));
    auto* calculate = window.findChild<QPushButton*>(QStringLiteral("cmdcalculate"));
    bool flip = false;
    for (auto _ : state) {
        state.PauseTiming();
        defects->setText(huge ? (flip ? "5227348386212123" : "900000000000")
                              : (flip ? QStringLiteral("1") : QStringLiteral("7")));
        opportunities->setText(huge ? (flip ? "5227348387023946" : "9000000000000000")
                                    : (flip ? QStringLiteral("3") : QStringLiteral("1500")));
        QCoreApplication::processEvents();
        flip = !flip;
        state.ResumeTiming();
        calculate->click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CalculateClick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RunCalculationAlone(benchmark::State& state) {
    bool flip = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(flip ? tallyvane::RunCalculation("1", "3")
                                      : tallyvane::RunCalculation("7", "1500"));
        flip = !flip;
    }
}
BENCHMARK(BM_RunCalculationAlone)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
