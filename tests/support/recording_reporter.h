// Reporters for the tests: one that keeps what the nozzle routines report, one that forbids it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "faults.h"

namespace tavro::test {

class RecordingReporter : public Reporter {
  public:
    void reportError(const std::string& block) override { errors.push_back(block); }
    void reportOffDesign() override { ++offDesign; }

    std::vector<std::string> errors;  // the blocks named, in order
    int offDesign = 0;                // how many off-design notices
};

// For code that must not report: any report fails the test.
class FailOnReport : public Reporter {
  public:
    void reportError(const std::string& block) override {
        ADD_FAILURE() << "unexpected error report: " << block;
    }
    void reportOffDesign() override { ADD_FAILURE() << "unexpected off-design notice"; }
};

}  // namespace tavro::test
