// The command-line tool: one design computed without a window, for batch use and scripts.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tavro {

// Exit statuses of the tool.
enum CliStatus : int {
    kExitOk = 0,
    kExitRejected = 2,
    kExitOffDesign = 3,
    kExitError = 4,
    kExitSaveFailed = 5,
    kExitNotLoaded = 6,
    kExitUsage = 64,
};

// Runs the tool on its arguments (without the program name); returns the exit status.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavro
