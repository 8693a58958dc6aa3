// The window program as a function, so that the start-up benchmark runs exactly what users run.
#pragma once

#include <functional>

namespace tavro {

// Runs the window program. atFirstFrame, when given, is called once the window's first frame,
// with its drawn sheet, has gone to the screen.
int runProgram(int argc, char** argv, const std::function<void()>& atFirstFrame = {});

}  // namespace tavro
