#include <windows.h>

#include <gtest/gtest.h>

#include "common/Handles.h"
#include "integrity/FileDigest.h"
#include "integrity/Fingerprint.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

using qdtest::TempFolder;

TSecHashDigest digestOf(const std::string& bytes) {
    TSecHash hash;
    hash.update(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return hash.finish();
}

HCURSOR crossCursor() {
    return LoadCursorA(nullptr, IDC_CROSS);
}

// Opening for writing as well would fail on both: a read-only file, and one
// that another handle writes to without sharing write access.
TEST(FileDigest, ReadOnlyAndHeldOpenFilesDigest) {
    TempFolder folder;
    TSecHash hash;
    const std::string readOnly = folder.file("abc.exe");
    qdtest::writeFile(readOnly, "abc");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    SetCursor(crossCursor());
    EXPECT_EQ(HexDigest(DigestFile(hash, readOnly)), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(GetCursor(), crossCursor());

    // Spans several read blocks and ends inside one.
    std::string bytes(2 * TSecHash::ReadBlockSize + 77, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 131 + i / 4093);
    const std::string held = folder.file("held.exe");
    qdtest::writeFile(held, bytes);
    UniqueKernelHandle writer(CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(writer.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(DigestFile(hash, held), digestOf(bytes));
}

TEST(FileDigest, MissingFileOrFolderRaisesFileNotFound) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryA(folder.file("sub").c_str(), nullptr));
    TSecHash hash;
    for (const std::string& path :
         {folder.file("missing.exe"), folder.file("sub"), folder.path(), std::string()}) {
        SCOPED_TRACE(path);
        SetCursor(crossCursor());
        try {
            DigestFile(hash, path);
            ADD_FAILURE() << "no exception";
        } catch (const ESecHashException& e) {
            EXPECT_STREQ(e.what(), "File not found !");
        }
        EXPECT_EQ(GetCursor(), crossCursor());
    }
}

} // namespace
} // namespace qd
