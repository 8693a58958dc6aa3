// What the workshop files say about the design: its title, inputs and main dimensions.
#include <algorithm>
#include <cctype>

#include "decimal_text.h"
#include "number_text.h"
#include "workshop_files.h"

namespace tavro {
namespace {

// Russian letters in Latin, as a passport office would write them (lower case, а to я).
constexpr const char* kLatin[] = {"a",  "b",  "v",  "g",    "d", "e", "zh", "z", "i",  "y", "k",
                                  "l",  "m",  "n",  "o",    "p", "r", "s",  "t", "u",  "f", "kh",
                                  "ts", "ch", "sh", "shch", "",  "y", "",   "e", "yu", "ya"};

// The code point of the UTF-8 sequence at text[i], moving i past it; U+FFFD for a broken one.
char32_t nextCodePoint(const std::string& text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (more < 0) return 0xFFFD;
    char32_t c = lead & (0x3F >> more);
    for (; more > 0; --more) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
        c = c << 6 | (byte(i++) & 0x3F);
    }
    return c;
}

}  // namespace

DesignNotes notesOf(const DesignState& d) {
    const std::pair<const char*, float> inputs[] = {{"Rkr", d.Rkr}, {"Qa", d.Qa}, {"k", d.k},
                                                    {"Pk", d.Pk},   {"H", d.H},   {"Rc", d.Rc},
                                                    {"Qc", d.Qc}};
    DesignNotes notes;
    notes.title = d.Title;
    for (const auto& [name, value] : inputs) {
        if (!notes.inputs.empty()) notes.inputs += ' ';
        notes.inputs += std::string(name) + '=' + formatShortest(value, '.');
    }
    return notes;
}

MainDimensions mainDimensions(const Contour& contour) {
    double throat = widestRadius(contour);
    for (const Piece& p : contour.pieces) throat = std::min({throat, p.start.y, p.end.y});
    return {contour.length, 2 * contour.pieces.front().start.y, 2 * throat,
            2 * contour.pieces.back().end.y};
}

std::string dimensionsText(const Contour& contour, bool ascii) {
    const MainDimensions m = mainDimensions(contour);
    const auto mm = [](double v) { return fixedText(v, 3); };
    if (ascii) {
        return "L=" + mm(m.length) + " Din=" + mm(m.entranceDiameter) +
               " Dt=" + mm(m.throatDiameter) + " Dout=" + mm(m.exitDiameter) + " mm";
    }
    return "L " + mm(m.length) + "  Dвх " + mm(m.entranceDiameter) + "  Dкр " +
           mm(m.throatDiameter) + "  Dвых " + mm(m.exitDiameter) + " мм";
}

std::string asciiText(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, i);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if ((c >= 0x410 && c <= 0x44F) || c == 0x401 || c == 0x451) {
            const bool upper = c < 0x430 || c == 0x401;
            const size_t letter = c == 0x401 || c == 0x451 ? 5 : (c - 0x410) % 32;
            std::string latin = kLatin[letter];
            if (upper && !latin.empty())
                latin[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(latin[0])));
            out += latin;
        } else if (c == 0x2116) {
            out += "No";
        } else if (c >= 0x20) {
            out += '?';
        }
    }
    return out;
}

}  // namespace tavro
