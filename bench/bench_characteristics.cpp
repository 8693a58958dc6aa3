// Cost of one update of the characteristics window: figures, thrust plot and operating map.
#include <benchmark/benchmark.h>

#include "characteristics_window.h"
#include "example_design.h"

namespace {

tavro::DesignState design(const char* pk) {
    return tavro::test::computedExample(
        {{tavro::kRowPk, pk}, {tavro::kRowRc, "30"}, {tavro::kRowQc, "45"}});
}

// Two designs in turn, since the window skips a design it already shows.
void BM_showDesign(benchmark::State& bench) {
    tavro::CharacteristicsWindow window(nullptr, '.');
    const tavro::DesignState designs[] = {design("5"), design("6")};
    int i = 0;
    for (auto _ : bench) window.showDesign(designs[i++ % 2]);
}
BENCHMARK(BM_showDesign)->Unit(benchmark::kMillisecond);

}  // namespace
