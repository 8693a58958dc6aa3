// The command-line tool's figures: --performance, --range and --thrust-curve.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <charconv>
#include <sstream>

#include "cli_run.h"
#include "docs_test_util.h"

namespace tavro {
namespace {

std::vector<std::string> calc(std::vector<std::string> more) {
    std::vector<std::string> args = {"calc", "Rkr=10", "Qa=10", "k=1.24", "Pk=5", "H=0"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// What the tool printed after the outcome row.
std::string afterOutcome(const std::string& out) {
    const size_t at = out.find("outcome\t");
    return out.substr(out.find('\n', at) + 1);
}

// The example design: Cf 1.5353 at sea level, 1.6672 in vacuum, Me 3.064, 2411.7 N.
TEST(CliFigures, PerformanceRowsFollowTheUnchangedOutput) {
    const CliRun plain = cli(calc({}));
    const CliRun run = cli(calc({"--performance"}));
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.out.substr(0, plain.out.size()), plain.out);
    EXPECT_EQ(afterOutcome(run.out),
              "mach_exit\t3.064\n"
              "cf_design\t1.5353\n"
              "cf_sea_level\t1.5353\n"
              "cf_vacuum\t1.6672\n"
              "thrust_design_n\t2411.7\n"
              "thrust_sea_level_n\t2411.7\n"
              "thrust_vacuum_n\t2618.8\n"
              "pe_over_pa_sea_level\t1.000\n"
              "separation_sea_level\tno\n"
              "divergence_factor\t0.9924\n");
}

TEST(CliFigures, RangesOfComputedAndRefusedDesigns) {
    struct Case {
        std::vector<std::string> args;
        int status;
        double above, atMost;  // where the chamber-pressure range begins
    };
    const Case cases[] = {
        {calc({"--range"}), kExitOk, 0.5, 5},
        // refused at 4 MPa, works at 4.5 MPa
        {{"calc", "Rkr=10", "Qa=9", "k=1.24", "Pk=4", "H=0", "--range", "--performance"},
         kExitOffDesign,
         4,
         4.5},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        std::istringstream rows(afterOutcome(run.out));
        std::string name, lo, hi;
        ASSERT_TRUE(std::getline(rows, name, '\t') && std::getline(rows, lo, '\t') &&
                    std::getline(rows, hi));
        EXPECT_EQ(name, "pk_range_mpa");
        double from = 0;
        std::from_chars(lo.data(), lo.data() + lo.size(), from);
        EXPECT_GT(from, c.above);
        EXPECT_LE(from, c.atMost);
        EXPECT_EQ(hi, "30.00");
        EXPECT_NE(run.out.find("\nh_range_m\t"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("mach_exit"), std::string::npos);
    }
    const CliRun none =
        cli({"calc", "--no-check", "Rkr=10", "Qa=10", "k=1", "Pk=5", "H=0", "--range"});
    EXPECT_EQ(afterOutcome(none.out), "pk_range_mpa\tnone\nh_range_m\tnone\n");
}

TEST(CliFigures, ThrustCurveFile) {
    QTemporaryDir dir;
    const std::string path = test::utf8(dir.filePath("curve.csv"));
    const CliRun run = cli(calc({"H=1234", "--decimal-comma", "--thrust-curve", path}));
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const QByteArray csv = test::readAll(dir.filePath("curve.csv"));
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF\"высота, м\";"));
    EXPECT_EQ(csv.count("\r\n"), 1 + 62);
    EXPECT_TRUE(csv.contains("\r\n1234;")) << csv.left(400).toStdString();

    const CliRun refused = cli({"calc", "Rkr=10", "Qa=12", "k=1.24", "Pk=5", "H=0",
                                "--thrust-curve", test::utf8(dir.filePath("none.csv"))});
    EXPECT_EQ(refused.status, kExitOffDesign);
    EXPECT_FALSE(QFile::exists(dir.filePath("none.csv")));
    EXPECT_NE(refused.err.find("Нерасчетный режим"), std::string::npos);

    EXPECT_EQ(cli(calc({"--thrust-curve"})).status, kExitUsage);
    // One file cannot be both the curve and the design.
    const std::string dat = test::utf8(dir.filePath("n.dat"));
    const CliRun same = cli(calc({"--thrust-curve", dat, "--save", dat}));
    EXPECT_EQ(same.status, kExitUsage);
    EXPECT_FALSE(QFile::exists(dir.filePath("n.dat")));
    EXPECT_EQ(cli(calc({"--thrust-curve", "/nonexistent-folder/c.csv"})).status, kExitSaveFailed);
}

}  // namespace
}  // namespace tavro
