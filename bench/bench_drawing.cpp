// Cost of one redraw of the window's sheet: Rebuilder on a 700 x 1000 image, for a nozzle that
// fits the sheet at its usual scale (Rc 30, Qc 45) and one that must be fitted (Rc 50, Qc 60);
// and of writing a template of 20 A4 pages as a PDF.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <iostream>
#include <string>

#include "design_state.h"
#include "example_design.h"
#include "painter_target.h"
#include "rebuilder.h"

namespace {

void BM_RebuilderWindow(benchmark::State& bench) {
    tavro::DesignState design =
        tavro::test::computedExample({{tavro::kRowTitle, "Пример"},
                                      {tavro::kRowRc, std::to_string(bench.range(0))},
                                      {tavro::kRowQc, std::to_string(bench.range(1))}});
    QImage image(700, 1000, QImage::Format_RGB32);
    tavro::PainterTarget sheet(image);
    tavro::StreamReporter reporter(std::cerr);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(
            tavro::Rebuilder(sheet, design, tavro::OutputMode::Window, '.', reporter));
        sheet.release();
    }
}
BENCHMARK(BM_RebuilderWindow)->Args({30, 45})->Args({50, 60})->Unit(benchmark::kMicrosecond);

// Rkr 80 mm: about a metre long, 20 A4 pages with 10 mm margins. Planning, drawing and
// writing the PDF into memory, as the tool does before saving it.
void BM_TemplatePdf20Pages(benchmark::State& bench) {
    tavro::DesignState design = tavro::test::computedExample({{tavro::kRowTitle, "Пример"},
                                                              {tavro::kRowNote, "сталь 20"},
                                                              {tavro::kRowRkr, "80"},
                                                              {tavro::kRowPk, "9.4"},
                                                              {tavro::kRowH, "10000"}});
    tavro::StreamReporter reporter(std::cerr);
    size_t pages = 0, bytes = 0;
    for (auto _ : bench) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            tavro::setUpPdf(writer, 600,
                            tavro::pdfPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait));
            tavro::Output output(tavro::OutputMode::Template);
            const tavro::TemplatePlan plan =
                tavro::planForPaper(writer, design, tavro::kPageFontPoints);
            output.plan = &plan;
            pages = plan.pages.size();
            tavro::PainterTarget page(writer, {});
            benchmark::DoNotOptimize(tavro::Rebuilder(page, design, output, '.', reporter));
        }
        bytes = static_cast<size_t>(pdf.size());
    }
    bench.counters["pages"] = static_cast<double>(pages);
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TemplatePdf20Pages)->Unit(benchmark::kMillisecond);

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
