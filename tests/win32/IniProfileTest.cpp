#include <windows.h>

#include <gtest/gtest.h>

#include "common/Error.h"
#include "shell/IniProfile.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

TEST(IniProfileFile, WritesReadsAndRemovesKeys) {
    qdtest::TempFolder folder;
    TIniProfile profile(folder.file("QuillDeck.ini"));
    profile.writeInteger("Groups", 3);
    profile.writeString("3", "Tools");
    EXPECT_EQ(profile.readInteger("Groups", 1), 3);
    profile.deleteKey("3");
    EXPECT_EQ(profile.readString("3", "gone"), "gone");
    EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.ini")), "[Preferences]\r\nGroups=3\r\n");
}

TEST(IniProfileFile, RefusedWriteNamesTheFile) {
    qdtest::TempFolder folder;
    const std::string path = folder.file("missing\\QuillDeck.ini");
    TIniProfile profile(path);
    try {
        profile.writeBoolean("CaptionClose", true);
        FAIL() << "the write went through";
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
}

} // namespace
} // namespace qd
