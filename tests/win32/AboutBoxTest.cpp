#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Links.h"
#include "common/Window.h"
#include "support/DialogWatcher.h"
#include "ui/QuillDeck3.h"

namespace qd {
namespace {

struct OpenedLink {
    HWND owner;
    std::string target;
};
std::vector<OpenedLink> opened;

void recordLink(HWND owner, const std::string& target) {
    opened.push_back({owner, target});
}

class AboutBox : public ::testing::Test {
  protected:
    void SetUp() override {
        opened.clear();
        previous_ = SetLinkOpener(recordLink);
    }
    void TearDown() override { SetLinkOpener(previous_); }

  private:
    LinkOpener previous_ = nullptr;
};

RECT childRect(HWND dialog, int id) {
    return qdtest::placeInParent(GetDlgItem(dialog, id));
}

// The width of a space in a label's font.
int spaceWidth(HWND label) {
    HDC dc = GetDC(label);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, " ", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return size.cx;
}

TEST_F(AboutBox, CaptionBuiltOnceAndSizeFitsTheTexts) {
    TFormAbout about("1.2.3");
    // Escape closes the box (the watcher's IDCANCEL with no control).
    qdtest::DialogWatcher dialogs(IDCANCEL);
    RECT client{}, lowest{}, rightmost{};
    LONG style = 0;
    bool apart = false;
    dialogs.onShown = [&] {
        GetClientRect(about.Handle(), &client);
        lowest = childRect(about.Handle(), TFormAbout::Label9);
        // The rightmost text: no label reaches further, and none overlaps
        // the next one on its line.
        for (int id = TFormAbout::Label1; id <= TFormAbout::Label11; ++id) {
            const RECT r = childRect(about.Handle(), id);
            if (r.right > rightmost.right) rightmost = r;
        }
        // "by", "donating" and "a few $$" keep a word space between them.
        const RECT by = childRect(about.Handle(), TFormAbout::Label5);
        const RECT donating = childRect(about.Handle(), TFormAbout::Label8);
        const RECT fewDollars = childRect(about.Handle(), TFormAbout::Label6);
        const int space = spaceWidth(GetDlgItem(about.Handle(), TFormAbout::Label5));
        apart = space > 0 && by.right + space <= donating.left &&
                donating.right + space <= fewDollars.left;
        style = GetWindowLongA(about.Handle(), GWL_STYLE);
    };
    EXPECT_EQ(about.ShowModal(nullptr), IDCANCEL);
    EXPECT_EQ(about.ShowModal(nullptr), IDCANCEL);
    ASSERT_EQ(dialogs.seen().size(), 2u);
    EXPECT_EQ(dialogs.seen()[0].caption, " Quill'Deck (v1.2.3)");
    EXPECT_EQ(dialogs.seen()[1].caption, " Quill'Deck (v1.2.3)");
    EXPECT_GT(lowest.bottom, 0);
    EXPECT_EQ(client.bottom, lowest.bottom + 4);
    EXPECT_EQ(client.right, rightmost.right + 4);
    EXPECT_TRUE(apart);
    EXPECT_EQ(style & WS_THICKFRAME, 0);

    EXPECT_EQ(TFormAbout("").Caption(), " Quill'Deck (v)");
}

TEST_F(AboutBox, ClicksCloseOrOpenLinksOrDoNothing) {
    struct Case {
        int id; // 0: the dialog's own background
        bool closes;
        const char* link;
    };
    const Case cases[] = {
        {0, true, nullptr},
        {TFormAbout::Image1, true, nullptr},
        {TFormAbout::Label2, true, nullptr},
        {TFormAbout::Label3, true, nullptr},
        {TFormAbout::Label4, true, nullptr},
        {TFormAbout::Label5, true, nullptr},
        {TFormAbout::Label6, true, nullptr},
        {TFormAbout::Label1, false, nullptr},
        {TFormAbout::Label9, false, nullptr},
        {TFormAbout::Label11, false, nullptr},
        {TFormAbout::Label7, false, MailLink},
        {TFormAbout::Label8, false, DonationLink},
        {TFormAbout::Label10, false, FreewareLink},
    };
    TFormAbout about("1.0");
    for (const Case& c : cases) {
        opened.clear();
        // The click is queued before the watcher's Escape: a box still open
        // after the click is closed by Escape instead.
        qdtest::DialogWatcher dialogs(IDCANCEL);
        HWND dialog = nullptr;
        dialogs.onShown = [&] {
            dialog = about.Handle();
            HWND target = c.id ? GetDlgItem(dialog, c.id) : dialog;
            PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
            PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        };
        EXPECT_EQ(about.ShowModal(nullptr), c.closes ? TFormAbout::ClosedByClick : IDCANCEL)
            << c.id;
        if (c.link) {
            ASSERT_EQ(opened.size(), 1u) << c.id;
            EXPECT_EQ(opened[0].target, c.link);
            EXPECT_EQ(opened[0].owner, dialog);
        } else {
            EXPECT_TRUE(opened.empty()) << c.id;
        }
    }
}

TEST_F(AboutBox, LinkTargets) {
    EXPECT_EQ(std::string(MailLink).rfind(std::string("mailto:") + MailAddress + "?subject=", 0),
              0u);
    EXPECT_EQ(std::string(DonationLink).rfind("https://", 0), 0u);
    EXPECT_EQ(std::string(FreewareLink).rfind("https://", 0), 0u);
}

// A plain window where the main window would be.
class TMainStandIn : public TWindow {
  public:
    TMainStandIn() {
        RegisterClassOnce("QdAboutMain", 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        CreateHandle(0, "QdAboutMain", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 150, 170, 260,
                     nullptr, nullptr);
    }
};

TEST_F(AboutBox, OpensCentredOverTheMainWindowHalfARowBelowTheList) {
    TMainStandIn main;
    TFormAbout about("1.0");
    qdtest::DialogWatcher dialogs(IDCANCEL);
    RECT at{};
    dialogs.onShown = [&] { GetWindowRect(about.Handle(), &at); };
    about.ShowBeside(main.Handle(), 24, 26);
    const int width = at.right - at.left;
    EXPECT_EQ(at.left, 320 - (width - 170) / 2 + 10);
    EXPECT_EQ(at.top, GetSystemMetrics(SM_CYSMCAPTION) + 150 + 24 + 13);
}

} // namespace
} // namespace qd
