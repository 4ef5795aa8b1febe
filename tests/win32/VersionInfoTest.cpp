#include "items/VersionInfo.h"

#include <gtest/gtest.h>

#include "support/DialogWatcher.h"

namespace qd {
namespace {

const std::string Versioned = qdtest::builtFile(QD_SAMPLE_VERSIONED);
const std::string TwoTranslations = qdtest::builtFile(QD_SAMPLE_TWO_TRANSLATIONS);
const std::string Bare = qdtest::builtFile(QD_SAMPLE_BARE);

TEST(VersionStrings, ReadUnderTheFirstTranslationsCodePage) {
    // Stored under 040904E4: a reader that swaps language and code page, or
    // assumes 04B0, finds nothing.
    EXPECT_EQ(ReadVersionString(Versioned, "ProductName"), "Sample Suite");
    const std::string version = ReadVersionString(Versioned, "FileVersion");
    EXPECT_EQ(version, "1.2.0.7");
    EXPECT_EQ(version.size(), 7u);
    EXPECT_EQ(ReadVersionString(Versioned, "Comments"), "");
}

TEST(VersionStrings, OtherTranslationsAreNeverTried) {
    EXPECT_EQ(ReadVersionString(TwoTranslations, "FileVersion"), "3.0 first");
    EXPECT_EQ(ReadVersionString(TwoTranslations, "ProductName"), "");
}

TEST(VersionStrings, EmptyWithoutFileOrResource) {
    qdtest::TempFolder folder;
    const std::string text = folder.file("notes.exe");
    qdtest::writeFile(text, "not a program");
    for (const std::string& path : {Bare, text, folder.file("missing.exe"), folder.path()}) {
        EXPECT_EQ(ReadVersionString(path, "ProductName"), "") << path;
        EXPECT_EQ(ReadVersionString(path, "FileVersion"), "") << path;
    }
}

TEST(VersionStrings, NothingCarriesOverBetweenCalls) {
    EXPECT_EQ(ReadVersionString(Versioned, "ProductName"), "Sample Suite");
    EXPECT_EQ(ReadVersionString(Versioned, "FileVersion"), "1.2.0.7");
    EXPECT_EQ(ReadVersionString(Bare, "FileVersion"), "");
    EXPECT_EQ(ReadVersionString(TwoTranslations, "ProductName"), "");
    EXPECT_EQ(ReadVersionString(Versioned, "ProductName"), "Sample Suite");
}

TEST(VersionStrings, PathHasFourUpperCaseHexDigitsPerField) {
    EXPECT_EQ(VersionStringPath(0x04E40409, "FileVersion"),
              "StringFileInfo\\040904E4\\FileVersion");
    EXPECT_EQ(VersionStringPath(0xFDE9000A, "ProductName"),
              "StringFileInfo\\000AFDE9\\ProductName");
}

} // namespace
} // namespace qd
