// What the first print pays for the printer's module: loading it with Qt Print Support into a
// program that has Qt Widgets already, as the window program has. Each load is made in a child
// process of its own, since a library once loaded stays.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "print_module.h"

namespace {

// Seconds the child took to load the module and reach its services, or a negative number.
double loadInChild() {
    int pipe[2];
    if (::pipe(pipe) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        void* module = ::dlopen(TAVRO_PRINT_MODULE, RTLD_NOW | RTLD_LOCAL);
        const void* entry = module ? ::dlsym(module, tavro::kPrintServicesEntry) : nullptr;
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!entry) seconds = -1;
        const bool sent = ::write(pipe[1], &seconds, sizeof seconds) == sizeof seconds;
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipe[1]);
    double seconds = -1;
    if (child < 0 || ::read(pipe[0], &seconds, sizeof seconds) != sizeof seconds) seconds = -1;
    ::close(pipe[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    return seconds;
}

void BM_firstLoadOfThePrintModule(benchmark::State& bench) {
    for (auto _ : bench) {
        const double seconds = loadInChild();
        if (seconds < 0) {
            bench.SkipWithError("the module did not load");
            break;
        }
        bench.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_firstLoadOfThePrintModule)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
