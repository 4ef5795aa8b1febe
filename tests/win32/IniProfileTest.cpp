#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

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
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NO_THROW(profile.writeInteger("Groups", 3));
    EXPECT_NO_THROW(profile.writeString("Empty", ""));
    EXPECT_NO_THROW(profile.deleteKey("Missing"));
    EXPECT_THROW(profile.writeString("Missing", ""), EQuillDeck);
    CloseHandle(held);
}

// The file is written whole and replaced, yet its bytes must stay those the
// profile-string services would have written: other tools and earlier
// versions read and write the same file.
TEST(IniProfileFile, WritesTheBytesOfTheProfileServices) {
    struct Change {
        const char* key;
        const char* value; // null removes the key
    };
    struct Case {
        const char* before; // null: no file
        std::vector<Change> changes;
    };
    const std::vector<Case> cases = {
        {nullptr, {{"WindowHeight", "100"}, {"WindowWidth", "50"}, {"Groups", ""}}},
        {"; note\r\n\r\n[Other]\r\nx = 1 \r\n\r\n\r\n[preferences]\r\n  windowheight = 7 "
         "\r\nfoo=\r\n\r\n[Last]\r\ny=2",
         {{"WindowHeight", "100"}, {"New", "v"}, {"foo", nullptr}}},
        {"[Other]\nx=1", {{"A", "1"}}},
        {"[Preferences]\nA=\"q\"\nB=1\n3=Tools", {{"C", "2"}, {"3", nullptr}, {"A", "r"}}},
        {"[Preferences]\r\nA=1\r\n", {{"A", nullptr}}},
    };
    for (const Case& c : cases) {
        qdtest::TempFolder folder;
        const std::string expected = folder.file("expected.ini"), ours = folder.file("ours.ini");
        if (c.before) {
            qdtest::writeFile(expected, c.before);
            qdtest::writeFile(ours, c.before);
        }
        for (const Change& change : c.changes)
            WritePrivateProfileStringA("Preferences", change.key, change.value, expected.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, expected.c_str());
        TIniProfile(ours).update([&](ProfileStore& store) {
            for (const Change& change : c.changes) {
                if (change.value)
                    store.writeString(change.key, change.value);
                else
                    store.deleteKey(change.key);
            }
        });
        EXPECT_EQ(qdtest::readFile(ours), qdtest::readFile(expected))
            << (c.before ? c.before : "(no file)");
    }
}

// A kill or a pulled stick while the file is written must leave the old file
// or the new one: the file is never truncated in place, and a file that
// cannot be read whole is not overwritten with the keys we know.
TEST(IniProfileFile, AFailedWriteLeavesTheOldFileWhole) {
    qdtest::TempFolder folder;
    const std::string path = folder.file("QuillDeck.ini");
    const std::string before = "[Preferences]\r\nGroups=2\r\n2=Tools\r\n";
    qdtest::writeFile(path, before);
    // Shared for reading only: the replacement cannot happen.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(TIniProfile(path).update([](ProfileStore& store) {
        store.writeInteger("WindowLeft", 5);
        store.writeInteger("WindowTop", 6);
    }),
                 EQuillDeck);
    CloseHandle(held);
    EXPECT_EQ(qdtest::readFile(path), before);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
    // Not shared at all: it cannot be read, so it is not written either.
    held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(TIniProfile(path).writeInteger("WindowLeft", 5), EQuillDeck);
    EXPECT_EQ(TIniProfile(path).readInteger("Groups", 1), 1); // unreadable: the default
    CloseHandle(held);
    EXPECT_EQ(qdtest::readFile(path), before);
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
