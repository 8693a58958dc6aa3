// Cost of one design: the core calculation with the formatting of its result texts.
#include <benchmark/benchmark.h>

#include "core.h"
#include "design_state.h"

#include <iostream>

namespace {

void BM_sCore(benchmark::State& bench) {
    tavro::FieldTable fields;
    tavro::DesignState design;
    tavro::StreamReporter reporter(std::cerr);
    for (auto _ : bench) {
        design.Rkr = 10;
        design.Qa = 10;
        design.k = 1.24f;
        design.Pk = 5;
        design.H = 0;
        design.Rc = 30;
        design.Qc = 45;
        design.InRange = true;
        benchmark::DoNotOptimize(tavro::sCore(design, fields, '.', reporter));
    }
}
BENCHMARK(BM_sCore);

}  // namespace

BENCHMARK_MAIN();
