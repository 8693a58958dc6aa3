// The flow passage as a closed binary STL solid: the wall revolved about the axis, both faces
// capped.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "pi.h"
#include "workshop_files.h"

namespace tavro {
namespace {

// Half of the allowed chord error goes to the profile, half to the polygon around the axis,
// so that a facet's middle stays within their sum of the true surface.
constexpr double kHalfChordError = 0.005;

// Segments of a piece whose chords stay within the error; counted in double, so that a nozzle
// too large to be made is measured before anything is.
double segmentsOf(const Piece& p) {
    if (p.kind == PieceKind::InletFillet || p.kind == PieceKind::OutletFillet) {
        const double step = 2 * std::acos(std::max(-1.0, 1 - kHalfChordError / p.radius));
        return std::max(1.0, std::ceil(sweepOf(p) / step));
    }
    if (p.kind == PieceKind::Supersonic) {
        // A quadratic's part of parameter length h departs from its chord by at most
        // |S - 2P + E| h^2 / 4.
        const double bend = std::hypot(p.start.x - 2 * p.control.x + p.end.x,
                                       p.start.y - 2 * p.control.y + p.end.y);
        return std::max(1.0, std::ceil(std::sqrt(bend / (4 * kHalfChordError))));
    }
    return 1;
}

// Facets around the axis: at least 256 keep the volume of a small nozzle within 0.01 % of its
// own.
double facetsAround(const Contour& contour) {
    return std::max(256.0, std::ceil(kPi / std::acos(1 - kHalfChordError / widestRadius(contour))));
}

// The wall as (axial position, radius) vertices with every chord within the error.
std::vector<Point> profile(const Contour& contour) {
    std::vector<Point> v{contour.pieces.front().start};
    for (const Piece& p : contour.pieces) {
        const int n = static_cast<int>(segmentsOf(p));
        for (int i = 1; i <= n; ++i) v.push_back(pointOn(p, static_cast<double>(i) / n));
    }
    return v;
}

struct Vertex {
    float x, y, z;
};

class StlBytes {
  public:
    StlBytes(const std::string& header, std::uint32_t triangles) {
        bytes_.reserve(84 + 50 * static_cast<size_t>(triangles));
        bytes_.insert(bytes_.end(), header.begin(), header.end());
        word(triangles);
    }
    void triangle(const Vertex& a, const Vertex& b, const Vertex& c) {
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (n > 0) {
            nx /= n;
            ny /= n;
            nz /= n;
        }
        real(static_cast<float>(nx));
        real(static_cast<float>(ny));
        real(static_cast<float>(nz));
        for (const Vertex* v : {&a, &b, &c}) {
            real(v->x);
            real(v->y);
            real(v->z);
        }
        bytes_.push_back(0);
        bytes_.push_back(0);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    // STL is little-endian whatever the machine.
    void word(std::uint32_t w) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    }
    void real(float f) {
        std::uint32_t w;
        std::memcpy(&w, &f, sizeof w);
        word(w);
    }
    std::vector<std::uint8_t> bytes_;
};

// 80 bytes of ASCII: the title as far as it fits before the main dimensions. A header that
// began with "solid" would pass for a text STL with some readers.
std::string headerOf(const Contour& contour, const DesignNotes& notes) {
    constexpr size_t kHeader = 80;
    const std::string dimensions = dimensionsText(contour, true);
    std::string title = asciiText(notes.title);
    if (title.empty()) {
        title = "Tavro-nozzle";
    } else if (title.compare(0, 5, "solid") == 0) {
        title = "Tavro-nozzle " + title;
    }
    title = title.substr(0, kHeader - std::min(kHeader, dimensions.size() + 2));
    std::string header = title + ", " + dimensions;
    header.resize(kHeader, ' ');
    return header;
}

}  // namespace

double stlSize(const Contour& contour) {
    double vertices = 1;
    for (const Piece& p : contour.pieces) vertices += segmentsOf(p);
    // Two facets per band and around, and the two caps: one band per vertex at most.
    return 84 + 50 * 2 * facetsAround(contour) * vertices;
}

std::vector<std::uint8_t> contourStl(const Contour& contour, const DesignNotes& notes) {
    std::vector<Point> wall = profile(contour);
    // A flat entrance face belongs to the metal, not to the passage: the passage starts where
    // the wall leaves the entrance plane.
    while (wall.size() > 2 && !(wall[1].x > wall[0].x)) wall.erase(wall.begin());
    const int around = static_cast<int>(facetsAround(contour));

    // Every ring of the wall shares the same angles, so neighbouring facets meet in identical
    // vertices and the solid closes exactly.
    std::vector<double> cosines(static_cast<size_t>(around)), sines(cosines.size());
    for (int j = 0; j < around; ++j) {
        cosines[static_cast<size_t>(j)] = std::cos(2 * kPi * j / around);
        sines[static_cast<size_t>(j)] = std::sin(2 * kPi * j / around);
    }
    std::vector<Vertex> rings;
    rings.reserve(wall.size() * cosines.size());
    for (const Point& p : wall)
        for (size_t j = 0; j < cosines.size(); ++j)
            rings.push_back({static_cast<float>(p.y * cosines[j]),
                             static_cast<float>(p.y * sines[j]), static_cast<float>(p.x)});
    const auto at = [&](size_t ring, int j) -> const Vertex& {
        return rings[ring * cosines.size() + static_cast<size_t>(j % around)];
    };

    const size_t bands = wall.size() - 1;
    StlBytes stl(headerOf(contour, notes), static_cast<std::uint32_t>(2 * around * (bands + 1)));
    for (size_t i = 0; i < bands; ++i) {
        for (int j = 0; j < around; ++j) {
            // Facets turned so that their normals point out of the passage, into the metal.
            stl.triangle(at(i, j), at(i, j + 1), at(i + 1, j + 1));
            stl.triangle(at(i, j), at(i + 1, j + 1), at(i + 1, j));
        }
    }
    const Vertex entrance{0, 0, static_cast<float>(wall.front().x)};
    const Vertex exit{0, 0, static_cast<float>(wall.back().x)};
    for (int j = 0; j < around; ++j) {
        stl.triangle(entrance, at(0, j + 1), at(0, j));
        stl.triangle(exit, at(bands, j), at(bands, j + 1));
    }
    return stl.take();
}

}  // namespace tavro
