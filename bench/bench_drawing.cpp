// Cost of one redraw of the window's sheet: Rebuilder on a 700 x 1000 image, for a nozzle that
// fits the sheet at its usual scale (Rc 30, Qc 45) and one that must be fitted (Rc 50, Qc 60).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "core.h"
#include "design_state.h"
#include "painter_target.h"
#include "rebuilder.h"

namespace {

void BM_RebuilderWindow(benchmark::State& bench) {
    tavro::FieldTable fields;
    tavro::DesignState design;
    design.Title = "Пример";
    design.Rkr = 10;
    design.Qa = 10;
    design.k = 1.24f;
    design.Pk = 5;
    design.Rc = static_cast<float>(bench.range(0));
    design.Qc = static_cast<float>(bench.range(1));
    design.InRange = true;
    tavro::sCore(design, fields, '.');
    QImage image(700, 1000, QImage::Format_RGB32);
    tavro::PainterTarget sheet(image);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(tavro::Rebuilder(sheet, design, tavro::OutputMode::Window, '.'));
        sheet.release();
    }
}
BENCHMARK(BM_RebuilderWindow)->Args({30, 45})->Args({50, 60})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
