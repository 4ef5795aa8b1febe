#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(RestrictedMode, OnlyAFirstArgumentStartingWithSlashSSelectsIt) {
    using Args = std::vector<std::string>;
    struct Case {
        Args args;
        bool restricted;
    };
    for (const Case& c :
         {Case{{}, false}, Case{{"/s"}, true}, Case{{"/S"}, true}, Case{{"/silent"}, true},
          Case{{"/Sx", "more"}, true}, Case{{"-s"}, false}, Case{{"/"}, false}, Case{{"s"}, false},
          Case{{"x", "/s"}, false}, Case{{""}, false}, Case{{" /s"}, false}}) {
        std::string shown;
        for (const auto& a : c.args)
            shown += "[" + a + "]";
        EXPECT_EQ(selectsRestrictedMode(c.args), c.restricted) << shown;
    }
}

} // namespace
} // namespace qd
