// The command-line tool: one design computed without a window, for batch use and scripts.
#include "cli.h"
#include "cli_output.h"

#include <cerrno>
#include <map>
#include <new>
#include <ostream>

#include "cli_contour.h"
#include "cli_docs.h"
#include "cli_figures.h"
#include "cli_paths.h"
#include "core.h"
#include "design_state.h"
#include "faults.h"
#include "inputs.h"
#include "rebuilder.h"
#include "safe_file.h"

namespace tavro {
namespace {

const std::map<std::string, int>& fieldNames() {
    static const std::map<std::string, int> names = {
        {"Title", kRowTitle}, {"Rkr", kRowRkr}, {"Qa", kRowQa}, {"k", kRowK},       {"Pk", kRowPk},
        {"H", kRowH},         {"Rc", kRowRc},   {"Qc", kRowQc}, {"Note", kRowNote},
    };
    return names;
}

const char* const kUsage =
    "usage: tavro-nozzle-cli calc [--no-check] [--decimal-comma] [--save FILE.dat] NAME=TEXT ...\n"
    "       tavro-nozzle-cli open FILE.dat [--decimal-comma] [--save FILE.dat]\n"
    "  NAME is one of Title, Rkr, Qa, k, Pk, H, Rc, Qc, Note; TEXT is the field text.\n";
std::string fullUsage() {
    return std::string(kUsage) + kOutputUsage + contourUsage() + kFigureUsage +
           "  --help                   this text\n";
}

struct CalcOptions {
    bool check = true;
    char separator = '.';
    std::map<int, std::string> texts;
    DocOptions docs;
    OutputOptions output;
    ContourOptions contour;
    FigureOptions figures;
};

// Parses the arguments after "calc"; returns an empty string or the reason they are wrong.
std::string parseCalc(const std::vector<std::string>& args, CalcOptions& o) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--no-check") {
            o.check = false;
        } else if (a == "--decimal-comma") {
            o.separator = ',';
        } else if (std::string why; takeDocArgument(args, i, o.docs, why)) {
            if (!why.empty()) return why;
        } else if (isOutputOption(a)) {
            const std::string why = parseOutputOption(args, i, o.output);
            if (!why.empty()) return why;
        } else if (isContourOption(a)) {
            const std::string why = parseContourOption(args, i, o.contour);
            if (!why.empty()) return why;
        } else if (isFigureOption(a)) {
            const std::string why = parseFigureOption(args, i, o.figures);
            if (!why.empty()) return why;
        } else if (a.rfind("--", 0) == 0) {
            return "unknown option " + a;
        } else {
            const size_t eq = a.find('=');
            if (eq == std::string::npos) return "missing '=' in " + a;
            const auto it = fieldNames().find(a.substr(0, eq));
            if (it == fieldNames().end()) return "unknown field name " + a.substr(0, eq);
            o.texts[it->second] = a.substr(eq + 1);
        }
    }
    const std::string why = contourOptionsProblem(o.contour);
    return why.empty() ? docArgumentsProblem(o.docs) : why;
}

// The drawings, the workshop files and the thrust curve; an off-design answer of any one is
// the answer.
int bothOutputs(const CalcOptions& o, DesignState& state, std::ostream& err) {
    const int drawn = drawOutputs(o.output, state, o.separator, err);
    const int written = writeContourFiles(o.contour, state, o.separator, err);
    if (drawn == kExitOffDesign || written == kExitOffDesign) return kExitOffDesign;
    const int curve = writeThrustCurve(o.figures, state, o.separator, err);
    if (drawn != kExitOk) return drawn;
    return written != kExitOk ? written : curve;
}

int runCalc(const CalcOptions& o, std::ostream& out, std::ostream& err) {
    FieldTable fields;
    DesignState state;
    state.InRange = true;
    for (const auto& [row, text] : o.texts) fields.setText(row, text);
    loadDesignValues(state, fields);
    if (!loadDocument(o.docs, state, fields, err)) return kExitNotLoaded;

    if (o.check) {
        int row = state.CurrentField;
        const std::string message = CheckEntries(state, fields, row);
        if (!message.empty()) {
            out << "rejected\t" << row << '\t' << message << '\n';
            return kExitRejected;
        }
    }

    StreamReporter reporter(err);
    const CoreOutcome outcome = sCore(state, fields, o.separator, reporter);
    const bool saved = saveDocument(o.docs, state, fields, err);

    for (int r = 0; r < kRowCount; ++r) out << r << '\t' << escapedRowText(fields.text(r)) << '\n';
    switch (outcome) {
        case CoreOutcome::Ok:
            out << "outcome\tok\n";
            printFigures(o.figures, state, true, out);
            if (!saved) return kExitSaveFailed;
            return bothOutputs(o, state, err);
        case CoreOutcome::OffDesign:
            out << "outcome\toff-design\n";
            printFigures(o.figures, state, false, out);
            // No kind of output writes anything; the off-design message is given once.
            if (o.output.any()) {
                drawOutputs(o.output, state, o.separator, err);
            } else if (writeContourFiles(o.contour, state, o.separator, err) == kExitOk &&
                       !o.figures.thrustCurve.empty()) {
                err << kOffDesignTitle << '\n' << kOffDesignText << '\n';
            }
            return saved ? kExitOffDesign : kExitSaveFailed;
        case CoreOutcome::Error:
            break;
    }
    out << "outcome\terror\n";
    return saved ? kExitError : kExitSaveFailed;
}

// Every file the command reads or writes, so that none replaces another.
std::vector<NamedPath> namedPaths(const CalcOptions& o) {
    std::vector<NamedPath> paths = {
        {"open", o.docs.openPath},     {"--save", o.docs.savePath},
        {"--record", o.output.record}, {"--png", o.output.png},
        {"--pdf", o.output.pdf},       {"--thrust-curve", o.figures.thrustCurve},
    };
    for (const auto& [format, path] : o.contour.files) paths.push_back({format->option, path});
    return paths;
}

// The rows are the tool's answer: a pipe or disk that did not take them is a failed run.
int checkedOutput(int status, std::ostream& out, std::ostream& err) {
    errno = 0;
    out.flush();
    if (out.good()) return status;
    const int error = errno;
    err << "standard output: not written: " << systemReason(error != 0 ? error : EIO) << '\n';
    return kExitSaveFailed;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << fullUsage();
        return kExitOk;
    }
    if (args.empty() || (args[0] != "calc" && args[0] != "open")) {
        err << (args.empty() ? std::string("missing command\n")
                             : "unknown command " + args[0] + "\n")
            << fullUsage();
        return kExitUsage;
    }
    CalcOptions options;
    options.docs.open = args[0] == "open";
    options.check = !options.docs.open;  // Open computes without validation, as the window does
    std::string problem = parseCalc(args, options);
    if (problem.empty()) problem = samePathProblem(namedPaths(options));
    if (!problem.empty()) {
        err << problem << '\n' << fullUsage();
        return kExitUsage;
    }
    try {
        return checkedOutput(runCalc(options, out, err), out, err);
    } catch (const std::bad_alloc&) {
        // A nozzle too large for this machine's memory: nothing half-made was written.
        err << "not enough memory for this design's outputs\n";
        return kExitSaveFailed;
    }
}

}  // namespace tavro
