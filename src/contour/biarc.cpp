// The wall as lines and arcs only: the supersonic curve replaced by a chain of tangent biarcs.
#include <cmath>

#include "contour.h"

namespace tavro {
namespace {

constexpr int kDeepestSplit = 24;
constexpr int kSamples = 32;

Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
Point operator*(double k, Point a) {
    return {k * a.x, k * a.y};
}
double dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
double cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}
double length(Point a) {
    return std::hypot(a.x, a.y);
}
Point leftNormal(Point unit) {
    return {-unit.y, unit.x};
}
Point unit(Point a) {
    return (1 / length(a)) * a;
}

Span line(Point a, Point b) {
    Span s;
    s.start = a;
    s.end = b;
    return s;
}

// The arc leaving `from` along the unit tangent and passing through `to`; a straight span when
// the two are in line.
Span tangentArc(Point from, Point tangent, Point to) {
    const Point d = to - from;
    const double side = dot(leftNormal(tangent), d);
    const double len2 = dot(d, d);
    if (std::fabs(side) <= 1e-12 * len2) return line(from, to);
    const double r = len2 / (2 * side);  // signed: positive turns left
    Span s;
    s.start = from;
    s.end = to;
    s.centre = from + r * leftNormal(tangent);
    s.radius = std::fabs(r);
    s.counterclockwise = r > 0;
    return s;
}

// The same arc run the other way.
Span reversed(Span s) {
    std::swap(s.start, s.end);
    s.counterclockwise = !s.counterclockwise;
    return s;
}

double distanceToSpan(const Span& s, Point q) {
    if (s.radius == 0) {
        const Point d = s.end - s.start;
        const double t = std::fmax(0.0, std::fmin(1.0, dot(q - s.start, d) / dot(d, d)));
        return length(q - (s.start + t * d));
    }
    // Within the arc's sector the distance is the one to its circle, else to the nearer end.
    const Point a = s.start - s.centre, b = s.end - s.centre, v = q - s.centre;
    const double turn = s.counterclockwise ? 1 : -1;
    if (turn * cross(a, v) >= 0 && turn * cross(v, b) >= 0) return std::fabs(length(v) - s.radius);
    return std::fmin(length(q - s.start), length(q - s.end));
}

struct Bezier {
    Point s, p, e;
    Point at(double t) const {
        const double u = 1 - t;
        return u * u * s + 2 * u * t * p + t * t * e;
    }
    Point derivative(double t) const { return 2 * (1 - t) * (p - s) + 2 * t * (e - p); }
};

// Biarcs of the curve between t0 and t1, split in halves until within tolerance. The two arcs
// meet at the incentre of the triangle of the part's ends and its control point, which keeps
// them close to a curve that turns one way.
void fit(const Bezier& b, double t0, double t1, double tolerance, int depth,
         std::vector<Span>& out) {
    const Point p0 = b.at(t0), p2 = b.at(t1);
    const Point p1 = p0 + (0.5 * (t1 - t0)) * b.derivative(t0);
    const double a = length(p2 - p1), c = length(p1 - p0), d = length(p2 - p0);
    const Point joint = (1 / (a + c + d)) * (a * p0 + d * p1 + c * p2);
    const Span first = tangentArc(p0, unit(p1 - p0), joint);
    const Span second = reversed(tangentArc(p2, unit(p1 - p2), joint));

    double error = 0;
    for (int i = 1; i < kSamples; ++i) {
        const Point q = b.at(t0 + (t1 - t0) * i / kSamples);
        error = std::fmax(error, std::fmin(distanceToSpan(first, q), distanceToSpan(second, q)));
    }
    if (error > tolerance && depth < kDeepestSplit) {
        const double tm = 0.5 * (t0 + t1);
        fit(b, t0, tm, tolerance, depth + 1, out);
        fit(b, tm, t1, tolerance, depth + 1, out);
        return;
    }
    out.push_back(first);
    out.push_back(second);
}

}  // namespace

std::vector<Span> wallSpans(const Contour& contour, double tolerance) {
    std::vector<Span> spans;
    for (const Piece& piece : contour.pieces) {
        switch (piece.kind) {
            case PieceKind::Cone:
                spans.push_back(line(piece.start, piece.end));
                break;
            case PieceKind::InletFillet:
            case PieceKind::OutletFillet: {
                Span s;
                s.start = piece.start;
                s.end = piece.end;
                s.centre = piece.centre;
                s.radius = piece.radius;
                s.counterclockwise = true;
                spans.push_back(s);
                break;
            }
            case PieceKind::Supersonic: {
                const size_t first = spans.size();
                fit({piece.start, piece.control, piece.end}, 0, 1, tolerance, 0, spans);
                // The chain starts and ends on the exact end points, not on re-evaluated ones.
                spans[first].start = piece.start;
                spans.back().end = piece.end;
                break;
            }
        }
    }
    return spans;
}

}  // namespace tavro
