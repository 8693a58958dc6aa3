// The command-line tool's workshop files: --dxf, --svg, --stl, --stations and their statuses.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <sstream>

#include "cli_run.h"
#include "docs_test_util.h"
#include "workshop_formats.h"

namespace tavro {
namespace {

struct CliContourTest : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return test::utf8(dir.filePath(name)); }
    // Every format of the table, the station table at half a millimetre.
    std::vector<std::string> allFiles() const {
        std::vector<std::string> args = {"--step", "0.5"};
        for (const WorkshopFormat& f : workshopFormats())
            args.insert(args.end(), {f.option, path((std::string("n") + f.suffix).c_str())});
        return args;
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

TEST_F(CliContourTest, CalcAndOpenWriteTheSameFiles) {
    std::vector<std::string> more = allFiles();
    more.insert(more.end(), {"--decimal-comma", "--save", path("n.dat")});
    const CliRun run = cli(design(kExample, more));
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const QByteArray table = test::readAll(dir.filePath("n.csv"));
    EXPECT_TRUE(table.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(table.contains("\r\n0,500;76,134;29,500;59,000;конфузор\r\n"));
    EXPECT_TRUE(test::readAll(dir.filePath("n.dxf")).contains("$INSUNITS"));
    EXPECT_TRUE(test::readAll(dir.filePath("n.svg")).contains("<title>Опыт</title>"));
    EXPECT_GT(QFile(dir.filePath("n.stl")).size(), 84);
    EXPECT_EQ(test::readAll(dir.filePath("n.stp")).startsWith("ISO-10303-21;"), writesStep());
    // The tool's results on standard output are not mixed with a modeller's chatter.
    EXPECT_EQ(run.out.find("Transfer"), std::string::npos);

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
        const CliRun run = cli(design(inputs, allFiles()));
        EXPECT_EQ(run.status, kExitOffDesign);
        EXPECT_NE(run.err.find("Нерасчетный режим"), std::string::npos);
        for (const char* name : {"n.dxf", "n.svg", "n.stl", "n.stp", "n.csv"})
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

// --help lists every format's option, and says so when this build writes no STEP.
TEST_F(CliContourTest, HelpNamesEveryFormat) {
    const CliRun run = cli({"--help"});
    EXPECT_EQ(run.status, kExitOk);
    for (const WorkshopFormat& f : workshopFormats())
        EXPECT_NE(run.out.find(std::string("  ") + f.option + " FILE"), std::string::npos)
            << f.option;
    EXPECT_EQ(run.out.find("--stp FILE") != std::string::npos, writesStep());
    EXPECT_EQ(run.out.find("no STEP") != std::string::npos, !writesStep());
}

}  // namespace
}  // namespace tavro
