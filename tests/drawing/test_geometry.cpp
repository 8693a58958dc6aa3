// The contour's geometry read back from recordings: supersonic section, tangents, symmetry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "contour.h"
#include "drawing_support.h"
#include "pi.h"

namespace tavro::test {
namespace {

constexpr double kDeg = 180 / kPi;
constexpr double kTol = 0.01;  // the recording keeps three decimals

struct Segment {
    double x1, y1, x2, y2;
};

struct Drawn {
    std::vector<Segment> contour;  // black lines
    std::vector<Op> arcs;          // black arcs
    Segment box{};
};

// The nozzle as drawn before the legend; the bars after it are black lines as well.
Drawn readBack(const std::string& recording) {
    Drawn d;
    for (const Op& op : parseRecording(recording)) {
        if (op.kind() == "print" && op.text().rfind("Масштаб", 0) == 0) break;
        if (op.kind() == "line" && op.words.at(5) == "#000000")
            d.contour.push_back({op.num(1), op.num(2), op.num(3), op.num(4)});
        if (op.kind() == "arc" && op.words.at(6) == "#000000") d.arcs.push_back(op);
        if (op.kind() == "box") d.box = {op.num(1), op.num(2), op.num(3), op.num(4)};
    }
    return d;
}

// Inclination of a segment to the downward axis, in degrees, outward positive on the right.
double inclination(const Segment& s) {
    return std::atan2(s.x2 - s.x1, s.y2 - s.y1) * kDeg;
}

struct DesignCase {
    const char* name;
    const char* rc;
    const char* qc;
    Mode mode;
    size_t coneLines;
};

class Supersonic : public ::testing::TestWithParam<DesignCase> {};

// Follows the right wall from the end of the outlet fillet down to the exit lip.
TEST_P(Supersonic, TwentyOneSegmentsTangentAtBothEnds) {
    const DesignCase& c = GetParam();
    DesignState s = computedDesign({}, c.rc, c.qc);
    const Drawn d = readBack(record(s, c.mode));
    ASSERT_EQ(d.arcs.size(), 4u);
    ASSERT_EQ(d.contour.size(), 2 * (c.coneLines + 21));

    // Scale from the blank's outline, which is as wide as the larger of the two diameters.
    const double scale = (d.box.x2 - d.box.x1) / (2.0 * std::max(s.Ra, s.Rc));
    // The right outlet fillet is the arc starting at pi; its end is where the wall turns.
    const Op& outlet = d.arcs.at(2);
    ASSERT_NEAR(outlet.num(4), 3.1416, 1e-3);
    const double end = outlet.num(5), r = outlet.num(3);
    const double mx = outlet.num(1) + r * std::cos(end), my = outlet.num(2) - r * std::sin(end);

    std::vector<Segment> right;
    for (size_t i = 2 * c.coneLines; i < d.contour.size(); i += 2) right.push_back(d.contour[i]);
    ASSERT_EQ(right.size(), 21u);
    EXPECT_NEAR(right.front().x1, mx, kTol);
    EXPECT_NEAR(right.front().y1, my, kTol);
    for (size_t i = 1; i < right.size(); ++i) {
        EXPECT_NEAR(right[i].x1, right[i - 1].x2, 1e-9);
        EXPECT_NEAR(right[i].y1, right[i - 1].y2, 1e-9);
        EXPECT_GT(right[i].y2, right[i].y1) << "the wall runs downward";
    }
    EXPECT_NEAR(inclination(right.front()), s.Qm, 0.05);
    EXPECT_NEAR(inclination(right.back()), s.Qa, 0.05);
    EXPECT_NEAR(right.back().x2, s.AxisX + s.Ra * scale, kTol);
    EXPECT_NEAR(right.back().y2, s.EntryY + s.Ln * scale, kTol);

    // Each right segment is followed by its mirror image on the left.
    for (size_t i = 0; i < d.contour.size(); i += 2) {
        const Segment& a = d.contour[i];
        const Segment& b = d.contour[i + 1];
        EXPECT_NEAR(a.x1 - s.AxisX, s.AxisX - b.x1, kTol);
        EXPECT_NEAR(a.x2 - s.AxisX, s.AxisX - b.x2, kTol);
        EXPECT_EQ(a.y1, b.y1);
        EXPECT_EQ(a.y2, b.y2);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, Supersonic,
                         ::testing::Values(DesignCase{"cone_window", "30", "45", Mode::Window, 1},
                                           DesignCase{"cone_drawing", "30", "45", Mode::Drawing, 1},
                                           DesignCase{"cone_template", "30", "45", Mode::Template,
                                                      1},
                                           DesignCase{"fillet_window", "12", "45", Mode::Window, 0},
                                           DesignCase{"plain_template", "", "", Mode::Template, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WallCase {
    const char* name;
    FieldTexts texts;
};

// Distance from q to the exact contour, taken as a fine polyline of each piece.
double distanceToContour(const Contour& c, Point q) {
    constexpr int kSamples = 4000;
    double best = INFINITY;
    for (const Piece& p : c.pieces) {
        Point a = p.start;
        for (int i = 1; i <= kSamples; ++i) {
            const Point b = pointOn(p, static_cast<double>(i) / kSamples);
            const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
            const double t =
                len2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
            best = std::min(best, std::hypot(q.x - a.x - t * dx, q.y - a.y - t * dy));
            a = b;
        }
    }
    return best;
}

class DrawnWall : public ::testing::TestWithParam<WallCase> {};

// The template's wall at full size: every end of its lines and every point of its arcs lies on
// the exact contour the workshop files are made from, and the wall runs from the entrance lip
// to the exit lip.
TEST_P(DrawnWall, LiesOnTheExactContour) {
    DesignState s = computedExample(GetParam().texts);
    const auto exact = contourOf(s);
    ASSERT_TRUE(exact);
    s.AxisX = 250;
    s.EntryY = 40;
    std::ostringstream out;
    RecordingTarget target(out, kRecordedPage, kRecordedPage, 8.25);
    FailOnReport noReports;
    ASSERT_TRUE(NozzleBuilder(target, s, 1, OutputMode::Template, 2, '.', noReports));

    std::vector<Point> drawn;
    const auto onWall = [&](double x, double y) {
        drawn.push_back({y - s.EntryY, std::fabs(x - s.AxisX)});
    };
    for (const Op& op : parseRecording(out.str())) {
        if (op.kind() == "line") {
            onWall(op.num(1), op.num(2));
            onWall(op.num(3), op.num(4));
        } else if (op.kind() == "arc") {
            const double start = op.num(4);
            double span = op.num(5) - start;
            if (span < 0) span += 2 * kPi;
            for (int i = 0; i <= 8; ++i) {
                const double a = start + span * i / 8;
                onWall(op.num(1) + op.num(3) * std::cos(a), op.num(2) - op.num(3) * std::sin(a));
            }
        }
    }
    ASSERT_GE(drawn.size(), 2u * 2 * 21);
    for (const Point& q : drawn)
        EXPECT_LT(distanceToContour(*exact, q), kTol) << "at " << q.x << " " << q.y;

    const auto nearestDrawn = [&](Point p) {
        double best = INFINITY;
        for (const Point& q : drawn) best = std::min(best, std::hypot(q.x - p.x, q.y - p.y));
        return best;
    };
    EXPECT_LT(nearestDrawn(exact->pieces.front().start), kTol) << "the entrance lip";
    EXPECT_LT(nearestDrawn(exact->pieces.back().end), kTol) << "the exit lip";
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DrawnWall,
    ::testing::Values(WallCase{"cone", {{kRowRc, "30"}, {kRowQc, "45"}}},
                      WallCase{"fillet", {{kRowRc, "12"}, {kRowQc, "45"}}}, WallCase{"plain", {}},
                      WallCase{"flat_entrance", {{kRowRc, "30"}, {kRowQc, "100"}}},
                      WallCase{"steep_exit", {{kRowQa, "15"}, {kRowRc, "25"}, {kRowQc, "60"}}},
                      WallCase{"small_high",
                               {{kRowRkr, "2.5"},
                                {kRowQa, "12"},
                                {kRowK, "1.2"},
                                {kRowPk, "10"},
                                {kRowH, "3000"},
                                {kRowRc, "6"},
                                {kRowQc, "30"}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The cone ends where the inlet fillet begins: at the fillet arc's starting point.
TEST(Cone, MeetsTheInletFillet) {
    DesignState s = computedDesign({}, "30", "45");
    const Drawn d = readBack(record(s, Mode::Window));
    const Op& inlet = d.arcs.at(0);
    const double a = inlet.num(4), r = inlet.num(3);
    EXPECT_NEAR(d.contour.at(0).x2, inlet.num(1) + r * std::cos(a), kTol);
    EXPECT_NEAR(d.contour.at(0).y2, inlet.num(2) - r * std::sin(a), kTol);
    EXPECT_NEAR(inclination(d.contour.at(0)), -s.Qc, 0.05);
}

struct FitCase {
    double length, r1, r2, height, width, scale;
};

// Hand-worked examples of the sheet fit.
TEST(FitScale, Examples) {
    const FitCase cases[] = {
        {100, 20, 10, 277, 190, 0.6 * 2.77},  // lengthFit 2.77 beats widthFit 4.75
        {100, 10, 20, 277, 190, 0.6 * 2.77},  // the larger radius counts, in either place
        {10, 50, 50, 277, 190, 0.6 * 1.9},    // short and wide: the diameter fills the width
        {100, 20, 20, 225, 100, 0.6 * 2.25},  // 0.8 x 2.25 < 1.8 x 2.5: still the length
        {100, 20, 20, 225, 40, 0.6 * 1},      // lengthFit exactly 2.25 x widthFit: the width
        {0, 20, 20, 277, 190, 0},
        {100, 0, 20, 277, 190, 0},
        {100, 20, -1, 277, 190, 0},
        {-5, 20, 20, 277, 190, 0},
    };
    for (const FitCase& c : cases) {
        EXPECT_FLOAT_EQ(FitScale(c.length, c.r1, c.r2, c.height, c.width),
                        static_cast<float>(c.scale))
            << c.length << ' ' << c.r1 << ' ' << c.r2 << ' ' << c.height << ' ' << c.width;
    }
}

// Arrowheads: two barbs of the given length, 10 degrees either side of the way back.
TEST(DrawArrow, BarbsSpreadBehindTheTip) {
    const float angles[] = {0, 90, 180, -90, 135};
    for (float angle : angles) {
        std::ostringstream out;
        RecordingTarget t(out, kRecordedSheet, kRecordedPage, 8.25);
        DrawArrow(t, 100, 200, 10, kGrey, angle);
        const std::vector<Op> ops = parseRecording(out.str());
        ASSERT_EQ(ops.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            const double dx = ops[i].num(3) - 100, dy = ops[i].num(4) - 200;
            EXPECT_NEAR(std::hypot(dx, dy), 10, kTol);
            // The way from the tip back to the tail, in sheet angles (y up).
            const double back = std::atan2(-dy, dx) * kDeg;
            const double spread = std::remainder(back - (angle + 180), 360.0);
            EXPECT_NEAR(std::fabs(spread), 10, 0.01) << angle;
            EXPECT_EQ(ops[i].num(1), 100);
            EXPECT_EQ(ops[i].num(2), 200);
        }
    }
}

}  // namespace
}  // namespace tavro::test
