// Cost of the four workshop files of one design: DXF, SVG, STL and the station table together.
#include <benchmark/benchmark.h>

#include "contour.h"
#include "design_state.h"
#include "example_design.h"
#include "workshop_files.h"

namespace {

void BM_WorkshopFiles(benchmark::State& bench) {
    const tavro::DesignState design =
        tavro::test::computedExample({{tavro::kRowRc, "30"}, {tavro::kRowQc, "45"}});
    size_t bytes = 0;
    for (auto _ : bench) {
        const auto contour = tavro::contourOf(design);
        const std::string dxf = tavro::contourDxf(*contour);
        const std::string svg = tavro::contourSvg(*contour, "Пример");
        const std::vector<std::uint8_t> stl = tavro::contourStl(*contour);
        const std::string table = tavro::stationTable(*contour, 1, ',');
        bytes = dxf.size() + svg.size() + stl.size() + table.size();
        benchmark::DoNotOptimize(bytes);
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WorkshopFiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
