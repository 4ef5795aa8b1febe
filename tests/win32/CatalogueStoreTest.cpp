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

CatalogueOrigin load(const std::string& path, ItemTable& table) {
    CatalogueOrigin origin = CatalogueOrigin::Damaged;
    LoadCatalogue(path, table, origin);
    return origin;
}

TEST(CatalogueStore, MissingFileIsCreatedEmptyAndEmptyTableLeavesIt) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    ItemTable table;
    load(path, table);
    EXPECT_TRUE(table.isEmpty());
    ASSERT_TRUE(qdtest::fileExists(path));
    EXPECT_EQ(qdtest::readFile(path).size(), 0u);
    SaveCatalogue(path, table, CatalogueOrigin::Read);
    EXPECT_EQ(qdtest::readFile(path).size(), 0u);
}

TEST(CatalogueStore, SaveThenLoadRoundTripsAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    const ItemTable saved = twoItems();
    SaveCatalogue(path, saved, CatalogueOrigin::Read);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
    ItemTable loaded;
    load(path, loaded);
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
        SaveCatalogue(path, twoItems(), CatalogueOrigin::Read);
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
    EXPECT_THROW(SaveCatalogue(path, twoItems(), CatalogueOrigin::Read), EQuillDeck);
    CloseHandle(held);
    EXPECT_EQ(qdtest::readFile(path), old);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
}

TEST(CatalogueStore, LoadRemovesTheTemporaryFileAnInterruptedSaveLeft) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Read);
    qdtest::writeFile(path + ".tmp", "half a catalogue");
    ItemTable loaded;
    load(path, loaded);
    EXPECT_EQ(loaded.rowCount(), 2);
    EXPECT_FALSE(qdtest::fileExists(path + ".tmp"));
}

// Read-only media: a close that changed nothing must not try to write. A
// folder in the temporary file's place makes every real write fail.
TEST(CatalogueStore, SavingTheBytesAlreadyThereWritesNothing) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Read);
    ASSERT_TRUE(CreateDirectoryA((path + ".tmp").c_str(), nullptr));
    EXPECT_NO_THROW(SaveCatalogue(path, twoItems(), CatalogueOrigin::Read));
    ItemTable changed = twoItems();
    changed.setCell(ColTitle, 0, "Changed");
    EXPECT_THROW(SaveCatalogue(path, changed, CatalogueOrigin::Read), EQuillDeck);
}

TEST(CatalogueStore, ReplacingKeepsHiddenAndSystemAndRefusesReadOnly) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    qdtest::writeFile(path, "old");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Read);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    qdtest::writeFile(folder.file("ro.rcc"), "old");
    SetFileAttributesA(folder.file("ro.rcc").c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        SaveCatalogue(folder.file("ro.rcc"), twoItems(), CatalogueOrigin::Read);
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
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Read);
    EXPECT_TRUE(FileExists(path));
    ItemTable loaded;
    load(path, loaded);
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
        load(nowhere, table);
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
        load(locked, table);
        FAIL();
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + locked + "\". ", 0), 0u);
    }
    CloseHandle(held);
}

// A catalogue that could not be read is not damaged, and neither kind is
// ever lost: each is kept as a ".damaged" file of its own before anything
// replaces or deletes it, and a kept file is never overwritten.
TEST(CatalogueStore, FilesNotReadAreKeptAndNeverOverwritten) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    ItemTable table;

    qdtest::writeFile(path, "first damage");
    try {
        load(path, table);
        FAIL() << "a damaged file loaded";
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Stream read error\r\n\"" + path +
                      "\" is damaged: the list starts empty, and the file is kept as it is.");
    }
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Damaged);
    qdtest::writeFile(path, "second damage");
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Damaged);
    EXPECT_EQ(qdtest::readFile(path + ".damaged"), "first damage");
    EXPECT_EQ(qdtest::readFile(path + ".damaged-2"), "second damage");

    // Locked at start-up: could not be read, so the list starts empty and the
    // file stays; a delete of the last added item keeps it aside too.
    qdtest::writeFile(path, "a list locked by another program");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CatalogueOrigin origin = CatalogueOrigin::Read;
    try {
        LoadCatalogue(path, table, origin);
        FAIL() << "a locked file loaded";
    } catch (const EQuillDeck& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + path +
                      "\". Another program is using the file.\r\nThe list starts empty, and the "
                      "file is left as it is.");
    }
    EXPECT_EQ(origin, CatalogueOrigin::Unreadable);
    EXPECT_TRUE(table.isEmpty());
    CloseHandle(held);
    DeleteCatalogue(path, origin);
    EXPECT_FALSE(qdtest::fileExists(path));
    EXPECT_EQ(qdtest::readFile(path + ".damaged-3"), "a list locked by another program");
    EXPECT_EQ(qdtest::readFile(path + ".damaged"), "first damage");
}

// The launcher's own files are reached through the wide calls: a folder named
// with a character outside ASCII must not keep a file that should go.
TEST(CatalogueStore, DeletingTheLastItemRemovesTheFileInAnyFolder) {
    TempFolder folder;
    const std::wstring wide = WidePath(folder.path()) + L"caf\u00e9-\u65e5\u672c";
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
    const std::string path = PathFromWide(wide) + "\\QuillDeck.rcc";
    SaveCatalogue(path, twoItems(), CatalogueOrigin::Read);
    ASSERT_TRUE(FileExists(path));
    DeleteCatalogue(path, CatalogueOrigin::Read);
    EXPECT_FALSE(FileExists(path));
}

// A folder where the catalogue should be is named as such, not "Access denied".
TEST(CatalogueStore, AFolderInTheCataloguesPlaceIsSaidToBeOne) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    ItemTable table;
    try {
        load(path, table);
        FAIL() << "a folder loaded";
    } catch (const EQuillDeck& e) {
        EXPECT_NE(std::string(e.what()).find("\". It is a folder, not a file."), std::string::npos)
            << e.what();
    }
}

// Whether another program could open the file to write it now.
bool othersCanWrite(const std::string& path) {
    const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// A large catalogue is left in its file, each image read when drawn. While it
// is, nobody else may write the file; a save first reads what is left and
// lets the file go, and writes every image as it was.
TEST(CatalogueStore, ACatalogueLeftInItsFileIsKeptFromWritersAndSavedWhole) {
    TempFolder folder;
    const std::string path = folder.file("QuillDeck.rcc");
    ItemTable saved;
    for (int i = 0; i < 40; ++i) {
        IconImage icon;
        icon.pixels.fill(0x010305u * static_cast<std::uint32_t>(i + 1));
        saved.addItem({"Item" + std::to_string(i), "tools\\i.exe", "i.exe", "0", "", "0", "0", "0"},
                      icon);
    }
    SaveCatalogue(path, saved, CatalogueOrigin::Read);
    const std::string before = qdtest::readFile(path);

    ItemTable table;
    CatalogueOrigin origin = CatalogueOrigin::Damaged;
    const std::shared_ptr<const CatalogueBytes> bytes =
        LoadCatalogueLeavingImages(path, table, origin);
    EXPECT_EQ(origin, CatalogueOrigin::Read);
    ASSERT_NE(bytes, nullptr);
    ASSERT_EQ(table.rowCount(), 40);
    EXPECT_EQ(table.icon(33), saved.icon(33));
    EXPECT_EQ(qdtest::readFile(path), before); // others may read it
    EXPECT_FALSE(othersCanWrite(path));

    // Nothing changed: nothing written, and the file is let go all the same.
    SaveCatalogue(path, table, origin);
    EXPECT_TRUE(othersCanWrite(path));
    EXPECT_EQ(qdtest::readFile(path), before);

    table.setCell(ColTitle, 0, "Renamed");
    SaveCatalogue(path, table, origin);
    ItemTable reloaded;
    load(path, reloaded);
    EXPECT_EQ(reloaded.cell(ColTitle, 0), "Renamed");
    for (int r = 0; r < 40; ++r)
        EXPECT_EQ(reloaded.icon(r), saved.icon(r)) << "row " << r;
}

} // namespace
} // namespace qd

namespace qd {
namespace {

// Full paths of every length come back whole, however long the buffer a
// common path fits in; the folder need not exist.
TEST(ItemPath, ResolvesRelativePathsOfAnyLengthAgainstTheLauncherFolder) {
    TempFolder folder;
    for (const std::size_t length : {10, 250, 600, 1500}) {
        SCOPED_TRACE(length);
        const std::string relative = "tools\\" + std::string(length, 'a') + "\\p.exe";
        EXPECT_EQ(ResolveItemPath(folder.path(), relative), folder.path() + relative);
        EXPECT_EQ(ResolveItemPath(folder.path(), "x\\..\\" + relative), folder.path() + relative);
    }
}

} // namespace
} // namespace qd
