#include "integrity/Launch.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

ItemTable oneItem(const std::string& style, const std::string& fingerprint,
                  const std::string& path = "tools\\x.exe") {
    ItemTable table;
    table.addItem({"X", path, "x.exe", "0", "-a \"b c\"", style, fingerprint, "0"}, IconImage{});
    return table;
}

TEST(LaunchDecision, WindowStyleGivesShowCommandOrNothing) {
    using Action = LaunchDecision::Action;
    struct Case {
        const char* style;
        int show;
    };
    const std::string print(40, 'K');
    for (const Case& c : {Case{"0", ShowNormal}, Case{"1", ShowMinimized}, Case{"2", ShowMaximized},
                          Case{"3", 0}, Case{"-1", 0}, Case{"", 0}, Case{"1x", 0}, Case{" 1", 0}}) {
        const LaunchDecision d = decideLaunch(oneItem(c.style, print), 0);
        EXPECT_EQ(d.action, Action::Start) << c.style;
        EXPECT_EQ(d.showCommand, c.show) << c.style;
        EXPECT_EQ(d.relativePath, "tools\\x.exe");
        EXPECT_EQ(d.parameters, "-a \"b c\"");
    }
}

TEST(LaunchDecision, EmptyTableDoesNothingAndDisabledItemIsRefused) {
    EXPECT_EQ(decideLaunch(ItemTable{}, 0).action, LaunchDecision::Action::Nothing);
    // Refused whatever the style, and before it is looked at.
    EXPECT_EQ(decideLaunch(oneItem("9", "0"), 0).action, LaunchDecision::Action::Refuse);
    // Only the exact mark disables.
    EXPECT_EQ(decideLaunch(oneItem("0", "00"), 0).action, LaunchDecision::Action::Start);
}

TEST(LaunchDecision, FullPathOnAnotherDriveIsKeptAndFolderEndsWithBackslash) {
    EXPECT_EQ(decideLaunch(oneItem("0", "K", "d:\\apps\\y.exe"), 0).relativePath,
              "d:\\apps\\y.exe");
    EXPECT_EQ(folderOf("E:\\kit\\tools\\x.exe"), "E:\\kit\\tools\\");
    EXPECT_EQ(folderOf("x.exe"), "");
}

} // namespace
} // namespace qd
