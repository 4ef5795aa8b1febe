#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/CatalogueFile.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"

namespace qd {
namespace {

using qdtest::TempFolder;

TStartup startupIn(const TempFolder& folder, std::vector<std::string> args = {}) {
    TStartup startup;
    startup.launcherFolder = folder.path();
    startup.arguments = std::move(args);
    return startup;
}

std::string iniKeys(const std::string& path) {
    char buffer[4096] = {};
    DWORD n =
        GetPrivateProfileStringA("Preferences", nullptr, "", buffer, sizeof(buffer), path.c_str());
    std::string keys;
    for (DWORD i = 0; i < n; i += static_cast<DWORD>(std::strlen(buffer + i)) + 1)
        keys += std::string(buffer + i) + ";";
    return keys;
}

TEST(Startup, FirstStartCreatesEmptyCatalogueAndCloseWritesPlacement) {
    TempFolder folder;
    {
        TForm1 form(startupIn(folder));
        EXPECT_FALSE(seam(form).RestrictedMode());
        EXPECT_TRUE(IsWindowVisible(form.Handle()));
        EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.rcc")).size(), 0u);
        EXPECT_FALSE(seam(form).ToolButton_edit->Enabled());
        EXPECT_FALSE(seam(form).ToolButton_delete->Enabled());
        EXPECT_TRUE(seam(form).ToolButton_options->Enabled());
        // Defaults without a preferences file.
        EXPECT_TRUE(seam(form).Flags.ConfirmDelete);
        EXPECT_TRUE(seam(form).Flags.CheckSafe);
        EXPECT_FALSE(seam(form).Flags.CloseCloses);
        EXPECT_FALSE(seam(form).Flags.KeepDeleted);
        RECT client;
        GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, 158);
        EXPECT_EQ(client.bottom, 220);
        EXPECT_EQ(seam(form).StringGrid1->ColumnWidth(), 154);
        seam(form).Close();
        qdtest::pump(10);
    }
    EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.rcc")).size(), 0u);
    EXPECT_EQ(iniKeys(folder.file("QuillDeck.ini")),
              "WindowHeight;WindowWidth;WindowLeft;WindowTop;SelectItem;SelectGroup;");
}

TEST(Startup, SavedPlacementIsAppliedAndWrittenBack) {
    TempFolder folder;
    const std::string ini = folder.file("QuillDeck.ini");
    WritePrivateProfileStringA("Preferences", "WindowLeft", "40", ini.c_str());
    WritePrivateProfileStringA("Preferences", "WindowTop", "$30", ini.c_str());
    WritePrivateProfileStringA("Preferences", "WindowWidth", "300", ini.c_str());
    WritePrivateProfileStringA("Preferences", "WindowHeight", "junk", ini.c_str());
    WritePrivateProfileStringA("Preferences", "CaptionClose", "1", ini.c_str());
    int defaultHeight = 0;
    {
        TForm1 form(startupIn(folder));
        RECT r;
        GetWindowRect(form.Handle(), &r);
        EXPECT_EQ(r.left, 40);
        EXPECT_EQ(r.top, 48);
        EXPECT_EQ(r.right - r.left, 300);
        defaultHeight = r.bottom - r.top;
        EXPECT_TRUE(seam(form).Flags.CloseCloses);
        seam(form).Close();
        qdtest::pump(10);
    }
    EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowTop", -1, ini.c_str()), 48);
    EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowHeight", -1, ini.c_str()), defaultHeight);
}

// A size of zero, below zero or beyond the screen was never chosen by anyone:
// the window opens at its first-start size, on the screen, and the file is
// corrected at the close.
TEST(Startup, SizesNoOneChoseOpenTheFirstStartWindowOnScreen) {
    struct Case {
        const char *height, *width, *left, *top;
    };
    for (const Case& c : {Case{"-500", "-500", "318", "150"},
                          Case{"-2147483648", "-2147483648", "-2147483648", "-2147483648"},
                          Case{"300", "999999999", "318", "150"}, Case{"0", "0", "900", "700"}}) {
        TempFolder folder;
        const std::string ini = folder.file("QuillDeck.ini");
        WritePrivateProfileStringA("Preferences", "WindowHeight", c.height, ini.c_str());
        WritePrivateProfileStringA("Preferences", "WindowWidth", c.width, ini.c_str());
        WritePrivateProfileStringA("Preferences", "WindowLeft", c.left, ini.c_str());
        WritePrivateProfileStringA("Preferences", "WindowTop", c.top, ini.c_str());
        RECT shown{};
        {
            TForm1 form(startupIn(folder));
            RECT client;
            GetClientRect(form.Handle(), &client);
            EXPECT_EQ(client.right, 158) << c.width;
            if (std::string(c.height) != "300") {
                EXPECT_EQ(client.bottom, 220) << c.height;
            }
            GetWindowRect(form.Handle(), &shown);
            MONITORINFO monitor{sizeof(monitor)};
            GetMonitorInfoA(MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
            RECT inside;
            IntersectRect(&inside, &shown, &monitor.rcWork);
            EXPECT_TRUE(EqualRect(&inside, &shown)) << c.width << " " << c.left;
            seam(form).Close();
            qdtest::pump(10);
        }
        EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowWidth", -1, ini.c_str()),
                  shown.right - shown.left);
        EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowHeight", -1, ini.c_str()),
                  shown.bottom - shown.top);
        EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowLeft", -1, ini.c_str()), shown.left);
    }
}

TEST(Startup, RestrictedModeNeverTouchesPreferencesButSavesCatalogue) {
    struct Case {
        std::vector<std::string> args;
        bool restricted;
    };
    const Case cases[] = {{{"/s"}, true},  {{"/S"}, true},       {{"/silent"}, true},
                          {{"-s"}, false}, {{"x", "/s"}, false}, {{}, false}};
    for (const Case& c : cases) {
        TempFolder folder;
        ItemTable table;
        table.addItem({"Tool", "tool.exe", "tool.exe", "0", "", "0", "0", "0"}, IconImage{});
        qdtest::writeFile(folder.file("QuillDeck.rcc"), encodeCatalogue(table));
        qdtest::writeFile(folder.file("tool.exe"), "x");
        // Outside restricted mode the start-up check reports the disabled item.
        qdtest::DialogWatcher dialogs;
        {
            TForm1 form(startupIn(folder, c.args));
            EXPECT_EQ(dialogs.seen().size(), c.restricted ? 0u : 1u);
            EXPECT_EQ(seam(form).RestrictedMode(), c.restricted);
            EXPECT_EQ(seam(form).ToolButton_options->Enabled(), !c.restricted);
            if (c.restricted) {
                EXPECT_TRUE(seam(form).Flags.ConfirmDelete);
                EXPECT_FALSE(seam(form).Flags.CheckSafe);
                EXPECT_TRUE(seam(form).Flags.CloseCloses);
                EXPECT_TRUE(seam(form).Flags.KeepDeleted);
                EXPECT_FALSE(seam(form).Flags.StartMinimized);
            }
            // Tray entries are built in every mode.
            EXPECT_EQ(seam(form).Table().trayEntryCount(), 1);
            seam(form).Close();
            qdtest::pump(10);
        }
        EXPECT_EQ(qdtest::fileExists(folder.file("QuillDeck.ini")), !c.restricted);
        EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.rcc")), encodeCatalogue(table));
    }
}

// A large catalogue is read while the window is made: its damage is
// reported at the same step, in the same words.
TEST(Startup, DamagedCatalogueIsReportedAndLeftUntouched) {
    for (const std::size_t padding : {std::size_t{0}, std::size_t{5} << 20}) {
        SCOPED_TRACE(padding);
        TempFolder folder;
        const std::string damaged =
            std::string("\x05\x00\x00\x00", 4) + "nobmp" + "tail" + std::string(padding, 'x');
        qdtest::writeFile(folder.file("QuillDeck.rcc"), damaged);
        qdtest::DialogWatcher dialogs;
        {
            TForm1 form(startupIn(folder));
            ASSERT_EQ(dialogs.seen().size(), 1u);
            EXPECT_EQ(dialogs.seen()[0].caption, " Quill'Deck");
            EXPECT_EQ(dialogs.seen()[0].text, "Bitmap image is not valid\r\n\"" +
                                                  folder.file("QuillDeck.rcc") +
                                                  "\" is damaged: the list starts empty, and the "
                                                  "file is kept as it is.");
            // The rest of the start-up still ran.
            EXPECT_TRUE(IsWindowVisible(form.Handle()));
            EXPECT_TRUE(seam(form).Table().isEmpty());
            EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
            seam(form).Close();
            qdtest::pump(10);
        }
        EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.rcc")), damaged);
    }
}

// Thousands of items (a catalogue read on a thread of its own, the folder of
// their programs listed there): every row comes, and every program is found.
TEST(Startup, ALargeCatalogueLoadsWhole) {
    qdtest::LauncherFolder launcher;
    CreateDirectoryA(launcher.folder.file("tools").c_str(), nullptr);
    constexpr int Items = 3500;
    for (int i = 0; i < Items; ++i) {
        const std::string file = "p" + std::to_string(i) + ".exe";
        launcher.addItem("P" + std::to_string(i), file, nullptr, std::string(40, 'Q'));
        qdtest::writeFile(launcher.folder.file("tools\\" + file), "");
    }
    launcher.setPreference("CheckSafe", "0");
    auto form = launcher.start();
    ASSERT_GE(qdtest::readFile(launcher.folder.file("QuillDeck.rcc")).size(), 4u << 20);
    ASSERT_EQ(seam(*form).Table().rowCount(), Items);
    for (int row = 0; row < Items; ++row)
        ASSERT_FALSE(seam(*form).Table().isDisabled(row)) << row;
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, Items - 1), "P" + std::to_string(Items - 1));
    qdtest::closeForm(*form);
}

// A damaged catalogue is kept aside once items are added and saved over it.
TEST(Startup, DamagedCatalogueIsKeptAsideBeforeItIsReplaced) {
    TempFolder folder;
    const std::string damaged = std::string("\xFF\xFF\xFF\x7F", 4) + "short";
    qdtest::writeFile(folder.file("QuillDeck.rcc"), damaged);
    qdtest::DialogWatcher dialogs;
    {
        TForm1 form(startupIn(folder));
        ASSERT_EQ(dialogs.seen().size(), 1u);
        EXPECT_EQ(dialogs.seen()[0].text.rfind("Stream read error\r\n", 0), 0u);
        seam(form).Table().addItem({"Tool", "tool.exe", "tool.exe", "0", "", "0", "0", "0"},
                                   IconImage{});
        seam(form).Close();
        qdtest::pump(10);
    }
    EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.rcc.damaged")), damaged);
    ItemTable loaded;
    decodeCatalogue(qdtest::readFile(folder.file("QuillDeck.rcc")), loaded);
    EXPECT_EQ(loaded.cell(ColTitle, 0), "Tool");
}

TEST(Startup, EndOfWindowsSessionSavesTheCatalogue) {
    TempFolder folder;
    qdtest::writeFile(folder.file("QuillDeck.rcc"), "");
    TForm1 form(startupIn(folder));
    seam(form).Table().addItem({"Tool", "tool.exe", "tool.exe", "0", "", "0", "0", "0"},
                               IconImage{});
    EXPECT_TRUE(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0));
    SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(qdtest::readFile(folder.file("QuillDeck.rcc")), encodeCatalogue(seam(form).Table()));
    seam(form).Close();
    qdtest::pump(10);
}

} // namespace
} // namespace qd
