// Cost of saving and loading a full nozzle design through a real file.
#include <benchmark/benchmark.h>

#include <iostream>

#include <QTemporaryDir>

#include "core.h"
#include "inputs.h"
#include "params_file.h"

namespace {

// A computed design with a title and a note, as a user saves it.
tavro::FieldTable fullDesign() {
    tavro::FieldTable fields;
    fields.setText(tavro::kRowTitle, "Опыт, сопло №3");
    fields.setText(tavro::kRowRkr, "10");
    fields.setText(tavro::kRowQa, "10");
    fields.setText(tavro::kRowK, "1.24");
    fields.setText(tavro::kRowPk, "5");
    fields.setText(tavro::kRowH, "0");
    fields.setText(tavro::kRowRc, "30");
    fields.setText(tavro::kRowQc, "45");
    fields.setText(tavro::kRowNote, "сталь 45, резец Т15К6, \"чистовой\" проход");
    tavro::DesignState state;
    state.InRange = true;
    tavro::loadDesignValues(state, fields);
    tavro::StreamReporter reporter(std::cerr);
    tavro::sCore(state, fields, '.', reporter);
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
