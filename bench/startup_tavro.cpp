// Start-up benchmark: the window program, ending once its first frame is on the screen.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>

#include "program.h"

int main(int argc, char** argv) {
    return tavro::runProgram(argc, argv, [] {
        // Wall-clock microseconds, compared by bench/startup.sh with the launch time.
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("first-frame %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
        std::fflush(stdout);
        QCoreApplication::quit();
    });
}
