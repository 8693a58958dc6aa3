// The command-line tool's workshop files: --dxf, --svg, --stl, --stations and their statuses.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <sstream>

#include "cli.h"
#include "docs_test_util.h"

namespace tavro {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

struct CliContourTest : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return test::utf8(dir.filePath(name)); }
    std::vector<std::string> allFour() const {
        return {"--dxf",       path("n.dxf"), "--svg",       path("n.svg"), "--stl",
                path("n.stl"), "--stations",  path("n.csv"), "--step",      "0.5"};
    }
    static std::vector<std::string> design(std::vector<std::string> inputs,
                                           const std::vector<std::string>& more) {
        inputs.insert(inputs.begin(), "calc");
        inputs.insert(inputs.end(), more.begin(), more.end());
        return inputs;
    }
};

const std::vector<std::string> kExample = {"Title=Опыт", "Rkr=10", "Qa=10", "k=1.24",
                                           "Pk=5",       "H=0",    "Rc=30", "Qc=45"};

TEST_F(CliContourTest, CalcAndOpenWriteTheSameFourFiles) {
    std::vector<std::string> more = allFour();
    more.insert(more.end(), {"--decimal-comma", "--save", path("n.dat")});
    const CliRun run = cli(design(kExample, more));
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const QByteArray table = test::readAll(dir.filePath("n.csv"));
    EXPECT_TRUE(table.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(table.contains("\r\n0,500;76,134;29,500;59,000;конфузор\r\n"));
    EXPECT_TRUE(test::readAll(dir.filePath("n.dxf")).contains("AC1009"));
    EXPECT_TRUE(test::readAll(dir.filePath("n.svg")).contains("<title>Опыт</title>"));
    EXPECT_GT(QFile(dir.filePath("n.stl")).size(), 84);

    const char* names[] = {"n.dxf", "n.svg", "n.stl"};
    std::vector<QByteArray> written;
    for (const char* name : names) written.push_back(test::readAll(dir.filePath(name)));
    const CliRun opened = cli({"open", path("n.dat"), "--dxf", path("n.dxf"), "--svg",
                               path("n.svg"), "--stl", path("n.stl")});
    ASSERT_EQ(opened.status, kExitOk) << opened.err;
    for (size_t i = 0; i < written.size(); ++i)
        EXPECT_EQ(test::readAll(dir.filePath(names[i])), written[i]) << names[i];
}

// Off-design results and walls that cannot be made write nothing at all.
TEST_F(CliContourTest, NothingWrittenWithoutABuildableContour) {
    const std::vector<std::string> offDesign = {"Rkr=10", "Qa=12", "k=1.24", "Pk=5", "H=0"};
    const std::vector<std::string> impossible = {"Rkr=10", "Qa=9",  "k=1.24", "Pk=30",
                                                 "H=2000", "Rc=30", "Qc=45"};
    for (const auto& inputs : {offDesign, impossible}) {
        const CliRun run = cli(design(inputs, allFour()));
        EXPECT_EQ(run.status, kExitOffDesign);
        EXPECT_NE(run.err.find("Нерасчетный режим"), std::string::npos);
        for (const char* name : {"n.dxf", "n.svg", "n.stl", "n.csv"})
            EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name;
    }
}

TEST_F(CliContourTest, FailedWriteAndBadStepAreReported) {
    const CliRun full = cli(design(kExample, {"--stl", "/dev/full"}));
    EXPECT_EQ(full.status, kExitSaveFailed);
    EXPECT_NE(full.err.find("/dev/full: not saved"), std::string::npos) << full.err;
    for (const char* step : {"0", "-1", "1mm", "1e9"})
        EXPECT_EQ(cli(design(kExample, {"--stations", path("n.csv"), "--step", step})).status,
                  kExitUsage)
            << step;
    EXPECT_EQ(cli(design(kExample, {"--step", "2"})).status, kExitUsage);
}

}  // namespace
}  // namespace tavro
