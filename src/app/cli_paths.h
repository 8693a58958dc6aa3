// The files one command of the tool reads and writes, and the escaping of the rows it prints.
#pragma once

#include <string>
#include <vector>

namespace tavro {

// A file named on the command line, with the option that named it ("open", "--png" ...).
struct NamedPath {
    std::string option;
    std::string path;
};

// Empty when no two of the paths name one file; otherwise which two do. One file is the same
// path, the same path once resolved, or the same device and inode (a hard or symbolic link).
// Character devices (/dev/null, a terminal) may be named more than once: nothing is replaced.
std::string samePathProblem(const std::vector<NamedPath>& paths);

// A field text as one line of the tool's rows: control characters and the backslash escaped
// (\t, \n, \r, \\, \xNN); everything else, UTF-8 included, as it is.
std::string escapedRowText(const std::string& text);

}  // namespace tavro
