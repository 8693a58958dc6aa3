// Geometry of the main window from the screen size.
#include <gtest/gtest.h>

#include "layout.h"

namespace tavro {
namespace {

TEST(Layout, SheetAndRowsFollowTheScreen) {
    for (const auto& screen : {std::pair{1920, 1080}, {1280, 1024}, {1024, 768}, {3840, 2160}}) {
        const int menu = 22;
        const WindowLayout L = computeLayout(screen.first, screen.second, menu);
        const int Hc = L.window.height - menu;
        EXPECT_NEAR(L.window.height, 0.9 * screen.second, 0.5);
        EXPECT_NEAR(L.window.width, 1.2 * L.window.height, 0.5);
        EXPECT_NEAR(L.window.left * 2 + L.window.width, screen.first, 1);
        EXPECT_NEAR(L.sheet.height, 0.98 * Hc, 0.5);
        EXPECT_NEAR(L.sheet.width, 0.7 * L.sheet.height, 0.5);
        // 22 rows span the sheet: row 0 level with its top, row 21 ends level with its bottom.
        EXPECT_EQ(L.captions[0].top, L.sheet.top);
        EXPECT_NEAR(L.fields[21].top + L.fields[21].height, L.sheet.top + L.sheet.height, 1);
        // Every field ends one margin before the sheet; rows 0 and 21 have short captions.
        const double m = 0.01 * Hc;
        for (int r = 0; r < kRowCount; ++r) {
            const PixelRect& f = L.fields[static_cast<size_t>(r)];
            EXPECT_NEAR(f.left + f.width, L.sheet.left - m, 2) << r;
            EXPECT_EQ(f.top, L.captions[static_cast<size_t>(r)].top);
        }
        EXPECT_NEAR(L.captions[0].width * 3, L.captions[2].width, 2);
        EXPECT_LT(L.fields[0].left, L.fields[2].left);
        // The compute button covers row 10's field and half a field width of its caption.
        const PixelRect& f10 = L.fields[kRowResultHeading];
        EXPECT_NEAR(L.computeButton.left + L.computeButton.width, f10.left + f10.width, 1);
        EXPECT_EQ(L.computeButton.top, f10.top);
    }
}

TEST(Layout, ANarrowScreenIsNotClamped) {
    const WindowLayout L = computeLayout(1000, 1000, 20);  // narrower than 1.08 × its height
    EXPECT_GT(L.window.width, 1000);
    EXPECT_LT(L.window.left, 0);
}

// Under a window manager the frame, not only the inside, is 0.9 of the screen height.
TEST(Layout, TheOuterFrameSpansNineTenthsOfTheScreen) {
    const WindowLayout bare = computeLayout(1024, 768, 22);
    const WindowLayout framed = computeLayout(1024, 768, 22, 8, 30);
    EXPECT_EQ(framed.window.height + 30, bare.window.height);
    EXPECT_EQ(framed.window.width + 8, bare.window.width);
    EXPECT_EQ(framed.window.left, bare.window.left);
    EXPECT_EQ(framed.window.top, bare.window.top);
    EXPECT_NEAR(framed.sheet.height, 0.98 * (framed.window.height - 22), 0.5);
}

}  // namespace
}  // namespace tavro
