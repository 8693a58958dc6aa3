// The contour's exact pieces: joined end to start, tangent at every joint, true to the design.
#include <gtest/gtest.h>

#include <cmath>

#include "contour_support.h"
#include "wall.h"

namespace tavro::test {
namespace {

// Unit direction of travel at the start (t = 0) or end (t = 1) of a piece.
Point direction(const Piece& p, bool atEnd) {
    Point d;
    switch (p.kind) {
        case PieceKind::Cone:
            d = {p.end.x - p.start.x, p.end.y - p.start.y};
            break;
        case PieceKind::InletFillet:
        case PieceKind::OutletFillet: {
            const Point& q = atEnd ? p.end : p.start;
            d = {-(q.y - p.centre.y), q.x - p.centre.x};  // counterclockwise
            break;
        }
        case PieceKind::Supersonic:
            d = atEnd ? Point{p.end.x - p.control.x, p.end.y - p.control.y}
                      : Point{p.control.x - p.start.x, p.control.y - p.start.y};
            break;
    }
    const double n = std::hypot(d.x, d.y);
    return {d.x / n, d.y / n};
}

class Pieces : public ::testing::TestWithParam<Typed> {};

TEST_P(Pieces, JoinExactlyAndTangentially) {
    const DesignState s = computed(GetParam());
    const auto c = contourOf(s);
    ASSERT_TRUE(c);
    const auto& pieces = c->pieces;
    ASSERT_GE(pieces.size(), 3u);
    const bool cone = pieces.front().kind == PieceKind::Cone;
    ASSERT_EQ(pieces.size(), cone ? 4u : 3u);

    EXPECT_EQ(pieces.front().start.x, 0.0);
    EXPECT_NEAR(pieces.front().start.y, s.Rc, 1e-4);
    EXPECT_EQ(pieces.back().end.x, static_cast<double>(s.Ln));
    EXPECT_EQ(pieces.back().end.y, static_cast<double>(s.Ra));
    EXPECT_DOUBLE_EQ(c->length, s.Ln);

    const Piece& inlet = pieces[cone ? 1 : 0];
    const Piece& outlet = pieces[cone ? 2 : 1];
    EXPECT_EQ(inlet.kind, PieceKind::InletFillet);
    EXPECT_EQ(outlet.kind, PieceKind::OutletFillet);
    EXPECT_DOUBLE_EQ(inlet.radius, s.Rint);
    EXPECT_DOUBLE_EQ(outlet.radius, s.Rout);
    EXPECT_DOUBLE_EQ(inlet.end.y, s.Rkr) << "the throat";
    EXPECT_DOUBLE_EQ(inlet.end.x, c->throatX);
    EXPECT_NEAR(s.Ln - c->throatX, s.La, 1e-4) << "the diffuser runs from the throat to the exit";

    for (const Piece& p : pieces) {
        if (p.kind == PieceKind::InletFillet || p.kind == PieceKind::OutletFillet) {
            EXPECT_NEAR(std::hypot(p.start.x - p.centre.x, p.start.y - p.centre.y), p.radius, 1e-9);
            EXPECT_NEAR(std::hypot(p.end.x - p.centre.x, p.end.y - p.centre.y), p.radius, 1e-9);
        }
        EXPECT_LE(p.start.x, p.end.x) << pieceName(p.kind) << " runs downstream";
    }
    for (size_t i = 1; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].start.x, pieces[i - 1].end.x) << i;
        EXPECT_EQ(pieces[i].start.y, pieces[i - 1].end.y) << i;
        const Point a = direction(pieces[i - 1], true), b = direction(pieces[i], false);
        EXPECT_NEAR(a.x * b.y - a.y * b.x, 0, 1e-6) << "tangent at joint " << i;
        EXPECT_GT(a.x * b.x + a.y * b.y, 0) << i;
    }
    // The supersonic curve leaves the outlet fillet at the opening angle and meets the lip at
    // the exit half-angle.
    const Point start = direction(pieces.back(), false), end = direction(pieces.back(), true);
    constexpr double kDeg = 180 / 3.1415926536;
    EXPECT_NEAR(std::atan2(start.y, start.x) * kDeg, s.Qm, 1e-4);
    EXPECT_NEAR(std::atan2(end.y, end.x) * kDeg, s.Qa, 1e-4);
}

// The radius found from x agrees with the point found from the piece's own parameter (the ends
// are the joints themselves, which the station table takes as they are).
TEST_P(Pieces, RadiusAtAxialPositionLiesOnThePiece) {
    const auto c = contourOf(computed(GetParam()));
    ASSERT_TRUE(c);
    for (const Piece& p : c->pieces) {
        for (int i = 1; i < 50; ++i) {
            const Point q = pointOn(p, i / 50.0);
            if (p.end.x > p.start.x) {
                EXPECT_NEAR(radiusAt(p, q.x), q.y, 1e-9) << pieceName(p.kind) << " " << i;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, Pieces, ::testing::ValuesIn(kDesigns), testName);

// Off-design results and walls that cannot be made give no contour at all.
TEST(Contour, NoneForOffDesignOrImpossibleWalls) {
    const Typed impossible[] = {
        {"crossing_beyond_exit", "10", "9", "1.24", "30", "2000", "30", "45"},
        {"crossing_far_away", "10", "9", "1.1", "20", "1000", "30", "45"},
        {"negative_opening", "10", "9.5", "1.24", "5", "15000", "30", "45"},
    };
    for (const Typed& t : impossible) {
        const DesignState s = computed(t);
        EXPECT_FALSE(wallIsBuildable(s)) << t.name;
        EXPECT_FALSE(contourOf(s)) << t.name;
    }
    DesignState outside = computed(kDesigns[0]);
    ASSERT_TRUE(contourOf(outside));
    outside.InRange = false;
    EXPECT_FALSE(contourOf(outside));
    EXPECT_FALSE(contourOf(DesignState{}));
}

}  // namespace
}  // namespace tavro::test
