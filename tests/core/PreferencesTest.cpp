#include "shell/Preferences.h"

#include <gtest/gtest.h>

#include "FakeProfile.h"

namespace qd {
namespace {

using Log = std::vector<std::string>;

TEST(PreferencesReading, MissingFileGivesStartupAndPanelDefaults) {
    qdtest::FakeProfile empty;
    PreferenceFlags atStart;
    atStart.StartMinimized = true; // read later in the start-up: left alone here
    readStartupFlags(empty, atStart);
    EXPECT_EQ(atStart, (PreferenceFlags{true, true, true, false, false}));
    EXPECT_FALSE(readStartMinimized(empty));
    // The panel's own default sets the close-closes flag.
    EXPECT_EQ(readPanelFlags(empty), (PreferenceFlags{false, true, true, true, false}));
    EXPECT_EQ(readWindowPlacement(empty, {220, 158, 318, 150}),
              (WindowPlacement{220, 158, 318, 150}));
}

TEST(PreferencesReading, StoredValuesWinOverEveryDefault) {
    qdtest::FakeProfile file;
    file.values = {{"WindowHeight", "300"}, {"WindowLeft", "0x64"}, {"WindowTop", "junk"},
                   {"StartMinimized", "1"}, {"ConfirmDelete", "0"}, {"CheckSafe", "0"},
                   {"CaptionClose", "0"},   {"KeepDeleted", "$1"}};
    EXPECT_EQ(readWindowPlacement(file, {220, 158, 318, 150}),
              (WindowPlacement{300, 158, 100, 150}));
    PreferenceFlags atStart;
    readStartupFlags(file, atStart);
    EXPECT_EQ(atStart, (PreferenceFlags{false, false, false, false, true}));
    EXPECT_TRUE(readStartMinimized(file));
    EXPECT_EQ(readPanelFlags(file), (PreferenceFlags{true, false, false, false, true}));
    EXPECT_TRUE(file.log.empty());
}

TEST(PreferencesWriting, CloseAndOptionsOkWriteTheirKeysInOrder) {
    qdtest::FakeProfile file;
    writeClosingPreferences(file, {220, 158, 318, 150}, 4, 2);
    EXPECT_EQ(file.log, (Log{"WindowHeight=220", "WindowWidth=158", "WindowLeft=318",
                             "WindowTop=150", "SelectItem=4", "SelectGroup=2"}));
    file.log.clear();
    writeOptionFlags(file, {false, true, true, true, false});
    EXPECT_EQ(file.log, (Log{"StartMinimized=0", "ConfirmDelete=1", "CheckSafe=1", "CaptionClose=1",
                             "KeepDeleted=0"}));
}

TEST(PreferencesWriting, RefusedWriteStopsTheRest) {
    qdtest::FakeProfile file;
    file.refusedKey = "CheckSafe";
    EXPECT_THROW(writeOptionFlags(file, {true, true, true, true, true}), EQuillDeck);
    EXPECT_EQ(file.log, (Log{"StartMinimized=1", "ConfirmDelete=1"}));

    file.refusedKey = "WindowLeft";
    file.log.clear();
    EXPECT_THROW(writeClosingPreferences(file, {1, 2, 3, 4}, 0, 0), EQuillDeck);
    EXPECT_EQ(file.log, (Log{"WindowHeight=1", "WindowWidth=2"}));
}

} // namespace
} // namespace qd
