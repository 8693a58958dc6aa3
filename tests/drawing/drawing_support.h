// Shared helpers of the drawing tests: computed example designs and a parsed recording.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core.h"
#include "design_state.h"
#include "inputs.h"
#include "rebuilder.h"
#include "recording_reporter.h"
#include "recording_target.h"

namespace tavro::test {

// The example designs: Rkr=10 Qa=10 k=1.24 Pk=5 H=0 and the given options; shown receives the
// field texts when given.
inline DesignState computedDesign(const std::map<int, std::string>& extra = {},
                                  const std::string& rc = "", const std::string& qc = "",
                                  FieldTable* shown = nullptr) {
    FieldTable local;
    FieldTable& fields = shown ? *shown : local;
    const std::map<int, std::string> base = {
        {kRowRkr, "10"}, {kRowQa, "10"}, {kRowK, "1.24"}, {kRowPk, "5"},
        {kRowH, "0"},    {kRowRc, rc},   {kRowQc, qc},
    };
    for (const auto& [row, text] : base) fields.setText(row, text);
    for (const auto& [row, text] : extra) fields.setText(row, text);
    DesignState state;
    state.InRange = true;
    loadDesignValues(state, fields);
    FailOnReport noReports;
    sCore(state, fields, '.', noReports);
    return state;
}

// One recorded operation split into its words; a quoted text stays one word.
struct Op {
    std::vector<std::string> words;
    const std::string& kind() const { return words.at(0); }
    double num(size_t i) const { return std::stod(words.at(i)); }
    const std::string& text() const { return words.back(); }
};

inline std::vector<Op> parseRecording(const std::string& recording) {
    std::vector<Op> ops;
    std::istringstream in(recording);
    std::string line;
    while (std::getline(in, line)) {
        Op op;
        size_t i = 0;
        while (i < line.size()) {
            if (line[i] == '"') {
                const size_t end = line.find('"', i + 1);
                op.words.push_back(line.substr(i + 1, end - i - 1));
                i = end + 2;
            } else {
                size_t end = line.find(' ', i);
                if (end == std::string::npos) end = line.size();
                op.words.push_back(line.substr(i, end - i));
                i = end + 1;
            }
        }
        ops.push_back(op);
    }
    return ops;
}

using Mode = OutputMode;

// The template planned for the recorder's A4 page, measured as the recorder measures.
inline TemplatePlan recordedPlan(const DesignState& state, double fontPoints = 8.25,
                                 PageArea page = {kRecordedPage.width, kRecordedPage.height},
                                 PageArea across = {}) {
    std::ostringstream scratch;
    RecordingTarget metrics(scratch, kRecordedPage, kRecordedPage, fontPoints);
    return planTemplate(metrics, state, page, across);
}

// Records Rebuilder on the A4 page or, in window mode, on a 700 x 1000 sheet; what the drawing
// reports goes to reporter.
inline std::string record(DesignState& state, Mode mode, Reporter& reporter, char sep = '.',
                          double fontPoints = 8.25) {
    std::ostringstream out;
    RecordingTarget target(out, kRecordedSheet, kRecordedPage, fontPoints);
    Output output(mode);
    TemplatePlan plan;
    if (mode == Mode::Template && state.InRange) {
        plan = recordedPlan(state, fontPoints);
        output.plan = &plan;
    }
    Rebuilder(target, state, output, sep, reporter);
    return out.str();
}

// The same for a design that draws without a word to the user.
inline std::string record(DesignState& state, Mode mode, char sep = '.', double fontPoints = 8.25) {
    FailOnReport noReports;
    return record(state, mode, noReports, sep, fontPoints);
}

}  // namespace tavro::test
