#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "catalogue/CatalogueFile.h"
#include "common/MessageText.h"
#include "common/Window.h"
#include "integrity/FileCheck.h"
#include "integrity/Fingerprint.h"
#include "integrity/ItemValidation.h"
#include "integrity/Validation.h"
#include "common/MessageLoop.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"

namespace qd {
namespace {

using Buttons = std::vector<std::string>;

using qdtest::closeForm;
using qdtest::fingerprintOf;
using Launcher = qdtest::LauncherFolder;

// "Reset Security *" chosen, as the menu sends it: through the window's gate,
// its errors reported by the window's own error box.
void resetSecurity(TForm1& form) {
    SendMessageA(form.Handle(), WM_COMMAND, Pop1_ResetSecurity, 0);
}

// A file at a full path of any length, made with its folders and removed
// with them (the temporary folder's own clean-up cannot reach that deep).
class DeepFile {
  public:
    DeepFile(const std::string& path, const std::string& bytes) : path_(path) {
        for (std::size_t slash = path.find('\\', 3); slash != std::string::npos;
             slash = path.find('\\', slash + 1)) {
            folders_.push_back(path.substr(0, slash));
            CreateDirectoryW(FileSystemPath(folders_.back()).c_str(), nullptr);
        }
        HANDLE file = CreateFileW(FileSystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~DeepFile() {
        DeleteFileW(FileSystemPath(path_).c_str());
        for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
            RemoveDirectoryW(FileSystemPath(*folder).c_str());
    }
    DeepFile(const DeepFile&) = delete;
    DeepFile& operator=(const DeepFile&) = delete;

  private:
    std::string path_;
    std::vector<std::string> folders_;
};

void addItemAt(Launcher& launcher, const std::string& title, const std::string& relativePath,
               const std::string& fingerprint) {
    launcher.table.addItem({title, relativePath, "x.exe", "0", "", "0", fingerprint, "0"},
                           IconImage{});
}

TEST(ItemValidation, ChangedExecutableIsDisabledWithSecurityError) {
    Launcher launcher;
    launcher.addItem("Same", "same.exe", "one", fingerprintOf("one"));
    launcher.addItem("My Tool", "tool.exe", "patched", fingerprintOf("original"));
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Security error !");
    EXPECT_EQ(dialogs.seen()[0].text, "' My Tool'  item :\r\nChanged or tampered file !");
    EXPECT_EQ(dialogs.seen()[0].buttons, Buttons{"OK"});
    const ItemTable& table = seam(*form).Table();
    EXPECT_EQ(table.cell(ColFingerprint, 0), fingerprintOf("one"));
    EXPECT_TRUE(table.isDisabled(1));
    EXPECT_EQ(table.trayEntryCount(), 2);
    EXPECT_FALSE(seam(*form).Validating());
    closeForm(*form);
}

// Messages run between rows, but the pass visits rows by index and has not yet
// checked the rows above the one it reports: a drag that arrives meanwhile
// must not reorder rows, and a launch must not start an unchecked program.
TEST(ItemValidation, RowsCannotBeReorderedOrLaunchedBeforeTheyAreChecked) {
    Launcher launcher;
    launcher.addItem("First", "a.exe", "changed", fingerprintOf("a"));
    launcher.addItem("Second", "b.exe", "changed", fingerprintOf("b"));
    ASSERT_TRUE(CopyFileA(qdtest::launchProbeProgram().c_str(),
                          launcher.folder.file("tools\\a.exe").c_str(), FALSE));
    qdtest::DialogWatcher dialogs;
    static bool launched;
    launched = false;
    dialogs.onShown = [] {
        HWND main = FindWindowA("TForm1", nullptr);
        if (!launched) {
            // The report is about the last row; row 0, current, is not checked yet.
            launched = true;
            HWND list = FindWindowExA(main, nullptr, "TStringGrid", nullptr);
            SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
        }
        HWND list = FindWindowExA(main, nullptr, "TStringGrid", nullptr);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
        SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, DefaultRowHeight + 10));
        SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20, DefaultRowHeight + 10));
    };
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 2u);
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 0), "First");
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 1), "Second");
    EXPECT_TRUE(seam(*form).Table().isDisabled(0));
    EXPECT_TRUE(seam(*form).Table().isDisabled(1));
    qdtest::pump(1500);
    EXPECT_FALSE(qdtest::fileExists(launcher.folder.file("tools\\probe-out.txt")));
    closeForm(*form);
}

// A big program takes seconds to digest at start-up: the window keeps
// answering meanwhile, as the system asks it while it checks for a hang.
TEST(ItemValidation, WindowAnswersWhileABigFileIsChecked) {
    Launcher launcher;
    launcher.addItem("Big", "big.exe", "", std::string(40, 'Q'));
    {
        // Sparse: a gigabyte to read that costs no disk.
        UniqueKernelHandle file(CreateFileA(launcher.folder.file("tools\\big.exe").c_str(),
                                            GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = LONGLONG{1} << 30;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }
    std::atomic<bool> started{false}, done{false};
    std::atomic<int> answered{0}, unanswered{0};
    UniqueKernelHandle finished(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread asker([&] {
        HWND main = nullptr;
        while (!done && !(main = FindWindowA("TForm1", nullptr)))
            Sleep(5);
        started = true;
        while (!done) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 250, &result))
                ++answered;
            else
                ++unanswered;
        }
        SetEvent(finished.get());
    });
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    done = true;
    // Sent messages still waiting are answered while the asker ends.
    const HANDLE asking = finished.get();
    while (MsgWaitForMultipleObjects(1, &asking, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        ProcessMessages();
    asker.join();
    ASSERT_TRUE(started);
    EXPECT_EQ(dialogs.seen().size(), 1u) << "the big file was not checked";
    EXPECT_GT(answered, 0);
    EXPECT_EQ(unanswered, 0);
    closeForm(*form);
}

TEST(ItemValidation, MissingExecutablesAreRemovedLastRowFirst) {
    Launcher launcher;
    for (const char* title : {"Tool A", "Tool B", "Tool C"})
        launcher.addItem(title, std::string(title) + ".exe", nullptr, fingerprintOf(title));
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 3u);
    const char* const order[] = {"tool c", "tool b", "tool a"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dialogs.seen()[i].caption, "Warning");
        EXPECT_EQ(dialogs.seen()[i].text, std::string("' ") + order[i] +
                                              "'  doesn't exist anymore.\r\n"
                                              "Removing item from launch menu listing ...");
        EXPECT_EQ(dialogs.seen()[i].buttons, Buttons{"OK"});
    }
    EXPECT_TRUE(seam(*form).Table().isEmpty());
    EXPECT_EQ(seam(*form).Table().trayEntryCount(), 0);
    EXPECT_FALSE(seam(*form).ToolButton_edit->Enabled());
    closeForm(*form);
}

TEST(ItemValidation, MissingExecutableIsKeptDisabledWhenPreferred) {
    Launcher launcher;
    launcher.setPreference("KeepDeleted", "1");
    launcher.addItem("My Tool", "tool.exe", nullptr, fingerprintOf("tool"));
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Warning");
    EXPECT_EQ(dialogs.seen()[0].text, "' my tool'  doesn't exist anymore.\r\n"
                                      "Disabling item from launch menu listing ...");
    ASSERT_EQ(seam(*form).Table().rowCount(), 1);
    EXPECT_TRUE(seam(*form).Table().isDisabled(0));
    EXPECT_EQ(seam(*form).Table().trayEntryCount(), 1);
    closeForm(*form);
}

// Only the file system's "not there" costs an item: a drive that is not
// attached proves nothing, and a path of 260 characters or more is checked
// and digested like any other.
TEST(ItemValidation, OnlyAFileTheFileSystemCannotFindIsMissing) {
    ASSERT_EQ(GetDriveTypeA("q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    Launcher launcher;
    launcher.setPreference("CheckSafe", "1");
    launcher.setPreference("KeepDeleted", "0");
    const std::string deep = "tools\\" + std::string(90, 'd') + "\\" + std::string(90, 'e') + "\\" +
                             std::string(90, 'f') + "\\";
    const DeepFile deepFile(launcher.folder.file(deep + "deep.exe"), "deep");
    ASSERT_GE(launcher.folder.file(deep + "deep.exe").size(), 300u);
    addItemAt(launcher, "Far Tool", "q:\\tool.exe", fingerprintOf("far"));
    addItemAt(launcher, "Deep Tool", deep + "deep.exe", fingerprintOf("deep"));
    addItemAt(launcher, "Deep Gone", deep + "gone.exe", fingerprintOf("gone"));
    addItemAt(launcher, "No Folder", "nofolder\\x.exe", fingerprintOf("x"));
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();

    const char* const removed =
        "'  doesn't exist anymore.\r\nRemoving item from launch menu listing ...";
    std::vector<std::string> texts;
    for (const auto& dialog : dialogs.seen())
        texts.push_back(dialog.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         std::string("' no folder") + removed,
                         std::string("' deep gone") + removed,
                         "Could not check ' Far Tool'  for security.\r\n"
                         "File may already be in use or running ...",
                     }));
    const ItemTable& table = seam(*form).Table();
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(ColTitle, 0), "Far Tool");
    EXPECT_EQ(table.cell(ColFingerprint, 0), fingerprintOf("far"));
    EXPECT_EQ(table.cell(ColTitle, 1), "Deep Tool");
    EXPECT_FALSE(table.isDisabled(1));
    EXPECT_EQ(table.trayEntryCount(), 2);
    closeForm(*form);
    ItemTable saved;
    decodeCatalogue(qdtest::readFile(launcher.folder.file("QuillDeck.rcc")), saved);
    ASSERT_EQ(saved.rowCount(), 2);
    EXPECT_EQ(saved.cells(0), table.cells(0));
}

// The catalogue keeps a title of megabytes; its box quotes only the start.
TEST(ItemValidation, HugeTitleIsQuotedShortAndKeptWhole) {
    Launcher launcher;
    launcher.setPreference("KeepDeleted", "1");
    const std::string huge(4 << 20, 'W');
    launcher.addItem(huge, "tool.exe", nullptr, fingerprintOf("tool"));
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    const std::string shown(MaxQuotedLength - 3, 'w');
    EXPECT_EQ(dialogs.seen()[0].text, "' " + shown +
                                          "...'  doesn't exist anymore.\r\n"
                                          "Disabling item from launch menu listing ...");
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 0), huge);
    closeForm(*form);
}

// Painting the whole list at every row made a long pass crawl: rows that
// stay as they were cost no drawing, a changed one redraws only what moved.
TEST(ItemValidation, PassRedrawsOnlyTheRowsThatChange) {
    Launcher launcher;
    for (int i = 0; i < 30; ++i)
        launcher.addItem("Tool " + std::to_string(i), std::to_string(i) + ".exe", "same", "");
    HWND host = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 400,
                              nullptr, nullptr, nullptr, nullptr);
    TItemList list(host, launcher.table, 0, 0, 250, 300, DesignDpi);
    list.SetColumnWidth(240);
    UpdateWindow(list.Handle());
    static HWND counted;
    static int paints;
    counted = list.Handle();
    paints = 0;
    HHOOK hook = SetWindowsHookExA(
        WH_GETMESSAGE,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (wParam == PM_REMOVE && msg->hwnd == counted && msg->message == WM_PAINT) ++paints;
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    TSecHash hash;
    ValidateAllItems(
        launcher.table, {false, false}, {host, launcher.folder.path(), hash},
        [&](int row, bool removed) { list.DrawRowChange(row, removed); }, [] { return true; });
    qdtest::pump(50);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(paints, 0);

    RECT update, client;
    GetClientRect(list.Handle(), &client);
    list.RowChanged(3, false);
    ASSERT_TRUE(GetUpdateRect(list.Handle(), &update, FALSE));
    const RECT row = list.RowRect(3);
    EXPECT_EQ(update.top, row.top);
    EXPECT_EQ(update.bottom, row.bottom);
    ValidateRect(list.Handle(), nullptr);
    list.RowChanged(3, true);
    ASSERT_TRUE(GetUpdateRect(list.Handle(), &update, FALSE));
    EXPECT_EQ(update.top, row.top);
    EXPECT_EQ(update.bottom, client.bottom);
    DestroyWindow(host);
}

TEST(ItemValidation, ResetSecurityStoresFreshFingerprintUnlessAborted) {
    Launcher launcher;
    launcher.setPreference("CheckSafe", "0");
    launcher.addItem("My Tool", "tool.exe", "version 2", DisabledMark);
    qdtest::DialogWatcher dialogs(IDABORT);
    auto form = launcher.start();
    ASSERT_TRUE(dialogs.seen().empty());

    resetSecurity(*form);
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Error");
    EXPECT_EQ(dialogs.seen()[0].text, ResetSecurityQuestion);
    EXPECT_EQ(dialogs.seen()[0].buttons, (Buttons{"OK", "&Abort"}));
    EXPECT_TRUE(seam(*form).Table().isDisabled(0));

    dialogs.setAnswer(IDOK);
    launcher.moveCurrentDirectoryAway();
    resetSecurity(*form);
    EXPECT_EQ(seam(*form).Table().cell(ColFingerprint, 0), fingerprintOf("version 2"));

    // A file that cannot be digested reaches the window procedure's error box.
    seam(*form).Table().setCell(ColFingerprint, 0, DisabledMark);
    ASSERT_TRUE(DeleteFileA(launcher.folder.file("tools\\tool.exe").c_str()));
    resetSecurity(*form);
    ASSERT_EQ(dialogs.seen().size(), 4u);
    EXPECT_EQ(dialogs.seen()[3].caption, " Quill'Deck");
    EXPECT_EQ(dialogs.seen()[3].text, "File not found !");
    EXPECT_TRUE(seam(*form).Table().isDisabled(0));
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    closeForm(*form);
}

TEST(ItemValidation, ResetSecurityRefusesAProgramCarryingACollisionAttack) {
    Launcher launcher;
    launcher.setPreference("CheckSafe", "0");
    launcher.addItem("My Tool", "tool.exe", "version 2", DisabledMark);
    auto form = launcher.start();
    const std::string program = launcher.folder.file("tools\\tool.exe");
    ASSERT_TRUE(CopyFileA(qdtest::builtFile(QD_SHA1DC_TEST_DIR "/sha-mbles-2.bin").c_str(),
                          program.c_str(), FALSE));
    qdtest::DialogWatcher dialogs(IDOK);
    resetSecurity(*form);
    ASSERT_EQ(dialogs.seen().size(), 2u);
    EXPECT_EQ(dialogs.seen()[1].caption, " Quill'Deck");
    EXPECT_EQ(dialogs.seen()[1].text, "Cannot reset security of \"" + program +
                                          "\": the file carries a SHA-1 collision attack.");
    EXPECT_EQ(seam(*form).Table().cell(ColFingerprint, 0), DisabledMark);
    closeForm(*form);
}

} // namespace
} // namespace qd
