#include "items/RelativePath.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(RelativePath, FromLauncherFolder) {
    struct Case {
        const char* launcher;
        const char* path;
        const char* relative;
    };
    const Case cases[] = {
        // The documented examples.
        {"D:\\Apps\\Launcher\\", "d:\\apps\\launcher\\tool.exe", "tool.exe"},
        {"D:\\Apps\\Launcher\\", "d:\\apps\\launcher\\sub\\tool.exe", "sub\\tool.exe"},
        {"D:\\Apps\\Launcher\\", "d:\\apps\\other\\tool.exe", "..\\other\\tool.exe"},
        {"D:\\Apps\\Launcher\\", "e:\\tool.exe", "e:\\tool.exe"},
        // Parent, grandparent's other branch, deep sub-folder.
        {"D:\\Apps\\Launcher\\", "d:\\apps\\tool.exe", "..\\tool.exe"},
        {"D:\\Apps\\Launcher\\", "d:\\games\\x\\y.exe", "..\\..\\games\\x\\y.exe"},
        {"D:\\Apps\\Launcher\\", "d:\\apps\\launcher\\a\\b\\c.exe", "a\\b\\c.exe"},
        // Folders are compared whole: "launch" is not a prefix of "launcher".
        {"D:\\Apps\\Launch\\", "d:\\apps\\launcher\\tool.exe", "..\\launcher\\tool.exe"},
        {"D:\\Apps\\Launcher\\", "d:\\apps\\launch\\tool.exe", "..\\launch\\tool.exe"},
        // The path comes in any case and is stored in lower case.
        {"d:\\APPS\\launcher\\", "D:\\Apps\\LAUNCHER\\Sub\\Tool.EXE", "sub\\tool.exe"},
        {"D:\\Apps\\", "E:\\Kit\\Tool.exe", "e:\\kit\\tool.exe"},
        // The launcher at a drive's root.
        {"E:\\", "e:\\tool.exe", "tool.exe"},
        {"E:\\", "e:\\tools\\x.exe", "tools\\x.exe"},
        {"E:\\Kit\\", "e:\\x.exe", "..\\x.exe"},
        // Network shares: the share is the drive.
        {"\\\\Srv\\Share\\Kit\\", "\\\\srv\\share\\kit\\x\\y.exe", "x\\y.exe"},
        {"\\\\Srv\\Share\\Kit\\", "\\\\srv\\share\\y.exe", "..\\y.exe"},
        {"\\\\Srv\\Share\\Kit\\", "\\\\srv\\other\\kit\\y.exe", "\\\\srv\\other\\kit\\y.exe"},
        {"\\\\Srv\\Share\\", "d:\\share\\y.exe", "d:\\share\\y.exe"},
        {"D:\\Share\\", "\\\\d\\share\\y.exe", "\\\\d\\share\\y.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(makeRelativePath(c.launcher, c.path), c.relative)
            << c.launcher << " + " << c.path;
}

TEST(RelativePath, DriveAndFileNameParts) {
    EXPECT_EQ(drivePart("d:\\x\\y.exe"), "d:");
    EXPECT_EQ(drivePart("\\\\srv\\share\\x\\y.exe"), "\\\\srv\\share");
    EXPECT_EQ(drivePart("\\\\srv\\share"), "\\\\srv\\share");
    EXPECT_EQ(drivePart("\\\\srv"), "\\\\srv");
    EXPECT_EQ(drivePart("\\x\\y.exe"), "");
    EXPECT_EQ(fileNamePart("d:\\x\\y.exe"), "y.exe");
    EXPECT_EQ(fileNamePart("d:y.exe"), "y.exe");
    EXPECT_EQ(fileNamePart("d:\\x\\"), "");
}

} // namespace
} // namespace qd
