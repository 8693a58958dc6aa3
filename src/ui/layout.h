// Geometry of the main window, computed once from the screen size.
#pragma once

#include <array>

#include "design_state.h"

namespace tavro {

// A widget's place in whole pixels.
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct WindowLayout {
    PixelRect window;  // position of the outer frame on the screen, size of the inside
    PixelRect sheet;   // Picture1, in client coordinates below the menu bar
    std::array<PixelRect, kRowCount> captions;
    std::array<PixelRect, kRowCount> fields;
    PixelRect computeButton;
};

// The window's outer frame is 0.9 of the screen height and 1.2 times as wide as high, centred
// (not clamped); frameWidth and frameHeight are what a window manager's frame adds to the inside
// (0 without one). The
// sheet is a portrait 0.7 : 1 at the right, and the 22 rows span its height. menuHeight is the
// height of the menu bar, which the client area lies below. Every value is rounded to whole
// pixels as the platform stores it before the next one is derived from it.
WindowLayout computeLayout(int screenWidth, int screenHeight, int menuHeight, int frameWidth = 0,
                           int frameHeight = 0);

}  // namespace tavro
