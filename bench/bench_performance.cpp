// Cost of what the characteristics window and the tool compute beyond the design itself.
#include <benchmark/benchmark.h>

#include "core.h"
#include "design_state.h"
#include "example_design.h"
#include "operating_range.h"
#include "performance.h"

namespace {

// The example design with Rc 30 and Qc 45 at a chamber pressure, computed.
tavro::DesignState example(const char* pk) {
    return tavro::test::computedExample(
        {{tavro::kRowPk, pk}, {tavro::kRowRc, "30"}, {tavro::kRowQc, "45"}});
}

void BM_performanceOf(benchmark::State& bench) {
    const tavro::DesignState d = example("5");
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::performanceOf(d));
}
BENCHMARK(BM_performanceOf);

void BM_checkCore(benchmark::State& bench) {
    tavro::DesignState d = example("5");
    for (auto _ : bench) {
        d.Pk = 5;
        benchmark::DoNotOptimize(tavro::checkCore(d));
    }
}
BENCHMARK(BM_checkCore);

// Both ranges of a refused design (sea level, 4 MPa) and of one that computes.
void BM_operatingRanges(benchmark::State& bench) {
    const tavro::DesignState d = example(bench.range(0) == 4 ? "4" : "5");
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::operatingRanges(d));
}
BENCHMARK(BM_operatingRanges)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);

// Everything the window's operating map needs: its height and its cells.
void BM_operatingMap(benchmark::State& bench) {
    const tavro::DesignState d = example("5");
    for (auto _ : bench) {
        const double top = tavro::mapTop(d);
        benchmark::DoNotOptimize(tavro::operatingMap(d, top));
    }
}
BENCHMARK(BM_operatingMap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
