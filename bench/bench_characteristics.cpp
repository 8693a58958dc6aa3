// Cost of one update of the characteristics window: figures, thrust plot and operating map.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "characteristics_window.h"
#include "core.h"

namespace {

tavro::DesignState design(float pk) {
    tavro::DesignState d;
    d.Rkr = 10;
    d.Qa = 10;
    d.k = 1.24f;
    d.Pk = pk;
    d.H = 0;
    d.Rc = 30;
    d.Qc = 45;
    d.InRange = true;
    tavro::checkCore(d);
    return d;
}

// Two designs in turn, since the window skips a design it already shows.
void BM_showDesign(benchmark::State& bench) {
    tavro::CharacteristicsWindow window(nullptr, '.');
    const tavro::DesignState designs[] = {design(5), design(6)};
    int i = 0;
    for (auto _ : bench) window.showDesign(designs[i++ % 2]);
}
BENCHMARK(BM_showDesign)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
