// The sheet after a refusal: the words in red, then every detail line wrapped to the sheet and
// centred, no word lost.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "off_design_sheet.h"
#include "recording_target.h"

namespace tavro {
namespace {

struct Printed {
    double x, y;
    std::string colour, text;
};

// The print lines of a recording: "print X Y #RRGGBB ptP "TEXT"".
std::vector<Printed> printed(const std::string& recording) {
    std::vector<Printed> out;
    std::istringstream lines(recording);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("print ", 0) != 0) continue;
        std::istringstream in(line.substr(6));
        Printed p;
        std::string size;
        in >> p.x >> p.y >> p.colour >> size;
        std::getline(in, p.text);
        p.text = p.text.substr(2, p.text.size() - 3);  // the quotes
        out.push_back(p);
    }
    return out;
}

TEST(OffDesignSheet, WrapsAndCentresEveryLine) {
    const std::vector<std::string> detail = {
        "Причина: отношение Ra/Rкр = 2,35 лежит вне графика длины диффузора для Qa = 9°.",
        "При H = 0 м расчетный режим при Pк от 4,32 до 30 МПа;",
        "при Pк = 4 МПа — при H от 730 до 18820 м.",
    };
    std::ostringstream recording;
    RecordingTarget sheet(recording, kRecordedSheet, kRecordedPage, 20);
    OffDesignSheet(sheet, kDefaultButtonFace, detail);
    const std::vector<Printed> p = printed(recording.str());
    ASSERT_GT(p.size(), 1 + detail.size());  // the first line is too long for the sheet
    EXPECT_EQ(p[0].text, "НЕРАСЧЕТНЫЙ РЕЖИМ");
    EXPECT_EQ(p[0].colour, "#c00000");
    std::string words;
    for (size_t i = 1; i < p.size(); ++i) {
        EXPECT_EQ(p[i].colour, "#000000");
        EXPECT_GT(p[i].y, p[i - 1].y);
        const double width = sheet.textWidth(p[i].text);
        EXPECT_LE(width, 0.9 * kRecordedSheet.width) << p[i].text;
        EXPECT_NEAR(p[i].x + width / 2, kRecordedSheet.width / 2, 0.5) << p[i].text;
        words += (words.empty() ? "" : " ") + p[i].text;
    }
    std::string expected;
    for (const std::string& line : detail) expected += (expected.empty() ? "" : " ") + line;
    EXPECT_EQ(words, expected);
}

}  // namespace
}  // namespace tavro
