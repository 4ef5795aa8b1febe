#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/CatalogueFile.h"
#include "common/Handles.h"
#include "integrity/Fingerprint.h"
#include "integrity/HeldProgram.h"
#include "integrity/Launch.h"
#include "integrity/Validation.h"
#include "common/MessageLoop.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"

namespace qd {
namespace {

using qdtest::TempFolder;

using qdtest::probeReport;

struct LaunchFixture : ::testing::Test {
    qdtest::LauncherFolder launcher;
    std::string tools = launcher.folder.file("tools\\");
    std::unique_ptr<TForm1> form;

    // Every row's program is the launch probe, tools\probe.exe.
    void start(const std::vector<RowCells>& rows) {
        launcher.addProbe("Probe", "probe.exe");
        launcher.table.clear();
        for (const RowCells& row : rows)
            launcher.table.addItem(row, IconImage{});
        launcher.setPreference("CheckSafe", "0");
        form = launcher.start();
    }
    void TearDown() override {
        if (form) qdtest::closeForm(*form);
    }
};

// A double-click of the mouse on a row of the list.
void doubleClickRow(TForm1& form, int row) {
    const RECT r = seam(form).StringGrid1->RowRect(row);
    qdtest::doubleClickAt(seam(form).StringGrid1->Handle(),
                          {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

RowCells probeItem(const std::string& parameters, const std::string& style,
                   const std::string& fingerprint = std::string(40, 'Q')) {
    return {"Probe", "tools\\probe.exe", "probe.exe", "0", parameters, style, fingerprint, "0"};
}

TEST_F(LaunchFixture, StartsFromTheLauncherFolderWithParametersFolderAndShowCommand) {
    start({probeItem("one \"two three\"", "1")});
    doubleClickRow(*form, 0);
    const std::string report = probeReport(tools);
    EXPECT_NE(report.find("args:[one][two three]\n"), std::string::npos) << report;
    // The current directory is the item's folder (the launcher's, made full).
    char full[MAX_PATH];
    GetFullPathNameA(tools.c_str(), sizeof(full), full, nullptr);
    EXPECT_NE(report.find("cwd:" + std::string(full).substr(0, std::string(full).size() - 1)),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("show:2\n"), std::string::npos) << report;
}

TEST_F(LaunchFixture, EnterLaunchesWithNoParametersAndNormalWindow) {
    start({probeItem("", "0")});
    qdtest::typeKeys({VK_RETURN});
    const std::string report = probeReport(tools);
    EXPECT_NE(report.find("args:\n"), std::string::npos) << report;
    EXPECT_NE(report.find("show:1\n"), std::string::npos) << report;
}

TEST_F(LaunchFixture, DisabledItemIsRefusedAndOddStyleStartsNothing) {
    start({probeItem("", "0", "0"), probeItem("", "3")});
    qdtest::DialogWatcher dialogs(IDABORT);
    qdtest::chooseTrayEntry(*form, 2);
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Error");
    EXPECT_EQ(dialogs.seen()[0].text, "This application is not safe !\r\nAborting run ...");
    EXPECT_EQ(dialogs.seen()[0].buttons, std::vector<std::string>{"&Abort"});

    qdtest::chooseTrayEntry(*form, 3); // WindowStyle "3"
    EXPECT_EQ(seam(*form).Table().currentRow(), 1);
    EXPECT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(probeReport(tools, 1500), "");
}

// Opens a file as another program would, to write it (sharing it in every way).
UniqueKernelHandle openToWrite(const std::string& path) {
    return UniqueKernelHandle(CreateFileA(path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
}

// Appends a byte, once the program that just ran has let go of its file. The
// program still runs: the byte lands past the parts that are loaded.
void appendByte(const std::string& path) {
    UniqueKernelHandle file(INVALID_HANDLE_VALUE);
    for (int tries = 0; tries < 500 && file.get() == INVALID_HANDLE_VALUE; ++tries) {
        file = openToWrite(path);
        if (file.get() == INVALID_HANDLE_VALUE) Sleep(10);
    }
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE) << path;
    SetFilePointer(file.get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), "!", 1, &written, nullptr));
}

struct CheckedLaunch : ::testing::Test {
    qdtest::LauncherFolder launcher;
    std::string tools = launcher.folder.file("tools\\");
    std::string program = tools + "probe.exe";
    std::string report = tools + "probe-out.txt";
    std::unique_ptr<TForm1> form;

    void SetUp() override {
        launcher.addProbe("Probe", "probe.exe");
        launcher.setPreference("CheckSafe", "1");
    }
    void TearDown() override {
        if (form) qdtest::closeForm(*form);
    }
};

TEST_F(CheckedLaunch, AProgramReplacedAfterStartUpIsRefusedAndDisabled) {
    qdtest::DialogWatcher dialogs;
    form = launcher.start();
    ASSERT_TRUE(dialogs.seen().empty());
    // Unchanged, it passes the check and starts.
    qdtest::typeKeys({VK_RETURN});
    ASSERT_NE(probeReport(tools), "");
    ASSERT_TRUE(DeleteFileA(report.c_str()));

    appendByte(program);
    qdtest::typeKeys({VK_RETURN});
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, SecurityErrorCaption);
    EXPECT_EQ(dialogs.seen()[0].text, "' Probe'  item :\r\nChanged or tampered file !");
    EXPECT_TRUE(seam(*form).Table().isDisabled(0));
    EXPECT_EQ(probeReport(tools, 1500), "");
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
}

TEST_F(CheckedLaunch, AProgramThatCannotBeHeldIsRefusedAndNothingChanges) {
    qdtest::DialogWatcher dialogs;
    form = launcher.start();
    const RowCells before = seam(*form).Table().cells(0);
    const UniqueKernelHandle writer = openToWrite(program);
    ASSERT_NE(writer.get(), INVALID_HANDLE_VALUE);
    qdtest::typeKeys({VK_RETURN});
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Error");
    EXPECT_EQ(dialogs.seen()[0].text, launchNotCheckedText(seam(*form).Table(), 0));
    EXPECT_EQ(seam(*form).Table().cells(0), before);
    EXPECT_EQ(probeReport(tools, 1500), "");
}

// What the launch holds from its check until the program is started.
TEST(HeldProgram, NobodyCanWriteReplaceOrDeleteTheFileWhileItIsHeld) {
    TempFolder folder;
    const std::string program = folder.file("tool.exe");
    const std::string other = folder.file("other.exe");
    qdtest::writeFile(program, "abc");
    qdtest::writeFile(other, "evil");
    {
        const THeldProgram held(program);
        ASSERT_TRUE(held.IsHeld());
        EXPECT_EQ(openToWrite(program).get(), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(DeleteFileA(program.c_str()));
        EXPECT_FALSE(MoveFileExA(other.c_str(), program.c_str(), MOVEFILE_REPLACE_EXISTING));
        EXPECT_FALSE(MoveFileA(program.c_str(), folder.file("moved.exe").c_str()));
        TSecHash hash;
        EXPECT_EQ(HexDigest(held.Digest(hash)), "A9993E364706816ABA3E25717850C26C9CD0D89D");
        // Readers are welcome: a copy, a virus scanner, the program's second start.
        UniqueKernelHandle reader(CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_NE(reader.get(), INVALID_HANDLE_VALUE);
    }
    EXPECT_NE(openToWrite(program).get(), INVALID_HANDLE_VALUE);
    // A file open for writing elsewhere is never held.
    const UniqueKernelHandle writer = openToWrite(program);
    EXPECT_FALSE(THeldProgram(program).IsHeld());
}

// Launching an item whose program already runs starts a second instance, so
// the program of a running process must be held like any other.
TEST(HeldProgram, ARunningProgramIsHeldForItsNextStart) {
    TempFolder folder;
    const std::string program = folder.file("running.exe");
    ASSERT_TRUE(CopyFileA(qdtest::builtFile(QD_RUNNING_PROGRAM).c_str(), program.c_str(), FALSE));
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
    const UniqueKernelHandle processHandle(process.hProcess), thread(process.hThread);
    WaitForInputIdle(process.hProcess, 10000);
    EXPECT_TRUE(THeldProgram(program).IsHeld());
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
}

} // namespace
} // namespace qd
