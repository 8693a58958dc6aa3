// Entry point of tavro-nozzle-cli.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tavro::runCli(args, std::cout, std::cerr);
}
