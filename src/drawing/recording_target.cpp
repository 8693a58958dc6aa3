// A drawing target that writes every operation as one line of text, with fixed text metrics.
#include "recording_target.h"

#include <charconv>
#include <cstdio>

namespace tavro {
namespace {

// Characters, not bytes: the labels are Cyrillic UTF-8.
// Radians need more decimals than positions for the arc ends to land within a thousandth.
constexpr int kAngleDecimals = 6;

size_t codePoints(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

std::string quoted(const std::string& s) {
    return '"' + s + '"';
}

}  // namespace

RecordingTarget::RecordingTarget(std::ostream& out, RecordedSurface own, RecordedSurface page,
                                 double fontPoints)
    : out_(out), surface_(own), page_(page), font_(fontPoints) {}

std::string RecordingTarget::number(double v, int decimals) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string s(buf, res.ptr);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string RecordingTarget::colour(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

std::string RecordingTarget::pen() const {
    static const char* const names[] = {"solid", "dash", "dotted", "dashdot"};
    const char* name = style_ >= 0 && style_ <= 3 ? names[style_] : "style?";
    return " w" + std::to_string(width_) + ' ' + name;
}

void RecordingTarget::setScaleMode(int mode) {
    out_ << "scalemode " << mode << '\n';
    if (mode == kScaleMillimetres) surface_ = page_;
}

float RecordingTarget::scaleWidth() {
    out_ << "scalewidth = " << number(surface_.width) << '\n';
    return static_cast<float>(surface_.width);
}

float RecordingTarget::scaleHeight() {
    out_ << "scaleheight = " << number(surface_.height) << '\n';
    return static_cast<float>(surface_.height);
}

void RecordingTarget::cls() {
    out_ << "cls\n";
    x_ = y_ = 0;
}

void RecordingTarget::setBackColor(Rgb c) {
    out_ << "backcolor " << colour(c) << '\n';
}

void RecordingTarget::setForeColor(Rgb c) {
    out_ << "forecolor " << colour(c) << '\n';
    fore_ = c;
}

void RecordingTarget::setDrawWidth(int width) {
    out_ << "drawwidth " << width << '\n';
    width_ = width;
}

void RecordingTarget::setDrawStyle(int style) {
    out_ << "drawstyle " << style << '\n';
    style_ = style;
}

void RecordingTarget::line(float x1, float y1, float x2, float y2, Rgb c, bool box) {
    out_ << (box ? "box " : "line ") << number(x1) << ' ' << number(y1) << ' ' << number(x2) << ' '
         << number(y2) << ' ' << colour(c) << pen() << '\n';
}

void RecordingTarget::circle(float x, float y, float radius, Rgb c, float start, float end) {
    out_ << "arc " << number(x) << ' ' << number(y) << ' ' << number(radius) << ' '
         << number(start, kAngleDecimals) << ' ' << number(end, kAngleDecimals) << ' ' << colour(c)
         << pen() << '\n';
}

void RecordingTarget::setCurrentX(float x) {
    x_ = x;
}

void RecordingTarget::setCurrentY(float y) {
    y_ = y;
}

void RecordingTarget::print(const std::string& text) {
    out_ << "print " << number(x_) << ' ' << number(y_) << ' ' << colour(fore_) << " pt"
         << number(font_) << ' ' << quoted(text) << '\n';
    x_ = 0;
    y_ += static_cast<float>(font_ * surface_.unitsPerPoint * 1.25);
}

// Half an em per character, one and a quarter em per line.
float RecordingTarget::textWidth(const std::string& text) {
    const double w = static_cast<double>(codePoints(text)) * font_ * surface_.unitsPerPoint / 2;
    out_ << "textwidth " << quoted(text) << " = " << number(w) << '\n';
    return static_cast<float>(w);
}

float RecordingTarget::textHeight(const std::string& text) {
    const double h = font_ * surface_.unitsPerPoint * 1.25;
    out_ << "textheight " << quoted(text) << " = " << number(h) << '\n';
    return static_cast<float>(h);
}

TextExtent RecordingTarget::measureText(const std::string& text, double points) {
    // The same sums as textWidth and textHeight, to the last bit.
    const double w = static_cast<double>(codePoints(text)) * points * surface_.unitsPerPoint / 2;
    return {static_cast<float>(w), static_cast<float>(points * surface_.unitsPerPoint * 1.25)};
}

double RecordingTarget::fontSize() {
    return font_;
}

void RecordingTarget::setFontSize(double points) {
    out_ << "fontsize " << number(points) << '\n';
    font_ = points;
}

void RecordingTarget::endDoc() {
    out_ << "enddoc\n";
}

void RecordingTarget::setOrigin(float x, float y) {
    out_ << "origin " << number(x) << ' ' << number(y) << '\n';
}

void RecordingTarget::newPage() {
    out_ << "newpage\n";
}

}  // namespace tavro
