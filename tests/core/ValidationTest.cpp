#include "common/MessageText.h"
#include "integrity/Fingerprint.h"
#include "integrity/Validation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace qd {
namespace {

const TSecHashDigest Original{{1, 2, 3, 4, 5}};
const TSecHashDigest Changed{{1, 2, 3, 4, 6}};

// Unchecked: the lookup failed without saying the file is gone (drive not attached).
enum class OnDisk { Same, Changed, Unreadable, Missing, Unchecked };

// Files by full path; records every call that the user or the platform would see.
class FakeEnvironment : public ValidationEnvironment {
  public:
    std::map<std::string, OnDisk> files;
    std::vector<std::string> events;
    int digests = 0;

    std::string resolve(const std::string& relativePath) override {
        return "C:\\Launcher\\" + relativePath;
    }
    FileState fileState(const std::string& fullPath) override {
        const auto it = files.find(fullPath);
        if (it == files.end() || it->second == OnDisk::Missing) return FileState::Missing;
        return it->second == OnDisk::Unchecked ? FileState::Unknown : FileState::Exists;
    }
    TSecHashDigest digest(const std::string& fullPath) override {
        ++digests;
        switch (files.at(fullPath)) {
        case OnDisk::Same:
            return Original;
        case OnDisk::Changed:
            return Changed;
        default:
            throw ESecHashException();
        }
    }
    int stopAfterPumps = -1; // -1: never stop
    bool pumpMessages() override {
        events.push_back("pump");
        return stopAfterPumps < 0 || --stopAfterPumps >= 0;
    }
    void showRowChange(int row, bool removed) override {
        events.push_back((removed ? "removed " : "disabled ") + std::to_string(row));
    }
    void showSecurityError(const std::string& text) override { events.push_back("M1 " + text); }
    void showWarning(const std::string& text) override { events.push_back("warn " + text); }

    // The messages shown, without the pumping and drawing between them.
    std::vector<std::string> messages() const {
        std::vector<std::string> shown;
        for (const auto& e : events)
            if (e.starts_with("M1 ") || e.starts_with("warn ")) shown.push_back(e);
        return shown;
    }
};

// Adds an item whose stored fingerprint is that of Original.
void addItem(ItemTable& table, FakeEnvironment& env, const std::string& title, OnDisk state) {
    const std::string file = title + ".exe";
    table.addItem({title, "tools\\" + file, file, "0", "", "0", makeItemFingerprint(Original), "0"},
                  IconImage{});
    env.files["C:\\Launcher\\tools\\" + file] = state;
}

const char* const M1 = "M1 ' My Tool'  item :\r\nChanged or tampered file !";
const char* const M2 =
    "warn Could not check ' My Tool'  for security.\r\nFile may already be in use or running ...";
const char* const M3 =
    "warn ' my tool'  doesn't exist anymore.\r\nDisabling item from launch menu listing ...";
const char* const M4 =
    "warn ' my tool'  doesn't exist anymore.\r\nRemoving item from launch menu listing ...";

TEST(ValidateItems, DecisionTableForOneRow) {
    enum Outcome { Kept, Disabled, Removed };
    struct Case {
        OnDisk file;
        bool checkSafe;
        bool keepDeleted;
        Outcome outcome;
        const char* message; // nullptr: none
        bool digested;
    };
    const Case cases[] = {
        {OnDisk::Changed, false, false, Kept, nullptr, false}, // no check: not even read
        {OnDisk::Same, true, false, Kept, nullptr, true},
        {OnDisk::Changed, true, true, Disabled, M1, true},
        {OnDisk::Unreadable, true, false, Kept, M2, true},
        {OnDisk::Missing, false, true, Disabled, M3, false},
        {OnDisk::Missing, true, true, Disabled, M3, false},
        {OnDisk::Missing, false, false, Removed, M4, false},
        {OnDisk::Missing, true, false, Removed, M4, false},
        // Not proven missing: reported, never disabled nor removed.
        {OnDisk::Unchecked, false, false, Kept, M2, false},
        {OnDisk::Unchecked, true, true, Kept, M2, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        ItemTable table;
        FakeEnvironment env;
        addItem(table, env, "My Tool", c.file);
        ValidateItems(table, {.checkSafe = c.checkSafe, .keepDeleted = c.keepDeleted}, env);

        EXPECT_EQ(env.messages(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(env.digests > 0, c.digested);
        // A disabled or removed row is drawn before its message names it.
        std::vector<std::string> expected{"pump"};
        if (c.outcome != Kept)
            expected.push_back(c.outcome == Removed ? "removed 0" : "disabled 0");
        if (c.message) expected.push_back(c.message);
        EXPECT_EQ(env.events, expected);
        if (c.outcome == Removed) {
            EXPECT_TRUE(table.isEmpty());
            EXPECT_EQ(table.trayEntryCount(), 0);
        } else {
            EXPECT_EQ(table.cell(ColTitle, 0), "My Tool");
            EXPECT_EQ(table.isDisabled(0), c.outcome == Disabled);
            if (c.outcome == Kept) {
                EXPECT_EQ(table.cell(ColFingerprint, 0), makeItemFingerprint(Original));
            }
            EXPECT_EQ(table.trayEntryCount(), 1);
        }
    }
}

TEST(ValidateItems, VisitsRowsLastFirstAndBuildsTrayEntriesInRowOrder) {
    ItemTable table;
    FakeEnvironment env;
    addItem(table, env, "Alpha", OnDisk::Changed);
    addItem(table, env, "Beta", OnDisk::Missing);
    addItem(table, env, "Gamma", OnDisk::Unreadable);
    addItem(table, env, "Delta", OnDisk::Same);
    table.setCell(ColFingerprint, 3, DisabledMark); // an already disabled item stays so
    ValidateItems(table, {.checkSafe = true, .keepDeleted = false}, env);

    EXPECT_EQ(env.events, (std::vector<std::string>{
                              "pump",
                              "disabled 3",
                              "M1 ' Delta'  item :\r\nChanged or tampered file !",
                              "pump",
                              "warn Could not check ' Gamma'  for security.\r\n"
                              "File may already be in use or running ...",
                              "pump",
                              "removed 1",
                              "warn ' beta'  doesn't exist anymore.\r\n"
                              "Removing item from launch menu listing ...",
                              "pump",
                              "disabled 0",
                              "M1 ' Alpha'  item :\r\nChanged or tampered file !",
                          }));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(ColTitle, 0), "Alpha");
    EXPECT_EQ(table.cell(ColTitle, 1), "Gamma");
    EXPECT_EQ(table.cell(ColTitle, 2), "Delta");
    EXPECT_TRUE(table.isDisabled(0));
    EXPECT_FALSE(table.isDisabled(1));
    EXPECT_TRUE(table.isDisabled(2));
    // Every remaining row, disabled ones too, has its entry at position row + 2.
    ASSERT_EQ(table.trayEntryCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(table.rowOfTrayPosition(row + 2), row);
}

TEST(ValidateItems, ThreeMissingItemsAreRemovedLastFirstLeavingTheEmptyTable) {
    ItemTable table;
    FakeEnvironment env;
    for (const char* title : {"One", "Two", "Three"})
        addItem(table, env, title, OnDisk::Missing);
    ValidateItems(table, {.checkSafe = true, .keepDeleted = false}, env);

    const char* const tail =
        "'  doesn't exist anymore.\r\nRemoving item from launch menu listing ...";
    EXPECT_EQ(env.messages(), (std::vector<std::string>{std::string("warn ' three") + tail,
                                                        std::string("warn ' two") + tail,
                                                        std::string("warn ' one") + tail}));
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.trayEntryCount(), 0);
}

TEST(ValidateItems, StopsBeforeTheNextRowAndLeavesUnvisitedRowsAsTheyWere) {
    ItemTable table;
    FakeEnvironment env;
    addItem(table, env, "A", OnDisk::Changed);
    addItem(table, env, "B", OnDisk::Missing);
    addItem(table, env, "C", OnDisk::Changed);
    const ItemTable before = table;
    env.stopAfterPumps = 1; // the program closes while the last row's box shows
    ValidateItems(table, {true, false}, env);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_TRUE(table.isDisabled(2));
    EXPECT_EQ(table.cells(0), before.cells(0));
    EXPECT_EQ(table.cells(1), before.cells(1));
    EXPECT_EQ(env.digests, 1);
    EXPECT_EQ(table.trayFirstRow(), 2);
}

TEST(ValidateItems, MessagesQuoteAHugeTitleShortenedAndTheRowKeepsItWhole) {
    const std::string huge(4 << 20, 'T');
    const std::string shown = std::string(MaxQuotedLength - 3, 't') + "...";
    for (OnDisk file : {OnDisk::Changed, OnDisk::Unreadable, OnDisk::Missing}) {
        ItemTable table;
        FakeEnvironment env;
        addItem(table, env, "x", file);
        table.setCell(ColTitle, 0, huge);
        ValidateItems(table, {.checkSafe = true, .keepDeleted = true}, env);
        ASSERT_EQ(env.messages().size(), 1u);
        const std::string message = env.messages()[0];
        EXPECT_LT(message.size(), MaxQuotedLength + 100);
        EXPECT_NE(message.find(file == OnDisk::Missing
                                   ? shown
                                   : huge.substr(0, MaxQuotedLength - 3) + "..."),
                  std::string::npos);
        EXPECT_EQ(table.cell(ColTitle, 0), huge);
    }
}

TEST(ValidateItems, EmptyTableIsLeftAlone) {
    ItemTable table;
    FakeEnvironment env;
    ValidateItems(table, {.checkSafe = true, .keepDeleted = false}, env);
    EXPECT_TRUE(env.events.empty());
    EXPECT_EQ(table.trayEntryCount(), 0);
}

} // namespace
} // namespace qd
