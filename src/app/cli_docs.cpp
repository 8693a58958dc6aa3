// Parameter files on the command line: "open FILE" and "--save FILE".
#include "cli_docs.h"

#include <ostream>

#include "params_file.h"

namespace tavro {

bool takeDocArgument(const std::vector<std::string>& args, size_t& i, DocOptions& options,
                     std::string& why) {
    const std::string& a = args[i];
    if (a == "--save") {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            why = "--save needs a file name";
        } else {
            options.savePath = args[++i];
        }
        return true;
    }
    if (!options.open || a.rfind("--", 0) == 0) return false;
    // "open" reads its design from the file only: NAME=TEXT has no place beside it.
    if (options.openPath.empty() && !a.empty()) {
        options.openPath = a;
    } else {
        why = "unexpected argument " + a;
    }
    return true;
}

std::string docArgumentsProblem(const DocOptions& options) {
    return options.open && options.openPath.empty() ? "open needs a FILE.dat" : "";
}

bool loadDocument(const DocOptions& options, DesignState& state, Fields& fields,
                  std::ostream& err) {
    if (!options.open || LoadParams(options.openPath, state, fields)) return true;
    err << options.openPath
        << ": not loaded: not a nozzle parameter file (missing, unreadable, fewer than 22 rows "
           "or not text)\n";
    return false;
}

bool saveDocument(const DocOptions& options, DesignState& state, const Fields& fields,
                  std::ostream& err) {
    if (options.savePath.empty()) return true;
    std::string why;
    if (SaveParams(options.savePath, state, fields, &why)) return true;
    err << options.savePath << ": not saved: " << why << '\n';
    return false;
}

}  // namespace tavro
