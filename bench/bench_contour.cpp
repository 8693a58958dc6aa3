// Cost of every workshop file of one design together: DXF, SVG, STL, STEP (where built) and
// the station table, through the one table of formats as the window and the tool make them.
#include <benchmark/benchmark.h>

#include "contour.h"
#include "core.h"
#include "design_state.h"
#include "workshop_formats.h"

namespace {

void BM_WorkshopFiles(benchmark::State& bench) {
    tavro::FieldTable fields;
    tavro::DesignState design;
    design.Title = "Пример";
    design.Rkr = 10;
    design.Qa = 10;
    design.k = 1.24f;
    design.Pk = 5;
    design.Rc = 30;
    design.Qc = 45;
    design.InRange = true;
    tavro::sCore(design, fields, '.');
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
