// The window program as a function, so that the start-up benchmark runs exactly what users run.
#pragma once

namespace tavro {

// Runs the window program; with quitAfterFirstDrawing it ends as soon as the sheet is first drawn.
int runProgram(int argc, char** argv, bool quitAfterFirstDrawing);

}  // namespace tavro
