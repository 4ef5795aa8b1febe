#include "ui/AboutPlacement.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(AboutPlacement, CentredPlusTenAndHalfARowBelowTheListTop) {
    struct Case {
        int mainLeft, mainTop, mainWidth, aboutWidth, smallCaption, gridTop, rowHeight;
        ScreenPoint expected;
    };
    for (const Case& c : {
             // About 217 wide over a 166-wide window: (217 - 166) / 2 = 25.
             Case{318, 150, 166, 217, 17, 47, 26, {318 - 25 + 10, 17 + 150 + 47 + 13}},
             // A narrower box: -5 / 2 truncates to -2, not -3.
             Case{100, 0, 200, 195, 15, 40, 27, {100 + 2 + 10, 15 + 0 + 40 + 13}},
             // Off-screen to the left and above stays as computed.
             Case{-50, -20, 166, 166, 17, 47, 26, {-40, 17 - 20 + 47 + 13}},
         }) {
        EXPECT_EQ(aboutBoxPosition(c.mainLeft, c.mainTop, c.mainWidth, c.aboutWidth, c.smallCaption,
                                   c.gridTop, c.rowHeight),
                  c.expected)
            << c.mainLeft << "," << c.aboutWidth;
    }
}

} // namespace
} // namespace qd
