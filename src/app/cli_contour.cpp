// The workshop files on the command line: --dxf, --svg, --stl and --stations with --step.
#include "cli_contour.h"

#include <charconv>
#include <ostream>

#include "cli.h"
#include "contour.h"
#include "contour_files.h"
#include "faults.h"

namespace tavro {

const char* const kContourUsage =
    "  --dxf FILE               the contour for CAD and CAM: R12 DXF of lines and arcs, mm\n"
    "  --svg FILE               the contour as a picture at true size\n"
    "  --stl FILE               the flow passage as a closed binary STL solid, mm\n"
    "  --stations FILE [--step MM]  the lathe table (CSV): the radius every MM mm (1 by\n"
    "                           default), at every joint and at the throat\n";

namespace {

constexpr double kFinestStep = 0.001;  // the table's last decimal
constexpr double kCoarsestStep = 1000;

bool parseStep(const std::string& text, double& step) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, step);
    return r.ec == std::errc() && r.ptr == end && step >= kFinestStep && step <= kCoarsestStep;
}

}  // namespace

bool isContourOption(const std::string& a) {
    return a == "--dxf" || a == "--svg" || a == "--stl" || a == "--stations" || a == "--step";
}

std::string parseContourOption(const std::vector<std::string>& args, size_t& i, ContourOptions& o) {
    const std::string& a = args[i];
    if (i + 1 >= args.size() || args[i + 1].empty()) return a + " needs a value";
    const std::string& v = args[++i];
    if (a == "--dxf") {
        o.dxf = v;
    } else if (a == "--svg") {
        o.svg = v;
    } else if (a == "--stl") {
        o.stl = v;
    } else if (a == "--stations") {
        o.stations = v;
    } else if (parseStep(v, o.step)) {
        o.stepGiven = true;
    } else {
        return "bad step " + v + " (mm from 0.001 to 1000 expected)";
    }
    return "";
}

std::string contourOptionsProblem(const ContourOptions& o) {
    return o.stepGiven && o.stations.empty() ? "--step needs --stations" : "";
}

int writeContourFiles(const ContourOptions& o, const DesignState& state, char decimalSeparator,
                      std::ostream& err) {
    const std::pair<const std::string*, ContourFile> files[] = {
        {&o.dxf, ContourFile::Dxf},
        {&o.svg, ContourFile::Svg},
        {&o.stl, ContourFile::Stl},
        {&o.stations, ContourFile::Stations},
    };
    bool any = false;
    for (const auto& [path, kind] : files) any = any || !path->empty();
    if (!any) return kExitOk;
    if (!contourOf(state)) {
        StreamReporter(err).reportOffDesign();
        return kExitOffDesign;
    }
    int status = kExitOk;
    for (const auto& [path, kind] : files) {
        if (path->empty()) continue;
        std::string why;
        if (SaveContourFile(*path, kind, state, decimalSeparator, o.step, &why) !=
            ContourSave::Saved) {
            err << *path << ": not saved: " << why << '\n';
            status = kExitSaveFailed;
        }
    }
    return status;
}

}  // namespace tavro
