// The command-line tool's calculation: rows, outcomes, rejected inputs and usage errors.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "design_state.h"

namespace tavro {
namespace {

int cli(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream o, e;
    const int status = runCli(args, o, e);
    out = o.str();
    err = e.str();
    return status;
}

TEST(CommandLine, ComputesRejectsAndExplainsUsage) {
    std::string out, err;
    EXPECT_EQ(cli({"calc", "Rkr=10", "Qa=10", "k=1.24", "Pk=5", "H=0", "Rc=30", "Qc=45"}, out, err),
              0);
    EXPECT_NE(out.find("\n19\t50.42\n20\t76.63\n21\t\noutcome\tok\n"), std::string::npos) << out;
    EXPECT_EQ(out.rfind("0\t\n1\tinput\n2\t10\n", 0), 0u) << out;

    // A decimal comma computes as the point does; two separators are an input error.
    std::string point;
    EXPECT_EQ(cli({"calc", "Rkr=10", "Qa=10", "k=1.24", "Pk=5"}, point, err), 0);
    EXPECT_EQ(cli({"calc", "Rkr=10", "Qa=10", "k=1,24", "Pk=5"}, out, err), 0);
    point.replace(point.find("\n4\t1.24\n"), 8, "\n4\t1,24\n");
    EXPECT_EQ(out, point);
    EXPECT_EQ(cli({"calc", "Rkr=10", "Qa=10", "k=1,2,4", "Pk=5"}, out, err), 2);
    EXPECT_EQ(out.rfind("rejected\t4\tЗадайте правильно показатель адиабаты", 0), 0u) << out;

    EXPECT_EQ(cli({"calc", "--no-check", "Rkr=0", "Qa=10", "k=1.24", "Pk=5"}, out, err), 4);
    EXPECT_NE(out.find("outcome\terror\n"), std::string::npos);
    EXPECT_NE(err.find("в блоке sCore."), std::string::npos);

    EXPECT_EQ(cli({"calc", "Rkr=10", "Qa=12", "k=1.24", "Pk=5"}, out, err), 3);
    EXPECT_NE(out.find("outcome\toff-design\n"), std::string::npos);

    EXPECT_EQ(cli({"calc", "--decimal-comma", "Rkr=10", "Qa=10", "k=1.24", "Pk=5"}, out, err), 0);
    EXPECT_NE(out.find("\n8\t10,0001\n"), std::string::npos) << out;

    for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                                {"draw"},
                                                {"calc", "Rx=1"},
                                                {"calc", "Rkr"},
                                                {"calc", "--fast"}}) {
        EXPECT_EQ(cli(bad, out, err), 64);
        EXPECT_NE(err.find("usage:"), std::string::npos);
    }
}

// A wall whose tangent crossing is not between the outlet fillet's end and the exit lip cannot
// be cut; such designs pass the input checks and still are off-design, with no result written.
TEST(Core, ImpossibleWallIsOffDesign) {
    const std::vector<std::vector<std::string>> designs = {
        {"Rkr=10", "Qa=9", "k=1.24", "Pk=30", "H=2000", "Rc=30", "Qc=45"},  // crossing past exit
        {"Rkr=10", "Qa=9", "k=1.1", "Pk=20", "H=1000", "Rc=30", "Qc=45"},   // crossing metres away
        {"Rkr=10", "Qa=9.5", "k=1.24", "Pk=5", "H=15000", "Rc=30", "Qc=45"},  // negative Qm
    };
    for (const auto& design : designs) {
        std::vector<std::string> args = {"calc"};
        args.insert(args.end(), design.begin(), design.end());
        std::ostringstream out, err;
        EXPECT_EQ(runCli(args, out, err), kExitOffDesign) << design[4];
        std::string untouched = "\n10\tresult\n";
        for (int row = kRowPa; row <= kRowNote; ++row) untouched += std::to_string(row) + "\t\n";
        EXPECT_NE(out.str().find(untouched + "outcome\toff-design\n"), std::string::npos)
            << out.str();
        EXPECT_EQ(err.str(), "");
    }
}

}  // namespace
}  // namespace tavro
