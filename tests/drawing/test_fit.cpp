// The drawing fitted on its sheet: nothing leaves it, nothing runs into the legend or the note,
// and the scale is reduced only as far as that needs.
#include <gtest/gtest.h>

#include <cmath>

#include "drawing_support.h"
#include "sheet_fit.h"

namespace tavro::test {
namespace {

constexpr double kTol = 1e-3;  // the recording keeps three decimals

struct Area {
    double left, top, right, bottom;
    bool holds(double x, double y) const {
        return x >= left - kTol && x <= right + kTol && y >= top - kTol && y <= bottom + kTol;
    }
    bool holds(const Area& a) const { return holds(a.left, a.top) && holds(a.right, a.bottom); }
    bool overlaps(const Area& a) const {
        return a.left < right && left < a.right && a.top < bottom && top < a.bottom;
    }
};

size_t characters(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

// Everything a recording draws: stroke points (arcs sampled) and text boxes with the recorder's
// metrics, half an em per character and one and a quarter em per line.
struct Drawing {
    std::vector<std::pair<double, double>> points;
    std::vector<std::pair<std::string, Area>> texts;
};

Drawing drawn(const std::string& recording, double unitsPerPoint) {
    Drawing d;
    for (const Op& op : parseRecording(recording)) {
        if (op.kind() == "line" || op.kind() == "box") {
            d.points.push_back({op.num(1), op.num(2)});
            d.points.push_back({op.num(3), op.num(4)});
        } else if (op.kind() == "arc") {
            double span = op.num(5) - op.num(4);
            if (span < 0) span += 2 * 3.14159265358979;
            for (int i = 0; i <= 16; ++i) {
                const double a = op.num(4) + span * i / 16;
                d.points.push_back(
                    {op.num(1) + op.num(3) * std::cos(a), op.num(2) - op.num(3) * std::sin(a)});
            }
        } else if (op.kind() == "print") {
            const double em = std::stod(op.words.at(4).substr(2)) * unitsPerPoint;
            const double x = op.num(1), y = op.num(2);
            d.texts.push_back(
                {op.text(), {x, y, x + characters(op.text()) * em / 2, y + em * 1.25}});
        }
    }
    return d;
}

struct GridDesign {
    const char *Qa, *Pk, *Rc, *Qc;
};

// Exit angles, chamber pressures and entrance shapes that crowd every edge of the sheet.
std::vector<GridDesign> grid() {
    std::vector<GridDesign> designs;
    for (const char* qa : {"9", "10", "12", "15"})
        for (const char* pk : {"5", "30"})
            for (const char* rc : {"", "20", "50", "80"})
                for (const char* qc : {"", "60", "90"}) designs.push_back({qa, pk, rc, qc});
    return designs;
}

// On the window and on the page every stroke and every text stays on the sheet; on the page
// nothing runs into the scale legend or the note.
TEST(Fit, EverythingStaysOnTheSheet) {
    int drawnDesigns = 0;
    for (const GridDesign& g : grid()) {
        for (Mode mode : {Mode::Window, Mode::Drawing}) {
            DesignState s = computedDesign({{kRowQa, g.Qa},
                                            {kRowPk, g.Pk},
                                            {kRowTitle, "Сопло"},
                                            {kRowNote, "сталь 12Х18Н10Т"}},
                                           g.Rc, g.Qc);
            if (!s.InRange) break;
            const bool page = mode == Mode::Drawing;
            const RecordedSurface surface = page ? kRecordedPage : kRecordedSheet;
            const Drawing d = drawn(record(s, mode), surface.unitsPerPoint);
            const Area sheet{0, 0, surface.width, surface.height};
            std::vector<Area> clear;
            for (const auto& [text, box] : d.texts)
                if (page && (text.rfind("Масштаб", 0) == 0 || text == s.Note)) clear.push_back(box);
            const std::string what = std::string(g.Qa) + " " + g.Pk + " " + g.Rc + " " + g.Qc +
                                     (page ? " page" : " window");
            for (const auto& [x, y] : d.points) {
                EXPECT_TRUE(sheet.holds(x, y)) << what << ": " << x << ' ' << y;
                for (const Area& c : clear) EXPECT_FALSE(c.holds(x, y)) << what;
            }
            for (const auto& [text, box] : d.texts) {
                EXPECT_TRUE(sheet.holds(box)) << what << ": " << text;
                if (text.rfind("Масштаб", 0) == 0 || text == s.Note) continue;
                for (const Area& c : clear) EXPECT_FALSE(c.overlaps(box)) << what << ": " << text;
            }
            drawnDesigns += !page;
        }
    }
    EXPECT_GT(drawnDesigns, 60);
}

// A title or note wider than the sheet is printed smaller, whole, inside the sheet.
TEST(Fit, LongTitleAndNoteGetASmallerFont) {
    const std::string title(130, 'T'), note(150, 'n');
    for (Mode mode : {Mode::Window, Mode::Drawing}) {
        DesignState s = computedDesign({{kRowTitle, title}, {kRowNote, note}}, "30", "45");
        const RecordedSurface surface = mode == Mode::Drawing ? kRecordedPage : kRecordedSheet;
        const Drawing d = drawn(record(s, mode), surface.unitsPerPoint);
        const Area sheet{0, 0, surface.width, surface.height};
        int found = 0;
        for (const auto& [text, box] : d.texts) {
            if (text != title && text != note) continue;
            ++found;
            EXPECT_TRUE(sheet.holds(box)) << text.size();
            EXPECT_GT(box.right - box.left, 0.9 * surface.width) << "no smaller than needed";
        }
        EXPECT_EQ(found, 2);
    }
}

// The fit keeps a scale at which the drawing fits, and otherwise finds the largest that does.
TEST(Fit, ReducesTheScaleJustEnough) {
    std::ostringstream out;
    RecordingTarget sheet(out, kRecordedSheet, kRecordedPage, 8.25);
    const SheetArea area{700, 1000, 1};
    // A bar 200 mm wide on the axis and a label 11 characters (60.5 pixels) wide at its end.
    const ScaledDrawing bar = [](DrawingTarget& t, float scale) {
        t.line(350 - 100 * scale, 500, 350 + 100 * scale, 500, kGrey);
        t.setCurrentX(350 + 100 * scale);
        t.setCurrentY(500);
        t.print("Lдиф=50.42 ");
    };
    const ClearBoxes none = [](float) { return std::vector<Box>{}; };
    EXPECT_EQ(fitScale(sheet, 2.5f, area, bar, none), 2.5f);
    EXPECT_NEAR(fitScale(sheet, 5, area, bar, none), (699 - 60.5 - 350) / 100.0, 1e-4);
    // Kept clear of a box, as the page keeps clear of its legend.
    const ClearBoxes legend = [](float) { return std::vector<Box>{{600, 490, 700, 520}}; };
    EXPECT_NEAR(fitScale(sheet, 5, area, bar, legend), (600 - 60.5 - 350) / 100.0, 1e-4);
    // Nothing is drawn on the sheet and no measuring is recorded.
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace tavro::test
