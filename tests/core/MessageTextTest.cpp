#include "common/MessageText.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace qd
