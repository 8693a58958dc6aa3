// Runs the command-line tool in-process and keeps its status and both output streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace tavro {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace tavro
