// The workshop files read back by outside programs: ezdxf, rsvg-convert, an STL and CSV reader.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "contour_support.h"
#include "decimal_text.h"
#include "workshop_files.h"

namespace tavro::test {
namespace {

namespace fs = std::filesystem;
constexpr double kPi = 3.14159265358979323846;

class Files : public ::testing::TestWithParam<Typed> {
  protected:
    void SetUp() override {
        design = computed(GetParam());
        const auto c = contourOf(design);
        ASSERT_TRUE(c);
        contour = *c;
        dir = fs::temp_directory_path() /
              ("tavro_contour_" + std::to_string(::getpid()) + "_" + GetParam().name);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    // Runs a command, keeping what it printed in the test's output.
    int run(const std::string& command) {
        const std::string log = (dir / "log.txt").string();
        const int status = std::system((command + " >" + log + " 2>&1").c_str());
        std::ifstream in(log);
        std::cout << in.rdbuf();
        return status;
    }

    DesignState design;
    Contour contour;
    fs::path dir;
};

std::string arg(double v) {
    return plainText(v, 12);
}

// The passage's entrance point, where the wall leaves the entrance plane.
Point passageEntrance(const Contour& c) {
    return c.pieces[passageStart(c)].start;
}

// The largest radius of the passage proper (a flat entrance face lies outside it).
double passageRadius(const Contour& c) {
    double r = 0;
    for (size_t i = passageStart(c); i < c.pieces.size(); ++i)
        r = std::max({r, c.pieces[i].start.y, c.pieces[i].end.y});
    return r;
}

TEST_P(Files, DxfReadsBackInMillimetresAsClosedLoopsOnTheExactContour) {
    const std::string dxf = write("nozzle.dxf", contourDxf(contour, notesOf(design)));
    const Piece& curve = contour.pieces.back();
    const Point entrance = passageEntrance(contour);
    std::string command = "/usr/bin/python3 " TAVRO_CONTOUR_TEST_DIR "/read_dxf.py " + dxf;
    for (double v :
         {double(design.Rint), double(design.Rout), double(design.Ln), curve.start.x, curve.start.y,
          curve.control.x, curve.control.y, curve.end.x, curve.end.y, entrance.x, entrance.y})
        command += " " + arg(v);
    EXPECT_EQ(run(command + " '" + design.Title + "'"), 0);
    // No byte outside ASCII: Russian text goes as \U+ escapes that every reader decodes.
    const std::string bytes = contourDxf(contour, notesOf(design));
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                            [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }));
}

// Inkscape's own importer with "scale: read from file" takes the file as millimetres.
TEST_P(Files, InkscapeImportsTheDxfAtTrueSize) {
    const std::string dxf = write("nozzle.dxf", contourDxf(contour, notesOf(design)));
    const int status =
        run("/usr/bin/python3 " TAVRO_CONTOUR_TEST_DIR "/inkscape_dxf.py " + dxf + " " +
            arg(design.Ln - passageEntrance(contour).x) + " " + arg(2 * passageRadius(contour)));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "Inkscape's extensions cannot run (python3-lxml, -numpy, -cssselect)";
    EXPECT_EQ(status, 0);
}

// rsvg-convert at 10 pixels per mm; the grey image as plain bytes (binary PGM).
struct Grey {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    int at(double xmm, double ymm) const {
        const int x = static_cast<int>(xmm * 10), y = static_cast<int>(ymm * 10);
        if (x < 0 || y < 0 || x >= width || y >= height) return 255;
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    // The darkest pixel within a tenth of a millimetre.
    int darkest(double xmm, double ymm) const {
        int d = 255;
        for (double dx : {-0.1, 0.0, 0.1})
            for (double dy : {-0.1, 0.0, 0.1}) d = std::min(d, at(xmm + dx, ymm + dy));
        return d;
    }
};

Grey readPgm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    Grey g;
    in >> magic >> g.width >> g.height >> maxValue;
    in.get();
    g.pixels.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    in.read(reinterpret_cast<char*>(g.pixels.data()),
            static_cast<std::streamsize>(g.pixels.size()));
    if (magic != "P5" || maxValue != 255 || !in) g = Grey{};
    return g;
}

TEST_P(Files, SvgRendersAtTrueSizeAsOneClosedOutline) {
    DesignNotes notes = notesOf(design);
    notes.title = "Сопло <№1> & \"вариант\"";
    const std::string text = contourSvg(contour, notes);
    const std::string svg = write("nozzle.svg", text);
    const std::string png = (dir / "nozzle.png").string(), pgm = (dir / "nozzle.pgm").string();
    ASSERT_EQ(run("rsvg-convert -d 254 -p 254 -b white -o " + png + " " + svg), 0);
    ASSERT_EQ(run("convert " + png + " -colorspace gray -depth 8 " + pgm), 0);
    const Grey g = readPgm(pgm);

    const double radius = std::max(design.Rc, design.Ra);
    EXPECT_GE(g.width, 10 * (design.Ln + 20.0) - 1);
    EXPECT_NEAR(g.height, 10 * (2 * radius + 20.0), 1.0);
    // Page coordinates in mm: a 10 mm margin, the axis across the middle.
    const auto dark = [&](Point p, double side) {
        return g.darkest(10 + p.x, 10 + radius - side * p.y) < 128;
    };
    for (double side : {1.0, -1.0}) {
        for (size_t i = passageStart(contour); i < contour.pieces.size(); ++i) {
            const Piece& p = contour.pieces[i];
            for (double t : {0.0, 0.25, 0.5, 0.75, 1.0})
                EXPECT_TRUE(dark(pointOn(p, t), side)) << pieceName(p.kind) << " " << t;
        }
        // Nothing drawn where a fillet bulging the wrong way would be.
        const Piece& outlet = contour.pieces[contour.pieces.size() - 2];
        const Point mid = pointOn(outlet, 0.5);
        EXPECT_FALSE(dark({mid.x, 2 * outlet.centre.y - mid.y}, side));
        // The outline closes across both faces, halfway between the axis and the wall.
        const Point entrance = passageEntrance(contour), exit = contour.pieces.back().end;
        EXPECT_TRUE(dark({entrance.x, entrance.y / 2}, side));
        EXPECT_TRUE(dark({exit.x, exit.y / 2}, side));
    }
    int axis = 255;
    for (double x = 0; x < design.Ln; x += 1) axis = std::min(axis, g.darkest(10 + x, 10 + radius));
    EXPECT_LT(axis, 220) << "the grey axis";

    // One path, one start, closed; the axis and the notes in groups a laser program can hide.
    const size_t path = text.find("<path");
    ASSERT_NE(path, std::string::npos);
    EXPECT_EQ(text.find("<path", path + 1), std::string::npos);
    const std::string d = text.substr(path, text.find("/>", path) - path);
    EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 1);
    EXPECT_EQ(d.substr(d.size() - 2), "Z\"");
    for (const char* part : {"<g id=\"axis\"", "<g id=\"notes\"", "<title>Сопло &lt;№1&gt;",
                             "<desc>Tavro-nozzle: Rkr=", "Dкр "})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

// However long the title and however small the nozzle, the page holds the whole title.
TEST_P(Files, SvgTitleIsNeverClipped) {
    DesignNotes notes = notesOf(design);
    notes.title = "Широкое сопло для испытаний на стенде, вариант номер 12 (ЖЖЖ ШШШ ЩЩЩ)";
    const std::string svg = write("title.svg", contourSvg(contour, notes));
    const std::string png = (dir / "title.png").string(), pgm = (dir / "title.pgm").string();
    ASSERT_EQ(run("rsvg-convert -d 254 -p 254 -b white -o " + png + " " + svg), 0);
    ASSERT_EQ(run("convert " + png + " -colorspace gray -depth 8 " + pgm), 0);
    const Grey g = readPgm(pgm);
    ASSERT_GT(g.width, 0);
    // The title's band: the top margin. Its ink ends clear of the page's right edge.
    int right = -1, inked = 0;
    for (int y = 0; y < 95; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.pixels[static_cast<size_t>(y) * static_cast<size_t>(g.width) +
                         static_cast<size_t>(x)] < 128) {
                right = std::max(right, x);
                ++inked;
            }
    EXPECT_GT(inked, 1000);
    EXPECT_LT(right, g.width - 50) << "the title reaches the page's edge";
}

struct Stl {
    std::vector<std::array<std::array<float, 3>, 3>> triangles;
};

Stl readStl(const std::string& bytes) {
    Stl stl;
    if (bytes.size() < 84) return stl;
    std::uint32_t count = 0;
    for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<unsigned char>(bytes[80 + i]);
    if (bytes.size() != 84 + 50 * static_cast<size_t>(count)) return stl;
    for (size_t t = 0; t < count; ++t) {
        std::array<std::array<float, 3>, 3> tri;
        std::memcpy(tri.data(), bytes.data() + 84 + 50 * t + 12, 36);  // little-endian host
        stl.triangles.push_back(tri);
    }
    return stl;
}

struct Row {
    double fromEntrance, fromExit, radius, diameter;
    std::string piece;
};

std::vector<Row> readTable(const std::string& text, char sep) {
    const char column = sep == ',' ? ';' : ',';
    std::vector<Row> rows;
    std::istringstream in(text.substr(3));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        for (char& ch : line) {
            if (ch == column)
                ch = '\t';
            else if (ch == sep)
                ch = '.';
        }
        std::istringstream fields(line);
        Row r;
        fields >> r.fromEntrance >> r.fromExit >> r.radius >> r.diameter;
        fields.get();
        std::getline(fields, r.piece);
        rows.push_back(r);
    }
    return rows;
}

TEST_P(Files, StlIsClosedAndHoldsThePassageVolume) {
    const std::vector<std::uint8_t> bytes = contourStl(contour, notesOf(design));
    const Stl stl = readStl(std::string(bytes.begin(), bytes.end()));
    ASSERT_FALSE(stl.triangles.empty());
    // The header: printable ASCII naming the design and its main dimensions.
    const std::string header(bytes.begin(), bytes.begin() + 80);
    EXPECT_NE(header.substr(0, 5), "solid");
    EXPECT_TRUE(std::all_of(header.begin(), header.end(), [](char ch) {
        return ch >= 0x20 && ch < 0x7F;
    })) << header;
    EXPECT_EQ(header.rfind("Soplo, L=" + fixedText(design.Ln, 3), 0), 0u) << header;
    EXPECT_NE(header.find("Dt=" + fixedText(2 * design.Rkr, 3)), std::string::npos) << header;

    // Every edge is met once in each direction: closed, and the facets turned consistently.
    std::map<std::pair<std::array<float, 3>, std::array<float, 3>>, int> edges;
    double volume = 0;
    for (const auto& t : stl.triangles) {
        for (int i = 0; i < 3; ++i) ++edges[{t[i], t[(i + 1) % 3]}];
        const auto& [a, b, c] = t;
        volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                   a[2] * (b[0] * c[1] - b[1] * c[0])) /
                  6.0;
    }
    for (const auto& [edge, count] : edges) {
        ASSERT_EQ(count, 1);
        ASSERT_EQ(edges.count({edge.second, edge.first}), 1u);
    }

    // The integral of pi r^2 over the table's stations (trapezoids at 0.1 mm).
    const std::vector<Row> rows = readTable(stationTable(contour, 0.1, '.'), '.');
    double integral = 0;
    for (size_t i = 1; i < rows.size(); ++i) {
        integral += kPi / 2 * (rows[i].fromEntrance - rows[i - 1].fromEntrance) *
                    (rows[i].radius * rows[i].radius + rows[i - 1].radius * rows[i - 1].radius);
    }
    EXPECT_NEAR(volume / integral, 1, 1e-3) << volume << " mm3 against " << integral;
}

TEST_P(Files, StationTableGivesTheDesignRadiiAtTheFacesAndTheThroat) {
    for (char sep : {'.', ','}) {
        const std::string text = stationTable(contour, 1, sep);
        ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
        const std::string column = sep == ',' ? ";" : ",";
        EXPECT_EQ(text.substr(3, text.find('\n') - 2),
                  "\"от входа, мм\"" + column + "\"от выхода, мм\"" + column + "\"радиус, мм\"" +
                      column + "\"диаметр, мм\"" + column + "\"участок\"\r\n");
        EXPECT_NE(text.find(fixedText(design.Ra, 3, sep)), std::string::npos);
        const std::vector<Row> rows = readTable(text, sep);
        ASSERT_GT(rows.size(), 3u);
        EXPECT_EQ(rows.front().fromEntrance, 0);
        EXPECT_NEAR(rows.front().radius, design.Rc, 0.0005 + 1e-4);
        const Piece& first = contour.pieces.front();
        EXPECT_EQ(rows.front().piece,
                  first.end.x > first.start.x ? pieceName(first.kind) : "торец входа");
        EXPECT_NEAR(rows.back().fromEntrance, design.Ln, 0.0005);
        EXPECT_EQ(rows.back().fromExit, 0);
        EXPECT_NEAR(rows.back().radius, design.Ra, 0.0005);
        EXPECT_EQ(rows.back().piece, "сверхзвуковая часть");

        size_t throats = 0, whole = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& r = rows[i];
            EXPECT_NEAR(r.fromEntrance + r.fromExit, design.Ln, 0.0011);
            EXPECT_NEAR(r.diameter, 2 * r.radius, 0.0011);
            EXPECT_GE(r.radius, design.Rkr - 0.0005);
            if (i > 0) {
                EXPECT_GE(r.fromEntrance, rows[i - 1].fromEntrance);
            }
            if (std::fabs(r.fromEntrance - contour.throatX) < 0.0005) {
                ++throats;
                EXPECT_NEAR(r.radius, design.Rkr, 0.0005);
                EXPECT_EQ(r.piece, "скругление выхода");
            }
            if (std::fabs(r.fromEntrance - std::round(r.fromEntrance)) < 0.0006) ++whole;
        }
        EXPECT_EQ(throats, 1u);
        // A station on every millimetre that lies inside the nozzle.
        EXPECT_GE(whole, static_cast<size_t>(std::floor(design.Ln)));
    }
}

// Near-radial walls get rows as close as the step in radius, not only along the axis; no row
// repeats another, and a flat entrance face is a piece of its own down the entrance plane.
TEST_P(Files, StationRowsNeverDifferByMoreThanTheStep) {
    for (double step : {1.0, 0.5, 2.5}) {
        const std::vector<Row> rows = readTable(stationTable(contour, step, '.'), '.');
        ASSERT_GT(rows.size(), 2u);
        for (size_t i = 1; i < rows.size(); ++i) {
            const Row &a = rows[i - 1], &b = rows[i];
            EXPECT_LE(b.fromEntrance - a.fromEntrance, step + 0.0011) << step << " row " << i;
            EXPECT_LE(std::fabs(b.radius - a.radius), step + 0.0011) << step << " row " << i;
            EXPECT_FALSE(b.fromEntrance == a.fromEntrance && b.radius == a.radius)
                << step << " row " << i << " repeats the one before";
        }
        // Every row lies on the wall, within the rounding of its three decimals.
        for (const Row& r : rows) {
            double nearest = 1e9;
            for (const Piece& p : contour.pieces) {
                Point a = p.start;
                for (int k = 1; k <= 2000; ++k) {
                    const Point b = pointOn(p, k / 2000.0);
                    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
                    double t =
                        len2 > 0 ? ((r.fromEntrance - a.x) * dx + (r.radius - a.y) * dy) / len2 : 0;
                    t = std::clamp(t, 0.0, 1.0);
                    nearest = std::min(nearest, std::hypot(a.x + t * dx - r.fromEntrance,
                                                           a.y + t * dy - r.radius));
                    a = b;
                }
            }
            EXPECT_LT(nearest, 0.001) << r.fromEntrance << " " << r.radius;
        }
        const Piece& first = contour.pieces.front();
        const bool flat = !(first.end.x > first.start.x);
        size_t face = 0;
        for (const Row& r : rows) {
            if (r.piece != "торец входа") continue;
            ++face;
            EXPECT_EQ(r.fromEntrance, 0);
        }
        if (flat) {
            EXPECT_GE(face, static_cast<size_t>(std::floor((first.start.y - first.end.y) / step)));
        } else {
            EXPECT_EQ(face, 0u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, Files, ::testing::ValuesIn(kDesigns), testName);

}  // namespace
}  // namespace tavro::test
