#include <windows.h>

#include <gtest/gtest.h>

#include "support/DialogWatcher.h"
#include "ui/MessageDialog.h"

namespace qd {
namespace {

using Buttons = std::vector<std::string>;

TEST(MessageDialog, ShowsExactlyTheButtonsAskedFor) {
    qdtest::DialogWatcher dialogs(IDABORT);
    EXPECT_EQ(MessageDlg(nullptr, "This application is not safe !\r\nAborting run ...",
                         TMsgDlgType::Error, {TMsgDlgBtn::Abort}, TMsgDlgBtn::Abort),
              IDABORT);
    dialogs.setAnswer(IDOK);
    EXPECT_EQ(MessageDlg(nullptr, "Sure?", TMsgDlgType::Error, {TMsgDlgBtn::OK, TMsgDlgBtn::Abort},
                         TMsgDlgBtn::OK),
              IDOK);
    EXPECT_EQ(
        MessageDlg(nullptr, "Careful", TMsgDlgType::Warning, {TMsgDlgBtn::OK}, TMsgDlgBtn::OK),
        IDOK);
    ASSERT_EQ(dialogs.seen().size(), 3u);
    EXPECT_EQ(dialogs.seen()[0].caption, "Error");
    EXPECT_EQ(dialogs.seen()[0].text, "This application is not safe !\r\nAborting run ...");
    EXPECT_EQ(dialogs.seen()[0].buttons, Buttons{"&Abort"});
    EXPECT_EQ(dialogs.seen()[1].buttons, (Buttons{"OK", "&Abort"}));
    EXPECT_EQ(dialogs.seen()[2].caption, "Warning");
    EXPECT_EQ(dialogs.seen()[2].buttons, Buttons{"OK"});
}

TEST(MessageDialog, EscapePressesCancelOrElseOk) {
    // The watcher's IDCANCEL with no control behind it is what Escape sends.
    qdtest::DialogWatcher dialogs(IDCANCEL);
    EXPECT_EQ(MessageDlg(nullptr, "q", TMsgDlgType::Warning, {TMsgDlgBtn::OK, TMsgDlgBtn::Cancel},
                         TMsgDlgBtn::OK),
              IDCANCEL);
    EXPECT_EQ(MessageDlg(nullptr, "q", TMsgDlgType::Error, {TMsgDlgBtn::OK, TMsgDlgBtn::Abort},
                         TMsgDlgBtn::OK),
              IDOK);
}

} // namespace
} // namespace qd
