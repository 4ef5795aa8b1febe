#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueStore.h"
#include "catalogue/ItemPath.h"
#include "common/Error.h"
#include "common/FileIo.h"
#include "common/WidePath.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

using qdtest::TempFolder;

ItemTable twoItems() {
    ItemTable table;
    IconImage icon;
    icon.at(3, 4) = 0x123456;
    table.addItem({"Editor", "tools\\ed.exe", "ed.exe", "0", "", "0", "0", "0"}, icon);
    table.addItem({"Viewer", "d:\\v.exe", "v.exe", "0", "-x", "1", "0", "0"}, icon);
    return table;
}

TEST(CatalogueStore, MissingFileIsCreatedEmptyAndEmptyTableLeavesIt) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    ItemTable table;
    LoadCatalogue(path, table);
    EXPECT_TRUE(table.isEmpty());
    ASSERT_TRUE(qdtest::fileExists(path));
    EXPECT_EQ(qdtest::readFile(path).size(), 0u);
    SaveCatalogue(path, table);
    EXPECT_EQ(qdtest::readFile(path).size(), 0u);
}

TEST(CatalogueStore, SaveThenLoadRoundTripsAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    const ItemTable saved = twoItems();
    SaveCatalogue(path, saved);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
    ItemTable loaded;
    LoadCatalogue(path, loaded);
    ASSERT_EQ(loaded.rowCount(), 2);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(loaded.cells(r), saved.cells(r));
        EXPECT_EQ(loaded.icon(r).at(3, 4), 0x123456u);
    }
}

// A save that cannot complete must leave the old catalogue exactly as it was.
TEST(CatalogueStore, FailedSaveKeepsTheOldCatalogue) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    const std::string old = "old catalogue bytes";
    qdtest::writeFile(path, old);

    // The temporary file cannot be created (a folder stands in its place).
    CreateDirectoryA((path + ".tmp").c_str(), nullptr);
    try {
        SaveCatalogue(path, twoItems());
        FAIL() << "save should fail";
    } catch (const EQuillDeck& e) {
        // It names the file that could not be made, not the catalogue.
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + path + ".tmp\". ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(qdtest::readFile(path), old);
    RemoveDirectoryA((path + ".tmp").c_str());

    // The old file is held open without delete sharing, so it cannot be replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(SaveCatalogue(path, twoItems()), EQuillDeck);
    CloseHandle(held);
    EXPECT_EQ(qdtest::readFile(path), old);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
}

TEST(CatalogueStore, LoadRemovesTheTemporaryFileAnInterruptedSaveLeft) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    SaveCatalogue(path, twoItems());
    qdtest::writeFile(path + ".tmp", "half a catalogue");
    ItemTable loaded;
    LoadCatalogue(path, loaded);
    EXPECT_EQ(loaded.rowCount(), 2);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
}

// Read-only media: a close that changed nothing must not try to write. A
// folder in the temporary file's place makes every real write fail.
TEST(CatalogueStore, SavingTheBytesAlreadyThereWritesNothing) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    SaveCatalogue(path, twoItems());
    ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));
    EXPECT_NO_THROW(SaveCatalogue(path, twoItems()));
    ItemTable changed = twoItems();
    changed.setCell(ColTitle, 0, "Changed");
    EXPECT_THROW(SaveCatalogue(path, changed), EQuillDeck);
}

TEST(CatalogueStore, ReplacingKeepsHiddenAndSystemAndRefusesReadOnly) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    qdtest::writeFile(path, "old");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SaveCatalogue(path, twoItems());
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    qdtest::writeFile(folder.file("ro.rcc"), "old");
    SetFileAttributesA(folder.file("ro.rcc").c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        SaveCatalogue(folder.file("ro.rcc"), twoItems());
        FAIL() << "a read-only catalogue was replaced";
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create file \"" + folder.file("ro.rcc") + "\". The file is read-only.");
    }
    EXPECT_EQ(qdtest::readFile(folder.file("ro.rcc")), "old");
}

// The launcher folder may be named in a script the ANSI code page lacks: paths
// are carried in UTF-8 and the files are reached through the wide calls.
TEST(CatalogueStore, WorksInAFolderNamedInAnotherScript) {
    TempFolder folder;
    const std::wstring wide = WidePath(folder.path()) + L"tools-\u65e5\u672c";
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
    const std::string path = PathFromWide(wide) + "\\QuillDeck.rcc";
    SaveCatalogue(path, twoItems());
    EXPECT_TRUE(FileExists(path));
    ItemTable loaded;
    LoadCatalogue(path, loaded);
    EXPECT_EQ(loaded.rowCount(), 2);
    EXPECT_EQ(ResolveItemPath(PathFromWide(wide) + "\\", "tools\\ed.exe"),
              PathFromWide(wide + L"\\tools\\ed.exe"));
}

TEST(CatalogueStore, UnreadableOrUncreatableFilesGiveTheirMessages) {
    TempFolder folder;
    ItemTable table;
    // The folder does not exist, so the empty catalogue cannot be created.
    const std::string nowhere = folder.file("missing\\QuillDeck.rcc");
    try {
        LoadCatalogue(nowhere, table);
        FAIL();
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + nowhere + "\". ", 0), 0u);
    }
    // A file locked by another handle cannot be opened.
    const std::string locked = folder.file("QuillDeck.rcc");
    qdtest::writeFile(locked, "x");
    HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        LoadCatalogue(locked, table);
        FAIL();
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + locked + "\". ", 0), 0u);
    }
    CloseHandle(held);
}

} // namespace
} // namespace qd
