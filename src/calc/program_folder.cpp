// The folder of the running program: its run-time modules are looked for there first.
#include "program_folder.h"

#include <unistd.h>

#include <climits>

namespace tavro {

std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string p(path, static_cast<size_t>(n));
    return p.substr(0, p.rfind('/'));
}

}  // namespace tavro
