#include "shell/IniDocument.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

// What the profile services read out of files a user or another program may
// have shaped by hand.
TEST(IniDocumentRead, FindsValuesAsTheProfileServicesDo) {
    const IniDocument document("; note\r\n\r\n[Other]\r\nx=1\r\n"
                               "  [preferences]  \n  WindowLeft  =  0x64  \r\n"
                               "Quoted=\"a b\"\r\nBare\r\nEmpty=\r\nwindowleft=2\r\n[Last]\ny=2");
    struct Case {
        const char* key;
        std::optional<std::string> value;
    };
    for (const Case& c :
         {Case{"WindowLeft", "0x64"}, Case{"WINDOWLEFT", "0x64"}, Case{" WindowLeft ", "0x64"},
          Case{"Quoted", "\"a b\""}, Case{"Bare", std::nullopt}, Case{"Empty", ""},
          Case{"x", std::nullopt}, Case{"y", std::nullopt}, Case{"Missing", std::nullopt}})
        EXPECT_EQ(document.value("Preferences", c.key), c.value) << c.key;
    EXPECT_EQ(unquotedProfileValue("\"a b\""), "a b");
    EXPECT_EQ(unquotedProfileValue("\""), "\"");
    EXPECT_EQ(unquotedProfileValue("\"open"), "\"open");
}

TEST(IniDocumentWrite, ChangesInPlaceAppendsNewKeysAndSections) {
    IniDocument document("; note\r\n\r\n[Other]\r\nx = 1 \r\n\r\n[preferences]\r\n"
                         "  windowheight = 7 \r\nfoo\r\n\r\n[Last]\r\ny=2");
    document.set("Preferences", "WindowHeight", "100");
    document.set("Preferences", "New", "v");
    document.erase("Preferences", "FOO");
    document.set("Fresh", "k", "");
    EXPECT_EQ(document.bytes(), "; note\r\n[Other]\r\nx=1\r\n[preferences]\r\nwindowheight=100\r\n"
                                "New=v\r\n[Last]\r\ny=2\r\n[Fresh]\r\nk=\r\n");
    IniDocument empty("");
    empty.set("Preferences", "Groups", "3");
    EXPECT_EQ(empty.bytes(), "[Preferences]\r\nGroups=3\r\n");
}

TEST(IniSectionStore, ReportsOnlyWritesThatChangeSomething) {
    IniDocument document("[Preferences]\r\nA=\"1\"\r\nB=2\r\n");
    IniSectionStore store(document, "Preferences");
    store.writeString("A", "1");
    store.writeInteger("B", 2);
    store.deleteKey("Missing");
    EXPECT_FALSE(store.changed());
    EXPECT_EQ(store.readString("A", ""), "1");
    store.deleteKey("B");
    EXPECT_TRUE(store.changed());
    EXPECT_EQ(document.bytes(), "[Preferences]\r\nA=\"1\"\r\n");
}

} // namespace
} // namespace qd
