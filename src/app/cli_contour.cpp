// The workshop files on the command line: one option per format of the table, --step.
#include "cli_contour.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "cli.h"
#include "contour.h"
#include "contour_files.h"
#include "faults.h"

namespace tavro {

namespace {

constexpr double kFinestStep = 0.001;  // the table's last decimal
constexpr double kCoarsestStep = 1000;
constexpr size_t kHelpColumn = 27;
constexpr size_t kHelpWidth = 92;

// The option's words after its name, wrapped under one another.
std::string wrapped(const std::string& words) {
    std::string out, line;
    size_t from = 0;
    while (from < words.size()) {
        size_t to = words.find(' ', from);
        if (to == std::string::npos) to = words.size();
        const std::string word = words.substr(from, to - from);
        if (!line.empty() && kHelpColumn + line.size() + 1 + word.size() > kHelpWidth) {
            out += line + "\n" + std::string(kHelpColumn, ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        from = to + 1;
    }
    return out + line;
}

bool parseStep(const std::string& text, double& step) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, step);
    return r.ec == std::errc() && r.ptr == end && step >= kFinestStep && step <= kCoarsestStep;
}

const WorkshopFormat* formatOf(const std::string& option) {
    for (const WorkshopFormat& f : workshopFormats())
        if (option == f.option) return &f;
    return nullptr;
}

}  // namespace

std::string contourUsage() {
    std::string usage;
    for (const WorkshopFormat& f : workshopFormats()) {
        std::string line = std::string("  ") + f.option + " FILE";
        line.resize(std::max(kHelpColumn - 2, line.size()), ' ');
        usage += line + "  " + wrapped(f.help) + "\n";
    }
    if (!writesStep()) usage += "  (no --stp: this build has no Open CASCADE and writes no STEP)\n";
    return usage;
}

bool isContourOption(const std::string& a) {
    return a == "--step" || formatOf(a) != nullptr;
}

std::string parseContourOption(const std::vector<std::string>& args, size_t& i, ContourOptions& o) {
    const std::string& a = args[i];
    if (i + 1 >= args.size() || args[i + 1].empty()) return a + " needs a value";
    const std::string& v = args[++i];
    if (const WorkshopFormat* f = formatOf(a)) {
        o.files.emplace_back(f, v);
    } else if (parseStep(v, o.step)) {
        o.stepGiven = true;
    } else {
        return "bad step " + v + " (mm from 0.001 to 1000 expected)";
    }
    return "";
}

std::string contourOptionsProblem(const ContourOptions& o) {
    if (!o.stepGiven) return "";
    std::string stepped;
    for (const WorkshopFormat& f : workshopFormats()) {
        if (!f.stepped) continue;
        for (const auto& file : o.files)
            if (file.first == &f) return "";
        stepped = f.option;
    }
    return "--step needs " + stepped;
}

int writeContourFiles(const ContourOptions& o, const DesignState& state, char decimalSeparator,
                      std::ostream& err) {
    if (o.files.empty()) return kExitOk;
    if (!contourOf(state)) {
        StreamReporter(err).reportOffDesign();
        return kExitOffDesign;
    }
    int status = kExitOk;
    for (const auto& [format, path] : o.files) {
        std::string why;
        if (SaveContourFile(path, *format, state, decimalSeparator, o.step, &why) !=
            ContourSave::Saved) {
            err << path << ": not saved: " << why << '\n';
            status = kExitSaveFailed;
        }
    }
    return status;
}

}  // namespace tavro
