#include "shell/ScreenPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace qd {
namespace {

// Placements are height, width, left, top, as the file lists them.
const WindowPlacement Design{258, 166, 318, 150};
const std::vector<ScreenArea> OneScreen{{0, 0, 1024, 738}};

TEST(ScreenPlacement, SizesNoOneChoseBecomeTheDesignSizeOnTheScreen) {
    struct Case {
        WindowPlacement saved, expected;
    };
    for (const Case& c : {
             // Sizes a user could have dragged to stay, small ones included.
             Case{{300, 200, 40, 48}, {300, 200, 40, 48}},
             Case{{30, 40, 40, 48}, {30, 40, 40, 48}},
             Case{{738, 1024, 0, 0}, {738, 1024, 0, 0}},
             // Zero, negative or beyond the work area: the design size.
             Case{{-500, -500, 318, 150}, {258, 166, 318, 150}},
             Case{{0, 200, 318, 150}, {258, 200, 318, 150}},
             Case{{300, 999999999, 318, 150}, {300, 166, 318, 150}},
             Case{{739, 200, 318, 150}, {258, 200, 318, 150}},
             // A replaced size is kept within the work area.
             Case{{300, 999999999, 1000, 700}, {300, 166, 858, 438}},
             Case{{INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {258, 166, 0, 0}},
             Case{{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {258, 166, 858, 480}},
         }) {
        const WindowPlacement fitted = fitToScreen(c.saved, Design, OneScreen);
        EXPECT_EQ(fitted, c.expected)
            << c.saved.height << " " << c.saved.width << " " << c.saved.left << " " << c.saved.top;
    }
}

TEST(ScreenPlacement, AWindowOffEveryScreenMovesToTheNearest) {
    const std::vector<ScreenArea> twoScreens{{0, 0, 1024, 738}, {1024, 0, 2304, 994}};
    struct Case {
        WindowPlacement saved, expected;
    };
    for (const Case& c : {
             // Partly on a screen: left where the user put it.
             Case{{300, 200, -100, 600}, {300, 200, -100, 600}},
             // Off to the right of the second screen, and above the first.
             Case{{300, 200, 5000, 100}, {300, 200, 2104, 100}},
             Case{{300, 200, 100, -2000}, {300, 200, 100, 0}},
             // Sized for the second screen, judged there, and kept whole.
             Case{{900, 200, 1200, 50}, {900, 200, 1200, 50}},
         }) {
        const WindowPlacement fitted = fitToScreen(c.saved, Design, twoScreens);
        EXPECT_EQ(fitted, c.expected) << c.saved.left << " " << c.saved.top;
    }
}

} // namespace
} // namespace qd
