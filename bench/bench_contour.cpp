// Cost of every workshop file of one design together: DXF, SVG, STL, STEP (where built) and
// the station table, through the one table of formats as the window and the tool make them.
#include <benchmark/benchmark.h>

#include "contour.h"
#include "design_state.h"
#include "example_design.h"
#include "workshop_formats.h"

namespace {

void BM_WorkshopFiles(benchmark::State& bench) {
    const tavro::DesignState design = tavro::test::computedExample(
        {{tavro::kRowTitle, "Пример"}, {tavro::kRowRc, "30"}, {tavro::kRowQc, "45"}});
    size_t bytes = 0;
    for (auto _ : bench) {
        const auto contour = tavro::contourOf(design);
        bytes = 0;
        for (const tavro::WorkshopFormat& f : tavro::workshopFormats())
            bytes += f.write(*contour, {design, 1, ','}).size();
        benchmark::DoNotOptimize(bytes);
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
    bench.counters["formats"] = static_cast<double>(tavro::workshopFormats().size());
}
BENCHMARK(BM_WorkshopFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
