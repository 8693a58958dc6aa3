// Comparing output with a reviewed golden file without ever rewriting that file.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace tavro::test {

// The path where a differing output is left for review: beside the golden file, ".out" added.
inline std::string goldenOutPath(const std::string& goldenPath) {
    return goldenPath + ".out";
}

// Success when the output equals the golden file byte for byte. Otherwise the output is
// written to goldenOutPath() and the comparison fails; scripts/promote-golden makes a reviewed
// output the new golden file. A stale output of an earlier failing run is removed on success.
inline ::testing::AssertionResult matchesGolden(const std::string& goldenPath,
                                                const std::string& output) {
    std::ifstream in(goldenPath, std::ios::binary);
    std::stringstream golden;
    if (in) golden << in.rdbuf();
    const std::string outPath = goldenOutPath(goldenPath);
    if (in && golden.str() == output) {
        std::remove(outPath.c_str());
        return ::testing::AssertionSuccess();
    }
    std::ofstream(outPath, std::ios::binary) << output;
    return ::testing::AssertionFailure()
           << (in ? "differs from " : "no golden file ") << goldenPath << "; the output is in "
           << outPath << " (review it, then scripts/promote-golden)";
}

}  // namespace tavro::test
