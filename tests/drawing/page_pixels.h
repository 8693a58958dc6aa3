// A PDF page rendered back to grey pixels with pdftoppm, for measuring what was printed.
#pragma once

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

// Renders the first page of the PDF at dpi dots per inch; an empty page when that fails.
inline GreyPage renderPdf(const std::string& pdf, int dpi) {
    const std::string base = pdf + ".grey";
    const std::string command =
        "pdftoppm -gray -singlefile -r " + std::to_string(dpi) + " '" + pdf + "' '" + base + "'";
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

}  // namespace tavro::test
