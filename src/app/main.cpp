// Entry point of the window program tavro-nozzle.
#include "program.h"

int main(int argc, char** argv) {
    return tavro::runProgram(argc, argv);
}
