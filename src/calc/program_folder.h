// The folder of the running program: its run-time modules are looked for there first.
#pragma once

#include <string>

namespace tavro {

// The folder of the running program's file ("." if the system does not say).
std::string programFolder();

}  // namespace tavro
