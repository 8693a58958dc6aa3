// Start-up benchmark: the window program, ending as soon as its sheet is first drawn.
#include "program.h"

int main(int argc, char** argv) {
    return tavro::runProgram(argc, argv, true);
}
