// Geometry of the main window, computed once from the screen size.
#include "layout.h"

#include <cmath>

namespace tavro {
namespace {

// The platform keeps positions and sizes in whole pixels.
int px(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

WindowLayout computeLayout(int screenWidth, int screenHeight, int menuHeight, int frameWidth,
                           int frameHeight) {
    WindowLayout L;
    const int outerHeight = px(0.9 * screenHeight);
    const int outerWidth = px(1.2 * outerHeight);
    L.window.left = px((screenWidth - outerWidth) / 2.0);
    L.window.top = px((screenHeight - outerHeight) / 2.0);
    L.window.height = outerHeight - frameHeight;
    L.window.width = outerWidth - frameWidth;

    const int Hc = L.window.height - menuHeight;
    L.sheet.height = px(0.98 * Hc);
    L.sheet.width = px(0.7 * L.sheet.height);
    L.sheet.left = px(0.96 * (L.window.width - L.sheet.width));
    L.sheet.top = px(0.01 * Hc);

    const double p = static_cast<double>(L.sheet.height) / kRowCount;
    const double m = 0.01 * Hc;
    const double W = (L.sheet.left - m) * 3 / 4;
    for (int i = 0; i < kRowCount; ++i) {
        const bool wide = i == kRowTitle || i == kRowNote;
        PixelRect& c = L.captions[static_cast<size_t>(i)];
        c.left = px(m);
        c.top = px(L.sheet.top + i * p);
        c.height = px(0.8 * p);
        c.width = px(wide ? W / 3 : W);

        PixelRect& f = L.fields[static_cast<size_t>(i)];
        f.top = c.top;
        f.height = px(i == kRowNote ? p : 0.8 * p);
        f.left = px(wide ? W / 3 + 2 * m : W + 2 * m);
        f.width = px(wide ? W - 2 * m : W / 3 - 2 * m);
    }
    const PixelRect& f10 = L.fields[kRowResultHeading];
    L.computeButton.left = px(f10.left - f10.width / 2.0);
    L.computeButton.top = f10.top;
    L.computeButton.height = f10.height;
    L.computeButton.width = px(1.5 * f10.width);
    return L;
}

}  // namespace tavro
