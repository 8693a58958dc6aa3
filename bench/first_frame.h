// How the start-up benchmark's programs end: once their first frame is on the screen, they print
// its wall-clock time for bench/startup.sh to compare with their launch, and quit.
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace tavro::bench {

// Prints the time now and quits: for a program told once its first frame has gone out.
inline void printFirstFrame() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf(
        "first-frame %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(stdout);
    QCoreApplication::quit();
}

// For a program whose first frame is being painted: it has gone to the screen once control is
// back in the event loop.
inline void reportFirstFrame() {
    QTimer::singleShot(0, qApp, printFirstFrame);
}

}  // namespace tavro::bench
