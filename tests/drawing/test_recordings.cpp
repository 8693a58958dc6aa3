// The example designs drawn in every mode, compared with reviewed golden recordings.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "drawing_support.h"
#include "golden_file.h"

namespace tavro::test {
namespace {

struct GoldenCase {
    const char* name;
    const char* rc;
    const char* qc;
    Mode mode;
};

const GoldenCase kGoldenCases[] = {
    {"cone_window", "30", "45", Mode::Window},     {"cone_drawing", "30", "45", Mode::Drawing},
    {"cone_template", "30", "45", Mode::Template}, {"fillet_window", "12", "45", Mode::Window},
    {"fillet_drawing", "12", "45", Mode::Drawing}, {"fillet_template", "12", "45", Mode::Template},
    {"plain_window", "", "", Mode::Window},        {"plain_drawing", "", "", Mode::Drawing},
    {"plain_template", "", "", Mode::Template},
};

std::string goldenPath(const std::string& name) {
    return std::string(TAVRO_GOLDEN_DIR) + "/" + name + ".rec";
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

// A differing recording is left beside its golden file for review, never written over it.
TEST_P(Golden, RecordingMatches) {
    const GoldenCase& c = GetParam();
    DesignState state = computedDesign({{kRowTitle, "Пример"}, {kRowNote, "сталь 20"}}, c.rc, c.qc);
    EXPECT_TRUE(matchesGolden(goldenPath(c.name), record(state, c.mode))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Examples, Golden, ::testing::ValuesIn(kGoldenCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A differing output fails and waits beside the golden file, which stays as it was; once the
// output matches again the waiting file goes.
TEST(GoldenFile, DifferingOutputWaitsBesideTheUntouchedGolden) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("tavro-golden-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path golden = dir / "a.rec", out = dir / "a.rec.out";
    std::ofstream(golden, std::ios::binary) << "line 1\n";

    EXPECT_FALSE(matchesGolden(golden.string(), "line 2\n"));
    EXPECT_EQ(contentOf(golden), "line 1\n");
    EXPECT_EQ(contentOf(out), "line 2\n");

    EXPECT_TRUE(matchesGolden(golden.string(), "line 1\n"));
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(matchesGolden((dir / "none.rec").string(), "x"));
    std::filesystem::remove_all(dir);
}

class TemplateContent : public ::testing::TestWithParam<GoldenCase> {};

// A template is cut along its contour: no dimension text, arrows or angle marks on it, only
// the axis, the diffuser and throat lines, the blank's outline and the black contour.
TEST_P(TemplateContent, CarriesNoDimensions) {
    DesignState state = computedDesign({}, GetParam().rc, GetParam().qc);
    int grey = 0, blueText = 0, contour = 0;
    for (const Op& op : parseRecording(record(state, Mode::Template))) {
        if (op.kind() == "print" && op.words.at(3) == "#0000ff") ++blueText;
        if (op.kind() == "line" || op.kind() == "box" || op.kind() == "arc") {
            const std::string& colour = op.words.at(op.kind() == "arc" ? 6 : 5);
            if (colour == "#969696") ++grey;
            if (colour == "#000000") ++contour;
        }
    }
    EXPECT_EQ(blueText, 0);
    EXPECT_EQ(grey, 4);
    EXPECT_GE(contour, 4 + 2 * 21);
}

INSTANTIATE_TEST_SUITE_P(Examples, TemplateContent,
                         ::testing::Values(kGoldenCases[2], kGoldenCases[5], kGoldenCases[8]),
                         [](const auto& info) { return std::string(info.param.name); });

// The template's legend always reads 1:1, and the printed drawing's legend is its own scale.
TEST(Legend, ShowsTheScaleOfThePage) {
    struct Case {
        Mode mode;
        std::map<int, std::string> texts;
        const char* legend;
    };
    const Case cases[] = {
        {Mode::Template, {}, "Масштаб 1:1"},
        {Mode::Template, {{kRowRkr, "100"}}, "Масштаб 1:1"},
        {Mode::Drawing, {}, "Масштаб 2,325:1"},
        {Mode::Drawing, {{kRowRkr, "100"}, {kRowRc, "300"}}, "Масштаб 1:4,3"},
    };
    for (const Case& c : cases) {
        std::map<int, std::string> texts = {{kRowRc, "30"}, {kRowQc, "45"}};
        for (const auto& [row, text] : c.texts) texts[row] = text;
        DesignState state = computedDesign(texts);
        std::vector<std::string> legends;
        for (const Op& op : parseRecording(record(state, c.mode, ',')))
            if (op.kind() == "print" && op.text().rfind("Масштаб", 0) == 0)
                legends.push_back(op.text());
        EXPECT_EQ(legends, std::vector<std::string>{c.legend});
    }
}

}  // namespace
}  // namespace tavro::test
