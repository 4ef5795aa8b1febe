#include "shell/HotKeyText.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(HotKeyText, ReadsAndWritesBackTheSameText) {
    const struct {
        const char* text;
        HotKey key;
        const char* written;
    } cases[] = {
        {"Ctrl+Alt+Q", {true, true, false, false, 'Q'}, "Ctrl+Alt+Q"},
        {"alt+ctrl+q", {true, true, false, false, 'Q'}, "Ctrl+Alt+Q"},
        {"Win+Shift+F12", {false, false, true, true, 0x7B}, "Shift+Win+F12"},
        {"Ctrl+space", {true, false, false, false, 0x20}, "Ctrl+Space"},
        {"Alt+7", {false, true, false, false, '7'}, "Alt+7"},
    };
    for (const auto& c : cases) {
        const std::optional<HotKey> key = parseHotKey(c.text);
        ASSERT_TRUE(key) << c.text;
        EXPECT_EQ(*key, c.key) << c.text;
        EXPECT_EQ(formatHotKey(*key), c.written);
        EXPECT_EQ(parseHotKey(formatHotKey(*key)), key);
    }
}

TEST(HotKeyText, RefusesWhatIsNotAHotKey) {
    for (const char* text : {"", "Q", "Ctrl+", "+Q", "Alt+Alt+Q", "Ctrl+Alt", "Ctrl+Banana",
                             "Ctrl+QQ", "Hyper+Q", "Ctrl++Q", "Ctrl+Alt+Q+W"})
        EXPECT_FALSE(parseHotKey(text)) << text;
}

} // namespace
} // namespace qd
