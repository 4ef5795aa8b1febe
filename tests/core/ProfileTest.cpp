#include "common/Profile.h"

#include <gtest/gtest.h>

#include "FakeProfile.h"

namespace qd {
namespace {

TEST(ProfileInteger, AcceptsDecimalAndHexFormsElseDefault) {
    struct Case {
        const char* text;
        int expected;
    };
    for (const Case& c :
         {Case{"0", 0}, Case{"318", 318}, Case{"  42", 42}, Case{"-7", -7}, Case{"+7", 7},
          Case{"$1F", 31}, Case{"  -5", -5}, Case{"0x64", 100}, Case{"x10", 16}, Case{"X10", 16},
          Case{"0x10", 16}, Case{"0X1f", 31}, Case{"-$10", -16}, Case{"$FFFFFFFF", -1},
          Case{"2147483647", 2147483647}, Case{"-2147483648", -2147483647 - 1},
          // not numbers: the default (99)
          Case{"", 99}, Case{"abc", 99}, Case{"12abc", 99}, Case{"1 2", 99}, Case{"2147483648", 99},
          Case{"$100000000", 99}, Case{"$", 99}, Case{"x", 99}, Case{"0x", 99}, Case{"-", 99},
          Case{"1.5", 99}}) {
        EXPECT_EQ(parseProfileInteger(c.text, 99), c.expected) << '"' << c.text << '"';
    }
}

TEST(ProfileStoreValues, BooleansAreNumbersAndMissingKeysGiveDefaults) {
    qdtest::FakeProfile profile;
    profile.values = {{"On", "5"}, {"Off", "0"}, {"Odd", "yes"}};
    EXPECT_TRUE(profile.readBoolean("On", false));
    EXPECT_FALSE(profile.readBoolean("Off", true));
    EXPECT_TRUE(profile.readBoolean("Odd", true));
    EXPECT_FALSE(profile.readBoolean("Odd", false));
    EXPECT_TRUE(profile.readBoolean("Missing", true));
    EXPECT_EQ(profile.readInteger("Missing", 318), 318);

    profile.writeBoolean("Flag", true);
    profile.writeInteger("Top", -3);
    EXPECT_EQ(profile.values["Flag"], "1");
    EXPECT_EQ(profile.values["Top"], "-3");
}

} // namespace
} // namespace qd
