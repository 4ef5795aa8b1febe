#include <windows.h>

#include <gtest/gtest.h>

#include "common/Dialog.h"
#include "common/Error.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

constexpr UINT Broken = WM_APP + 1;
constexpr UINT Finish = WM_APP + 2;

class TProbeDialog : public TDialog {
  public:
    TProbeDialog() : TDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU) {}
    const TDialog* seenAtInit = nullptr;
    HWND handleAtInit = nullptr;
    int finished = 0;

  protected:
    INT_PTR HandleMessage(UINT message, WPARAM, LPARAM) override {
        switch (message) {
        case WM_INITDIALOG:
            seenAtInit = this;
            handleAtInit = Handle();
            SetWindowTextA(Handle(), "Probe");
            return TRUE;
        case Broken:
            throw EQuillDeck("The probe broke");
        case Finish:
            ++finished;
            EndModal(42);
            return TRUE;
        }
        return FALSE;
    }
};

// The application's error boxes among the dialogs seen (the probe itself is
// seen again each time it is activated).
std::vector<std::string> errorTexts(const qdtest::DialogWatcher& dialogs) {
    std::vector<std::string> texts;
    for (const auto& seen : dialogs.seen())
        if (seen.caption == " Quill'Deck") texts.push_back(seen.text);
    return texts;
}

TEST(DialogBase, ModalDialogSurvivesAnErrorAndReturnsItsResult) {
    TProbeDialog probe;
    qdtest::DialogWatcher dialogs(IDOK);
    bool broken = false;
    dialogs.onShown = [&] {
        // The probe opens and breaks; once the error box is up, it is told to finish.
        if (dialogs.seen().back().caption == "Probe" && !broken) {
            broken = true;
            PostMessageA(probe.Handle(), Broken, 0, 0);
        }
        if (dialogs.seen().back().caption == " Quill'Deck")
            PostMessageA(probe.Handle(), Finish, 0, 0);
    };
    EXPECT_EQ(probe.ShowModal(nullptr), 42);
    EXPECT_EQ(probe.seenAtInit, &probe);
    EXPECT_NE(probe.handleAtInit, nullptr);
    EXPECT_EQ(probe.finished, 1);
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_EQ(errorTexts(dialogs), std::vector<std::string>{"The probe broke."});
}

TEST(DialogBase, ModelessDialogLivesWithItsObject) {
    HWND window = nullptr;
    {
        TProbeDialog probe;
        window = probe.CreateModeless(nullptr);
        ASSERT_TRUE(IsWindow(window));
        EXPECT_EQ(probe.Handle(), window);
        EXPECT_EQ(probe.seenAtInit, &probe);
        qdtest::DialogWatcher dialogs(IDOK);
        SendMessageA(window, Broken, 0, 0);
        EXPECT_EQ(errorTexts(dialogs), std::vector<std::string>{"The probe broke."});
        SendMessageA(window, Finish, 0, 0);
        EXPECT_EQ(probe.finished, 1);
    }
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
} // namespace qd
