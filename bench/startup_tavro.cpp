// Start-up benchmark: the window program, ending once its first frame is on the screen.
#include "first_frame.h"
#include "program.h"

int main(int argc, char** argv) {
    return tavro::runProgram(argc, argv, tavro::bench::printFirstFrame);
}
