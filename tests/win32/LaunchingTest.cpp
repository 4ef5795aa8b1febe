#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/CatalogueFile.h"
#include "shell/MessageLoop.h"
#include "shell/QuillDeck1.h"
#include "support/DialogWatcher.h"
#include "support/RealInput.h"

namespace qd {
namespace {

using qdtest::TempFolder;

using qdtest::probeReport;

struct LaunchFixture : ::testing::Test {
    TempFolder folder;
    std::string tools;
    std::unique_ptr<TForm1> form;

    void start(const std::vector<RowCells>& rows) {
        tools = folder.file("tools\\");
        CreateDirectoryA(tools.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileA(qdtest::launchProbeProgram().c_str(), (tools + "probe.exe").c_str(), FALSE))
            << qdtest::launchProbeProgram();
        ItemTable table;
        for (const RowCells& row : rows)
            table.addItem(row, IconImage{});
        qdtest::writeFile(folder.file("QuillDeck.rcc"), encodeCatalogue(table));
        WritePrivateProfileStringA("Preferences", "CheckSafe", "0",
                                   folder.file("QuillDeck.ini").c_str());
        TStartup startup;
        startup.launcherFolder = folder.path();
        form = std::make_unique<TForm1>(startup);
    }
    void TearDown() override {
        if (form && form->Handle()) DestroyWindow(form->Handle());
        qdtest::pump(1);
    }
};

RowCells probeItem(const std::string& parameters, const std::string& style,
                   const std::string& fingerprint = std::string(40, 'Q')) {
    return {"Probe", "tools\\probe.exe", "probe.exe", "0", parameters, style, fingerprint, "0"};
}

TEST_F(LaunchFixture, StartsFromTheLauncherFolderWithParametersFolderAndShowCommand) {
    start({probeItem("one \"two three\"", "1")});
    form->StringGrid1DblClick();
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
    PostMessageA(form->StringGrid1->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    ProcessMessages();
    const std::string report = probeReport(tools);
    EXPECT_NE(report.find("args:\n"), std::string::npos) << report;
    EXPECT_NE(report.find("show:1\n"), std::string::npos) << report;
}

TEST_F(LaunchFixture, DisabledItemIsRefusedAndOddStyleStartsNothing) {
    start({probeItem("", "0", "0"), probeItem("", "3")});
    qdtest::DialogWatcher dialogs(IDABORT);
    form->LaunchEntryClick(2);
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Error");
    EXPECT_EQ(dialogs.seen()[0].text, "This application is not safe !\r\nAborting run ...");
    EXPECT_EQ(dialogs.seen()[0].buttons, std::vector<std::string>{"&Abort"});

    form->LaunchEntryClick(3); // WindowStyle "3"
    EXPECT_EQ(form->Table().currentRow(), 1);
    EXPECT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(probeReport(tools, 1500), "");
}

} // namespace
} // namespace qd
