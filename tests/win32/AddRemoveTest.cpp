// Adding and removing items on the real main window: dropped files, the
// add routine the open dialog ends in, the remove command and its key.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <map>

#include <gtest/gtest.h>

#include "catalogue/CatalogueFile.h"
#include "catalogue/ItemTable.h"
#include "common/AnsiText.h"
#include "common/WidePath.h"
#include "items/IconExtraction.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"
#include "ui/MainMenu.h"

namespace qd {
namespace {

using qdtest::closeForm;
using qdtest::DialogWatcher;
using qdtest::fingerprintOf;
using qdtest::readFile;
using Launcher = qdtest::LauncherFolder;
using Texts = std::vector<std::string>;

// A click of the real mouse on the toolbar's Remove button.
void pressRemove(TForm1& form) {
    qdtest::clickWithMouse(seam(form).ToolButton_delete->Handle());
    qdtest::runMessages(100);
}

// WM_DROPFILES as the shell sends it: a DROPFILES header, then the ANSI or
// wide names, each ended by a NUL, and one more NUL. The handler frees the memory.
template <typename Char> HGLOBAL dropList(const std::vector<std::basic_string<Char>>& names) {
    std::basic_string<Char> list;
    for (const auto& name : names)
        list += name + Char(0);
    list += Char(0);
    const std::size_t bytes = list.size() * sizeof(Char);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = sizeof(Char) > 1;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    return memory;
}

template <typename Char>
void dropNames(HWND window, const std::vector<std::basic_string<Char>>& names) {
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(dropList(names)), 0);
}

void dropFiles(HWND window, const Texts& names) {
    dropNames(window, names);
}

void copySample(const char* sample, const std::string& to) {
    ASSERT_TRUE(CopyFileA(qdtest::builtFile(sample).c_str(), to.c_str(), FALSE)) << to;
}

// Every caption of the tray menu as it would open now; "" for a separator.
Texts trayCaptions(TForm1& form) {
    const UniqueMenu menu = seam(form).PopupMenu_tray();
    Texts captions;
    for (int position = 0; position < GetMenuItemCount(menu.get()); ++position) {
        char text[256] = {};
        GetMenuStringA(menu.get(), position, text, sizeof(text), MF_BYPOSITION);
        captions.push_back(text);
    }
    return captions;
}

Texts titles(const ItemTable& table) {
    Texts out;
    for (int row = 0; row < table.rowCount(); ++row)
        out.push_back(table.cell(ColTitle, row));
    return out;
}

// What a failed add must leave alone: the rows, their images and the tray entries.
struct Snapshot {
    std::vector<RowCells> rows;
    std::vector<IconImage> icons;
    Texts tray;
    bool operator==(const Snapshot&) const = default;
};

// Rows and tray entries as text, so that a failure shows what changed.
void PrintTo(const Snapshot& s, std::ostream* out) {
    for (const RowCells& row : s.rows) {
        *out << "\n  row:";
        for (const std::string& cell : row)
            *out << " [" << cell << "]";
    }
    *out << "\n  images: " << s.icons.size() << "\n  tray:";
    for (const std::string& caption : s.tray)
        *out << " [" << caption << "]";
}

Snapshot snapshot(TForm1& form) {
    Snapshot s;
    const ItemTable& table = seam(form).Table();
    for (int row = 0; row < table.rowCount(); ++row)
        s.rows.push_back(table.cells(row));
    for (int row = 0; row < table.imageCount(); ++row)
        s.icons.push_back(table.icon(row));
    s.tray = trayCaptions(form);
    return s;
}

TEST(AddItems, DropAddsTheExecutablesInDropOrderWithTheirCellsIconsAndTrayEntries) {
    Launcher launcher;
    // A user group is selected: the new rows belong to it and stay shown.
    launcher.setPreference("Groups", "2");
    launcher.setPreference("2", "Tools");
    launcher.setPreference("SelectGroup", "1");
    CreateDirectoryA(launcher.folder.file("Apps").c_str(), nullptr);
    const std::string a = launcher.folder.file("Apps\\a.exe");
    const std::string b = launcher.folder.file("Apps\\b.txt");
    const std::string c = launcher.folder.file("Apps\\c.EXE");
    copySample(QD_SAMPLE_VERSIONED, a);
    copySample(QD_SAMPLE_BARE, b);
    copySample(QD_SAMPLE_MANY_ICONS, c);
    auto form = launcher.start();
    ASSERT_EQ(seam(*form).SelectedGroup(), 1);

    DialogWatcher dialogs;
    dropFiles(form->Handle(), {a, b, c});
    EXPECT_TRUE(dialogs.seen().empty());
    const ItemTable& table = seam(*form).Table();
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cells(0), (RowCells{"Sample Suite", "apps\\a.exe", "a.exe", "0", "", "0",
                                        fingerprintOf(readFile(a)), "1"}));
    EXPECT_EQ(table.cells(1), (RowCells{"c.exe", "apps\\c.exe", "c.exe", "0", "", "0",
                                        fingerprintOf(readFile(c)), "1"}));
    // Each image is its own file's first icon: c's differs from a's blank one.
    EXPECT_EQ(table.icon(0), ExtractItemIcon(a, 0));
    EXPECT_EQ(table.icon(1), ExtractItemIcon(c, 0));
    EXPECT_NE(table.icon(0), table.icon(1));
    EXPECT_TRUE(table.isShown(0));
    EXPECT_TRUE(table.isShown(1));
    EXPECT_EQ(trayCaptions(*form), (Texts{"&Restore", "", "Sample Suite", "c.exe", "", "E&xit"}));
    closeForm(*form);
}

// Alt+F4 pressed while dropped files go in closes the launcher only once the
// last of them is in: the catalogue on disk holds every one.
TEST(AddItems, CloseDuringADropWaitsForEveryFile) {
    Launcher launcher;
    launcher.setPreference("CaptionClose", "1");
    CreateDirectoryA(launcher.folder.file("Apps").c_str(), nullptr);
    Texts names;
    for (int i = 0; i < 6; ++i) {
        names.push_back(launcher.folder.file("Apps\\tool" + std::to_string(i) + ".exe"));
        copySample(QD_SAMPLE_BARE, names.back());
    }
    auto form = launcher.start();
    const std::string catalogue = launcher.folder.file("QuillDeck.rcc");
    DeleteFileA(catalogue.c_str());

    PostMessageA(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(dropList(names)), 0);
    // The keys queue behind the drop; the drop lets messages run before each file.
    qdtest::typeWith(VK_MENU, VK_F4);
    for (int wait = 0; wait < 250 && IsWindow(form->Handle()); ++wait)
        qdtest::runMessages(20);
    ASSERT_FALSE(IsWindow(form->Handle())) << "Alt+F4 did not close the launcher";
    ItemTable saved;
    decodeCatalogue(readFile(catalogue), saved);
    EXPECT_EQ(saved.rowCount(), 6);
}

TEST(AddItems, ALongDroppedPathIsNeverCut) {
    Launcher launcher;
    // Folders the ANSI calls can still create; the names make up the length.
    const std::string folder = launcher.folder.file(std::string(150, 'd') + "\\");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const auto pathOfLength = [&](std::size_t length) {
        return folder + std::string(length - folder.size() - 4, 'n') + ".exe";
    };
    // The longest path the ANSI file calls take is added whole.
    const std::string longest = pathOfLength(MAX_PATH - 1);
    copySample(QD_SAMPLE_BARE, longest);
    // One beyond that is refused by name, not cut to a shorter one.
    const std::string tooLong = pathOfLength(300);
    auto form = launcher.start();

    DialogWatcher dialogs;
    dropFiles(form->Handle(), {tooLong, longest});
    const ItemTable& table = seam(*form).Table();
    ASSERT_EQ(table.rowCount(), 1);
    const std::string fileName = longest.substr(folder.size());
    EXPECT_EQ(table.cell(ColRelativePath, 0), std::string(150, 'd') + "\\" + fileName);
    EXPECT_EQ(table.cell(ColFileName, 0), fileName);
    EXPECT_EQ(table.cell(ColFingerprint, 0), fingerprintOf(readFile(longest)));
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Error");
    EXPECT_EQ(dialogs.seen()[0].text, "Cannot add \"" + tooLong + "\": the path is too long.");
    EXPECT_EQ(dialogs.seen()[0].buttons, Texts{"OK"});
    closeForm(*form);
}

TEST(AddItems, TheSameFileTwiceIsWarnedAboutByItsUpperCaseName) {
    Launcher launcher;
    CreateDirectoryA(launcher.folder.file("Apps").c_str(), nullptr);
    const std::string a = launcher.folder.file("Apps\\Tool.exe");
    copySample(QD_SAMPLE_VERSIONED, a);
    auto form = launcher.start();
    dropFiles(form->Handle(), {a});
    const Snapshot once = snapshot(*form);
    ASSERT_EQ(once.rows.size(), 1u);

    DialogWatcher dialogs;
    // Again in another letter case, and as it was.
    dropFiles(form->Handle(), {launcher.folder.file("APPS\\TOOL.EXE")});
    dropFiles(form->Handle(), {a});
    EXPECT_EQ(snapshot(*form), once);
    ASSERT_EQ(dialogs.seen().size(), 2u);
    for (const DialogWatcher::Seen& seen : dialogs.seen()) {
        EXPECT_EQ(seen.caption, "Warning");
        EXPECT_EQ(seen.text, "Item ' TOOL.EXE' already exists on menu listing ...");
        EXPECT_EQ(seen.buttons, Texts{"OK"});
    }
    closeForm(*form);
}

TEST(AddItems, AFileThatCannotBeReadAddsNothing) {
    const struct {
        const char* name;
        bool folder; // a folder by the name, else nothing at all
    } cases[] = {{"a folder named like a program", true}, {"a file gone before its add", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        launcher.addProbe("Probe", "probe.exe");
        const std::string bad = launcher.folder.file("x.exe");
        if (c.folder) {
            ASSERT_TRUE(CreateDirectoryA(bad.c_str(), nullptr));
        }
        auto form = launcher.start();
        const Snapshot before = snapshot(*form);

        DialogWatcher dialogs;
        dropFiles(form->Handle(), {bad});
        EXPECT_EQ(snapshot(*form), before);
        ASSERT_EQ(dialogs.seen().size(), 1u);
        EXPECT_EQ(dialogs.seen()[0].caption, " Quill'Deck");
        EXPECT_EQ(dialogs.seen()[0].text, "File not found !");
        EXPECT_EQ(dialogs.seen()[0].buttons, Texts{"OK"});
        closeForm(*form);
    }
}

// The catalogue holds ANSI text: a folder named in a script the code page
// lacks is stored by its short name, which still finds the program after a
// restart; a name the code page can spell is stored as it is.
TEST(AddItems, AFolderNamedInAnotherScriptIsStoredByItsShortName) {
    Launcher launcher;
    const std::wstring root = WidePath(launcher.folder.path());
    const std::wstring foreign = root + L"tools-\u65E5\u672C";
    const std::wstring accented = root + L"Tools-\u00E9";
    for (const std::wstring& folder : {foreign, accented}) {
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ASSERT_TRUE(CopyFileW(WidePath(qdtest::builtFile(QD_SAMPLE_BARE)).c_str(),
                              (folder + L"\\x.exe").c_str(), FALSE));
    }
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_TRUE(GetShortPathNameW(foreign.c_str(), shortName, MAX_PATH));
    const std::wstring shortFolder = shortName;
    const std::string storedFolder =
        asciiLower(AnsiFromWide(shortFolder.substr(shortFolder.rfind(L'\\') + 1)));
    {
        auto form = launcher.start();
        DialogWatcher dialogs;
        dropNames(form->Handle(),
                  std::vector<std::wstring>{foreign + L"\\X.exe", accented + L"\\x.exe"});
        EXPECT_TRUE(dialogs.seen().empty());
        ASSERT_EQ(seam(*form).Table().rowCount(), 2);
        EXPECT_EQ(seam(*form).Table().cell(ColRelativePath, 0), storedFolder + "\\x.exe");
        EXPECT_EQ(seam(*form).Table().cell(ColRelativePath, 1),
                  AnsiFromWide(L"tools-\u00E9\\x.exe"));
        EXPECT_EQ(seam(*form).Table().cell(ColTitle, 0), "x.exe");
        closeForm(*form);
    }
    // Started again from what was saved, with the programs checked.
    TStartup startup;
    startup.launcherFolder = launcher.folder.path();
    DialogWatcher dialogs;
    TForm1 again(startup);
    EXPECT_TRUE(dialogs.seen().empty());
    ASSERT_EQ(seam(again).Table().rowCount(), 2);
    EXPECT_FALSE(seam(again).Table().isDisabled(0));
    EXPECT_FALSE(seam(again).Table().isDisabled(1));
    closeForm(again);
}

// Both twins of the identical-prefix (SHAttered) and of the chosen-prefix
// ("Shambles") attack: a fingerprint of either would accept the other.
constexpr const char* CollisionAttackFiles[] = {"shattered-1.pdf", "shattered-2.pdf",
                                                "sha-mbles-1.bin", "sha-mbles-2.bin"};

TEST(AddItems, AFileCarryingACollisionAttackAddsNothing) {
    Launcher launcher;
    launcher.addProbe("Probe", "probe.exe");
    auto form = launcher.start();
    const Snapshot before = snapshot(*form);
    for (const char* attack : CollisionAttackFiles) {
        SCOPED_TRACE(attack);
        const std::string twin = launcher.folder.file(std::string(attack) + ".exe");
        copySample((std::string(QD_SHA1DC_TEST_DIR "/") + attack).c_str(), twin);
        DialogWatcher dialogs;
        dropFiles(form->Handle(), {twin});
        EXPECT_EQ(snapshot(*form), before);
        ASSERT_EQ(dialogs.seen().size(), 1u);
        EXPECT_EQ(dialogs.seen()[0].caption, " Quill'Deck");
        EXPECT_EQ(dialogs.seen()[0].text,
                  "Cannot add \"" + twin + "\": the file carries a SHA-1 collision attack.");
    }
    closeForm(*form);
}

// A launcher of three items with images of their own, the middle one current.
struct ThreeItems {
    Launcher launcher;
    std::unique_ptr<TForm1> form;

    explicit ThreeItems(const char* confirmDelete) {
        const Texts names = {"First", "Second", "Third"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            launcher.addProbe(names[i], "probe" + std::to_string(i) + ".exe");
            IconImage icon;
            icon.pixels.fill(0x000000FFu << (8 * i));
            launcher.table.setIcon(static_cast<int>(i), icon);
        }
        launcher.setPreference("ConfirmDelete", confirmDelete);
        form = launcher.start();
        seam(*form).StringGrid1->SelectRow(1);
    }
    ~ThreeItems() { closeForm(*form); }
};

TEST(RemoveItems, TheQuestionDecidesAndTheCurrentRowEndsOnTheLastRow) {
    enum class Answer { Ok, Cancel, EscapeKey, NotAsked };
    const struct {
        const char* name;
        const char* confirmDelete;
        Answer answer;
        bool removed;
    } cases[] = {
        {"OK", "1", Answer::Ok, true},
        {"Cancel", "1", Answer::Cancel, false},
        {"Escape", "1", Answer::EscapeKey, false},
        {"no question", "0", Answer::NotAsked, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ThreeItems items(c.confirmDelete);
        TForm1& form = *items.form;
        const Snapshot before = snapshot(form);
        {
            // Escape is a real key press, sent as the box opens; the watcher's own
            // answer (no button) leaves the box to it. A box that should not
            // come at all is answered OK, so that it would show.
            DialogWatcher dialogs(c.answer == Answer::Cancel      ? IDCANCEL
                                  : c.answer == Answer::EscapeKey ? 0
                                                                  : IDOK);
            if (c.answer == Answer::EscapeKey) dialogs.onShown = [] { qdtest::sendKey(VK_ESCAPE); };
            pressRemove(form);
            if (c.answer == Answer::NotAsked) {
                EXPECT_TRUE(dialogs.seen().empty());
            } else {
                ASSERT_EQ(dialogs.seen().size(), 1u);
                EXPECT_EQ(dialogs.seen()[0].caption, "Warning");
                EXPECT_EQ(dialogs.seen()[0].text, "Sure to delete this item?");
                EXPECT_EQ(dialogs.seen()[0].buttons, (Texts{"OK", "Cancel"}));
            }
        }
        const ItemTable& table = seam(form).Table();
        if (c.removed) {
            // The old third row moved up with its image and its tray entry.
            EXPECT_EQ(titles(table), (Texts{"First", "Third"}));
            ASSERT_EQ(table.imageCount(), 2);
            EXPECT_EQ(table.icon(0), before.icons[0]);
            EXPECT_EQ(table.icon(1), before.icons[2]);
            EXPECT_EQ(trayCaptions(form), (Texts{"&Restore", "", "First", "Third", "", "E&xit"}));
        } else {
            EXPECT_EQ(snapshot(form), before);
        }
        EXPECT_EQ(table.currentRow(), 1);
        EXPECT_FALSE(seam(form).ToolButton_delete->Down());
    }
}

TEST(RemoveItems, TheDeleteKeyInTheListRemovesTheCurrentItem) {
    ThreeItems items("0");
    TForm1& form = *items.form;
    seam(form).StringGrid1->SelectRow(0);
    ASSERT_EQ(GetFocus(), seam(form).StringGrid1->Handle());
    qdtest::typeKeys({VK_DELETE});
    EXPECT_EQ(titles(seam(form).Table()), (Texts{"Second", "Third"}));
    EXPECT_EQ(seam(form).Table().currentRow(), 1);
}

TEST(RemoveItems, RemovingTheOnlyItemDeletesTheCatalogueAtOnce) {
    Launcher launcher;
    launcher.addProbe("Only", "only.exe");
    launcher.setPreference("ConfirmDelete", "0");
    auto form = launcher.start();
    ASSERT_TRUE(qdtest::fileExists(seam(*form).CataloguePath()));
    ASSERT_TRUE(seam(*form).ToolButton_delete->Enabled());

    pressRemove(*form);
    EXPECT_FALSE(qdtest::fileExists(seam(*form).CataloguePath()));
    const ItemTable& table = seam(*form).Table();
    EXPECT_TRUE(table.isEmpty());
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.cells(0), RowCells{});
    EXPECT_EQ(table.imageCount(), 0);
    EXPECT_EQ(trayCaptions(*form), (Texts{"&Restore", "", "E&xit"}));
    EXPECT_FALSE(seam(*form).ToolButton_edit->Enabled());
    EXPECT_FALSE(seam(*form).ToolButton_delete->Enabled());
    closeForm(*form);
}

TEST(RemoveItems, AfterRemovalsEveryTrayEntryLaunchesTheItemItShows) {
    Launcher launcher;
    launcher.addProbe("Alpha", "alpha.exe");
    launcher.addProbe("Beta", "beta.exe");
    launcher.addProbe("Gamma", "gamma.exe");
    launcher.setPreference("ConfirmDelete", "0");
    const std::string tools = launcher.folder.file("tools\\");
    auto form = launcher.start();
    // One more by drop; it has no product name, so its title is its file name.
    copySample(QD_LAUNCH_PROBE, tools + "delta.exe");
    dropFiles(form->Handle(), {tools + "delta.exe"});
    seam(*form).StringGrid1->SelectRow(1);
    pressRemove(*form);
    seam(*form).StringGrid1->SelectRow(0);
    pressRemove(*form);

    const Texts tray = trayCaptions(*form);
    ASSERT_EQ(tray, (Texts{"&Restore", "", "Gamma", "delta.exe", "", "E&xit"}));
    const std::map<std::string, std::string> programOf = {{"Gamma", "gamma.exe"},
                                                          {"delta.exe", "delta.exe"}};
    for (int position = 2; position < 4; ++position) {
        SCOPED_TRACE(tray[position]);
        DeleteFileA((tools + "probe-out.txt").c_str());
        qdtest::chooseTrayEntry(*form, position);
        EXPECT_NE(qdtest::probeReport(tools).find("self:" + programOf.at(tray[position]) + "\n"),
                  std::string::npos);
    }
    closeForm(*form);
}

} // namespace
} // namespace qd
