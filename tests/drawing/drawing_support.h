// Shared helpers of the drawing tests: computed example designs and a parsed recording.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "design_state.h"
#include "example_design.h"
#include "rebuilder.h"
#include "recording_reporter.h"
#include "recording_target.h"

namespace tavro::test {

// The example design with the given entrance radius and angle and other rows typed over it.
inline DesignState computedDesign(FieldTexts extra = {}, const std::string& rc = "",
                                  const std::string& qc = "", FieldTable* shown = nullptr) {
    extra.emplace(kRowRc, rc);
    extra.emplace(kRowQc, qc);
    return computedExample(extra, shown);
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
