#include "common/MessageText.h"

#include <gtest/gtest.h>

#include <string>

#include "ShiftJis.h"

namespace qd {
namespace {

TEST(MessageText, QuotesLongTextCutWithAnEllipsis) {
    const std::string atLimit(MaxQuotedLength, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"My Tool", "My Tool"},
        {atLimit, atLimit},
        {atLimit + "b", std::string(MaxQuotedLength - 3, 'a') + "..."},
        {std::string(4 << 20, 'z'), std::string(MaxQuotedLength - 3, 'z') + "..."},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(quotedInMessage(text), quoted) << text.size();
}

TEST(MessageText, CutNeverSplitsADoubleByteCharacter) {
    const qdtest::ShiftJisCodePage shiftJis;
    std::string text = "ab";
    for (int i = 0; i < 150; ++i)
        text += qdtest::Po;
    // 197 bytes would end on the first byte of a character.
    const std::string quoted = quotedInMessage(text);
    EXPECT_EQ(quoted, text.substr(0, MaxQuotedLength - 4) + "...");
}

} // namespace
} // namespace qd
