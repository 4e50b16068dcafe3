// The quantile against Boost.Math's, and a whole calculation against the four snprintf
// calls that formatting its numbers would take the plain C way.
#include <benchmark/benchmark.h>

#include <boost/math/distributions/normal.hpp>
#include <cstdio>
#include <vector>

#include "calc/calculation.h"
#include "calc/result_notes.h"
#include "stats/normsinv.h"

namespace {

// Probabilities of one region of the quantile: 0 the lower tail, 1 the central region,
// 2 the upper tail, 3 all three mixed as they come in use (yields are mostly near 1).
std::vector<double> Probabilities(int region) {
    std::vector<double> ps;
    for (int i = 1; i <= 1024; ++i) {
        const double u = i / 1025.0;
        const double lower = 0.02425 * u * u * u;
        const double central = 0.02425 + u * (0.97575 - 0.02425);
        const int r = region == 3 ? i % 3 : region;
        ps.push_back(r == 0 ? lower : r == 1 ? central : 1.0 - lower);
    }
    return ps;
}

template <typename Quantile>
void RunQuantile(benchmark::State& state, Quantile quantile) {
    const std::vector<double> ps = Probabilities(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quantile(ps[i]));
        i = (i + 1) & 1023;
    }
}

void BM_NormSInv(benchmark::State& state) {
    RunQuantile(state, tallyvane::NormSInv);
}
BENCHMARK(BM_NormSInv)->DenseRange(0, 3);

void BM_BoostNormalQuantile(benchmark::State& state) {
    const boost::math::normal normal;
    RunQuantile(state, [&](double p) { return boost::math::quantile(normal, p); });
}
BENCHMARK(BM_BoostNormalQuantile)->DenseRange(0, 3);

void BM_RunCalculation(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tallyvane::RunCalculation("7", "1500"));
    }
}
BENCHMARK(BM_RunCalculation);

// The four results' intervals (two beta quantiles and their texts) beside RunCalculation. The
// last pair is the worst count of a sweep over O up to 2^53.
void BM_ResultNotes(benchmark::State& state) {
    const double defects = static_cast<double>(state.range(0));
    const double opportunities = static_cast<double>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(tallyvane::ResultNotes(defects, opportunities));
    }
}
BENCHMARK(BM_ResultNotes)
    ->Args({7, 1500})
    ->Args({34, 10'000'000})
    ->Args({1, 1'000'000'000'000'000})
    ->Args({900'000'000'000, 9'000'000'000'000'000})
    ->Args({100'000'000'000'000, 9'000'000'000'000'000})
    ->Args({9'007'199'254'740'991, 9'007'199'254'740'992})
    ->Args({5'227'348'386'212'123, 5'227'348'387'023'946});

void BM_FourSnprintf(benchmark::State& state) {
    double values[4] = {4666.666666666667, 0.004666666666666667, 0.9953333333333333, 4.0995969};
    char buf[4][32];
    for (auto _ : state) {
        benchmark::DoNotOptimize(values);
        for (int k = 0; k < 4; ++k) {
            std::snprintf(buf[k], sizeof buf[k], "%.15g", values[k]);
        }
        benchmark::DoNotOptimize(buf);
    }
}
BENCHMARK(BM_FourSnprintf);

}  // namespace
