#include "common/AnsiText.h"
#include "common/Error.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(AnsiText, CaseChangesTouchOnlyAsciiLetters) {
    EXPECT_EQ(asciiLower("My Tool \xC4\xD6.EXE"), "my tool \xC4\xD6.exe");
    EXPECT_EQ(asciiUpper("abc\xE4z09"), "ABC\xE4Z09");
}

TEST(AnsiText, ParseDecimalAcceptsOnlyWholeIntegers) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    for (const Case& c : {Case{"0", true, 0}, Case{"2", true, 2}, Case{"-1", true, -1},
                          Case{"123456", true, 123456}, Case{"", false, 0}, Case{" 1", false, 0},
                          Case{"1 ", false, 0}, Case{"+1", false, 0}, Case{"1x", false, 0},
                          Case{"99999999999", false, 0}, Case{"abc", false, 0}}) {
        int value = 77;
        EXPECT_EQ(parseDecimal(c.text, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 77) << '"' << c.text << '"';
    }
}

TEST(ErrorBoxText, FullStopOnlyAfterCharactersSortingAfterDot) {
    EXPECT_EQ(errorBoxText("Bitmap image is not valid"), "Bitmap image is not valid.");
    EXPECT_EQ(errorBoxText("File not found !"), "File not found !");
    EXPECT_EQ(errorBoxText("Done."), "Done.");
    EXPECT_EQ(errorBoxText("Code 5"), "Code 5."); // '5' sorts after '.'
    EXPECT_EQ(errorBoxText("Odd -"), "Odd -");    // '-' sorts before '.'
    EXPECT_EQ(errorBoxText("Umlaut \xE4"), "Umlaut \xE4.");
    EXPECT_EQ(errorBoxText(""), "");
}

} // namespace
} // namespace qd
