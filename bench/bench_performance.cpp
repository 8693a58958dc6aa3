// Cost of what the characteristics window and the tool compute beyond the design itself.
#include <benchmark/benchmark.h>

#include "core.h"
#include "design_state.h"
#include "operating_range.h"
#include "performance.h"

namespace {

// The example design, computed.
tavro::DesignState example(float pk, float h) {
    tavro::DesignState d;
    d.Rkr = 10;
    d.Qa = 10;
    d.k = 1.24f;
    d.Pk = pk;
    d.H = h;
    d.Rc = 30;
    d.Qc = 45;
    tavro::checkCore(d);
    return d;
}

void BM_performanceOf(benchmark::State& bench) {
    const tavro::DesignState d = example(5, 0);
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::performanceOf(d));
}
BENCHMARK(BM_performanceOf);

void BM_checkCore(benchmark::State& bench) {
    tavro::DesignState d = example(5, 0);
    for (auto _ : bench) {
        d.Pk = 5;
        benchmark::DoNotOptimize(tavro::checkCore(d));
    }
}
BENCHMARK(BM_checkCore);

// Both ranges of a refused design (sea level, 4 MPa) and of one that computes.
void BM_operatingRanges(benchmark::State& bench) {
    const tavro::DesignState d = example(static_cast<float>(bench.range(0)), 0);
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::operatingRanges(d));
}
BENCHMARK(BM_operatingRanges)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);

// Everything the window's operating map needs: its height and its cells.
void BM_operatingMap(benchmark::State& bench) {
    const tavro::DesignState d = example(5, 0);
    for (auto _ : bench) {
        const double top = tavro::mapTop(d);
        benchmark::DoNotOptimize(tavro::operatingMap(d, top));
    }
}
BENCHMARK(BM_operatingMap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
