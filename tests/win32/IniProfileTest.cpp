#include <windows.h>

#include <gtest/gtest.h>

#include "common/Error.h"
#include "common/WidePath.h"
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

// Read-only media: writing what is already there must not touch the file. A
// handle that shares reading only makes every real write fail.
TEST(IniProfileFile, UnchangedValuesAreNotWritten) {
    qdtest::TempFolder folder;
    const std::string path = folder.file("QuillDeck.ini");
    TIniProfile profile(path);
    profile.writeInteger("Groups", 3);
    profile.writeString("Empty", "");
    profile.flush();
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NO_THROW(profile.writeInteger("Groups", 3));
    EXPECT_NO_THROW(profile.writeString("Empty", ""));
    EXPECT_NO_THROW(profile.deleteKey("Missing"));
    EXPECT_THROW(profile.writeString("Missing", ""), EQuillDeck);
    CloseHandle(held);
}

TEST(IniProfileFile, WorksInAFolderNamedInAnotherScript) {
    qdtest::TempFolder folder;
    const std::wstring wide = WidePath(folder.path()) + L"tools-\u65e5\u672c";
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
    TIniProfile profile(PathFromWide(wide) + "\\QuillDeck.ini");
    profile.writeString("1", "Caf\xe9");
    EXPECT_EQ(TIniProfile(profile.path()).readString("1", ""), "Caf\xe9");
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
