// A PDF page rendered back to grey pixels with pdftoppm, for measuring what was printed.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::test {

struct GreyPage {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    unsigned char at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// Renders a page of the PDF (the first by default) at dpi dots per inch, or only the strip of
// rows of it that starts at row top; an empty page when there is no such page or that fails.
inline GreyPage renderPdf(const std::string& pdf, int dpi, int top = 0, int rows = 0,
                          int pageNumber = 1) {
    const std::string base = pdf + ".grey";
    const std::string strip =
        rows > 0 ? " -y " + std::to_string(top) + " -H " + std::to_string(rows) : "";
    const std::string number = std::to_string(pageNumber);
    const std::string command = "pdftoppm -gray -singlefile -r " + std::to_string(dpi) + strip +
                                " -f " + number + " -l " + number + " '" + pdf + "' '" + base +
                                "' 2>/dev/null";
    GreyPage page;
    if (std::system(command.c_str()) != 0) return page;
    std::ifstream in(base + ".pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> page.width >> page.height >> maxValue;
    in.get();
    if (magic != "P5" || maxValue != 255) return GreyPage{};
    page.pixels.resize(static_cast<size_t>(page.width) * static_cast<size_t>(page.height));
    in.read(reinterpret_cast<char*>(page.pixels.data()),
            static_cast<std::streamsize>(page.pixels.size()));
    std::remove((base + ".pgm").c_str());
    return page;
}

// The bounding box of the dark pixels inside a window of the page.
struct Extent {
    int left = -1, top = -1, right = -1, bottom = -1;
    bool empty() const { return left < 0; }
};

inline Extent darkExtent(const GreyPage& p, int x0, int y0, int x1, int y1, int threshold = 100) {
    Extent e;
    for (int y = y0; y < y1 && y < p.height; ++y)
        for (int x = x0; x < x1 && x < p.width; ++x)
            if (p.at(x, y) < threshold) {
                if (e.empty() || x < e.left) e.left = x;
                if (e.empty() || x > e.right) e.right = x;
                if (e.top < 0) e.top = y;
                e.bottom = y;
            }
    return e;
}

// One stroke crossed by a row of the page: where it starts, whether it is black or grey, and its
// width in pixels, the antialiased edges counted by their darkness.
struct Stroke {
    int start = 0;
    bool black = false;
    double width = 0;
};

// The strokes of the drawing's black and grey (150) inks across row y between x0 and x1.
inline std::vector<Stroke> strokesAcross(const GreyPage& p, int y, int x0, int x1) {
    std::vector<Stroke> strokes;
    std::vector<int> ink;
    const auto close = [&] {
        if (ink.empty()) return;
        Stroke s;
        s.start = x0;
        int darkest = 255;
        for (int v : ink) darkest = std::min(darkest, v);
        s.black = darkest < 100;
        for (int v : ink) s.width += (255.0 - v) / (s.black ? 255.0 : 255.0 - 150.0);
        strokes.push_back(s);
        ink.clear();
    };
    for (int x = x0; x < x1 && x < p.width; ++x) {
        const int v = p.at(x, y);
        if (v < 250) {
            if (ink.empty()) x0 = x;
            ink.push_back(v);
        } else {
            close();
        }
    }
    close();
    return strokes;
}

// A full-size template's contour as printed: overall length and exit diameter in millimetres,
// the stroke width taken off, and where it sits on the page.
struct TemplateSize {
    bool found = false;
    double length = 0, exitDiameter = 0;
    double topMm = 0;         // the entrance's distance from the top of the page
    double axisOffsetMm = 0;  // the exit's middle from the middle of the page
};

// Renders the PDF at 600 dpi (one pixel is 0.042 mm) and measures the dark contour above
// footMm, where the scale legend begins; penMm is the contour's stroke width on the page.
inline TemplateSize measureTemplate(const std::string& pdf, double penMm, double footMm = 250) {
    constexpr int dpi = 600;
    constexpr double mmPerPixel = 25.4 / dpi;
    TemplateSize t;
    const GreyPage page = renderPdf(pdf, dpi);
    if (page.width == 0) return t;
    const Extent all = darkExtent(page, 0, 0, page.width, static_cast<int>(footMm / mmPerPixel));
    if (all.empty()) return t;
    // The exit lip: the last millimetre of the contour.
    const Extent lip = darkExtent(page, 0, all.bottom - static_cast<int>(1 / mmPerPixel),
                                  page.width, all.bottom + 1);
    t.found = true;
    t.length = (all.bottom - all.top + 1) * mmPerPixel - penMm;
    t.exitDiameter = (lip.right - lip.left + 1) * mmPerPixel - penMm;
    t.topMm = all.top * mmPerPixel + penMm / 2;
    t.axisOffsetMm = ((lip.left + lip.right + 1) / 2.0 - page.width / 2.0) * mmPerPixel;
    return t;
}

}  // namespace tavro::test
