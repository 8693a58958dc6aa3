// Cost of saving and loading a full nozzle design through a real file.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "example_design.h"
#include "inputs.h"
#include "params_file.h"

namespace {

// A computed design with a title and a note, as a user saves it.
tavro::FieldTable fullDesign() {
    tavro::FieldTable fields;
    tavro::test::computedExample({{tavro::kRowTitle, "Опыт, сопло №3"},
                                  {tavro::kRowRc, "30"},
                                  {tavro::kRowQc, "45"},
                                  {tavro::kRowNote, "сталь 45, резец Т15К6, \"чистовой\" проход"}},
                                 &fields);
    return fields;
}

void BM_SaveParams(benchmark::State& bench) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("design.dat").toStdString();
    const tavro::FieldTable fields = fullDesign();
    tavro::DesignState state;
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::SaveParams(path, state, fields));
}
BENCHMARK(BM_SaveParams);

void BM_LoadParams(benchmark::State& bench) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("design.dat").toStdString();
    tavro::DesignState state;
    tavro::SaveParams(path, state, fullDesign());
    tavro::FieldTable fields;
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::LoadParams(path, state, fields));
}
BENCHMARK(BM_LoadParams);

// The file bytes alone, without the file system.
void BM_ParamsFileBytes(benchmark::State& bench) {
    const tavro::FieldTable fields = fullDesign();
    QByteArray bytes;
    for (auto _ : bench) benchmark::DoNotOptimize(tavro::paramsFileBytes(fields, bytes));
}
BENCHMARK(BM_ParamsFileBytes);

}  // namespace

BENCHMARK_MAIN();
