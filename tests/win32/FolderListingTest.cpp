#include "integrity/FolderListing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "integrity/FileCheck.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

using qdtest::TempFolder;

// Once a folder is listed, every answer is still the one a lookup of the
// path alone gives: names in another case, a folder where a program was, a
// file that came after the listing, a short name, a missing file.
TEST(FolderListing, AnswersAsALookupOfEachPathDoes) {
    TempFolder folder;
    for (int i = 0; i < 20; ++i)
        qdtest::writeFile(folder.file("tool" + std::to_string(i) + ".exe"), "MZ");
    qdtest::writeFile(folder.file("A Long Program Name.exe"), "MZ");
    ASSERT_TRUE(CreateDirectoryA(folder.file("sub.exe").c_str(), nullptr));
    FolderListing listing;
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(listing.check(folder.file("tool" + std::to_string(i) + ".exe")),
                  FileState::Exists);
    qdtest::writeFile(folder.file("later.exe"), "MZ");
    char shortName[MAX_PATH] = "";
    GetShortPathNameA(folder.file("A Long Program Name.exe").c_str(), shortName, MAX_PATH);

    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"another case", folder.file("TOOL3.EXE")},
        {"a folder named like a program", folder.file("sub.exe")},
        {"a file made after the listing", folder.file("later.exe")},
        {"a short name", shortName},
        {"a missing file", folder.file("gone.exe")},
        {"a file in a missing folder", folder.file("nowhere\\tool1.exe")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(listing.check(c.path), CheckItemFile(c.path));
    }
    EXPECT_EQ(listing.check(folder.file("TOOL3.EXE")), FileState::Exists);
    EXPECT_NE(listing.check(folder.file("sub.exe")), FileState::Exists);
}

} // namespace
} // namespace qd
