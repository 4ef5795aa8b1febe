#include <windows.h>

#include <gtest/gtest.h>

#include "support/DialogWatcher.h"
#include "ui/MessageDialog.h"

namespace qd {
namespace {

using Buttons = std::vector<std::string>;

// Posts to the message dialog open on this thread, ahead of the watcher's answer.
void postToOpenDialog(UINT message, WPARAM wParam) {
    MSG posted{nullptr, message, wParam, 0, 0, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) {
            char name[16] = {};
            GetClassNameA(window, name, sizeof(name));
            if (std::string(name) != "#32770") return TRUE;
            const auto& m = *reinterpret_cast<const MSG*>(param);
            PostMessageA(window, m.message, m.wParam, 0);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&posted));
}

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

TEST(MessageDialog, CaptionCloseCancelsAndEscapeWithoutCancelOrOkDoesNothing) {
    // The watcher's answer only counts when the act before it left the dialog open.
    qdtest::DialogWatcher dialogs(IDOK);
    dialogs.onShown = [] { postToOpenDialog(WM_SYSCOMMAND, SC_CLOSE); };
    EXPECT_EQ(MessageDlg(nullptr, "q", TMsgDlgType::Warning, {TMsgDlgBtn::OK, TMsgDlgBtn::Abort},
                         TMsgDlgBtn::OK),
              IDCANCEL);

    dialogs.setAnswer(IDABORT);
    dialogs.onShown = [] { postToOpenDialog(WM_COMMAND, IDCANCEL); };
    EXPECT_EQ(MessageDlg(nullptr, "q", TMsgDlgType::Error, {TMsgDlgBtn::Abort}, TMsgDlgBtn::Abort),
              IDABORT);
}

} // namespace
} // namespace qd
