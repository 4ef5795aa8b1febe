// Where keys and the mouse go before a control sees them: menu shortcuts,
// window keys, the list's navigation keys and row dragging, and the
// application-wide hook (the wheel, the system menu's own commands).
#include "shell/QuillDeck1.h"

#include "catalogue/RowNavigation.h"
#include "shell/AppMessage.h"
#include "shell/WindowStates.h"
#include "ui/KeyCues.h"

namespace qd {

namespace {
// Set in a key message's lParam while Alt is held.
constexpr LPARAM AltHeldBit = LPARAM{1} << 29;
} // namespace

void TForm1::StringGrid1MouseDown() {
    RowDragActive = true;
    RowDragFrom = table_.currentRow();
}

void TForm1::StringGrid1MouseMove(WPARAM keys) {
    // Only a move with a mouse button still held drags: a release outside the
    // list may never have reached it.
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) RowDragActive = false;
    if (!RowDragActive || table_.currentRow() == RowDragFrom) return;
    RowDragActive = false;
    RunCommand(CmdReorder);
}

void TForm1::StringGrid1MouseUp() {
    RowDragActive = false;
}

bool TForm1::StringGrid1KeyDown(WPARAM key) {
    const int current = table_.currentRow();
    int row;
    switch (key) {
    case VK_DOWN:
    case VK_RIGHT:
        row = nextShownRow(table_, current, +1);
        break;
    case VK_UP:
    case VK_LEFT:
        row = nextShownRow(table_, current, -1);
        break;
    // Home, End and the page keys skip hidden rows like the arrows do.
    case VK_HOME:
        row = firstShownRow(table_, current);
        break;
    case VK_END:
        row = lastShownRow(table_, current);
        break;
    case VK_NEXT:
        row = pageShownRows(table_, current, +1, StringGrid1->VisibleRowCapacity());
        break;
    case VK_PRIOR:
        row = pageShownRows(table_, current, -1, StringGrid1->VisibleRowCapacity());
        break;
    default:
        return false;
    }
    if (row != current) StringGrid1->SelectRow(row);
    return true;
}

bool TForm1::FormKeyDown(WPARAM key, bool alt) {
    if (key == VK_RETURN) {
        // While the options panel is open, Enter applies it.
        RunCommand(OptionsOpen() ? unsigned{Pop3_Ok} : unsigned{CmdLaunch});
        return true;
    }
    if (key == VK_ESCAPE && !search_.empty()) {
        CancelSearch();
        return true;
    }
    // In the options panel's fields Delete edits the text.
    if (key == VK_DELETE && !OptionsHaveFocus()) {
        ToolButton_delete->Click();
        return true;
    }
    if (alt && key == 'G') {
        PopupMenu_groupsPopup();
        return true;
    }
    return false;
}

void TForm1::FormKeyUp(WPARAM key) {
    RepaintAfterAltOrTab(Handle(), key);
}

bool TForm1::PreTranslateMessage(MSG& msg) {
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        // A key with no focused window arrives as WM_SYSKEYDOWN too: only the
        // lParam bit says whether Alt is really held.
        const bool alt = msg.message == WM_SYSKEYDOWN && (msg.lParam & AltHeldBit) != 0;
        const int key = static_cast<int>(msg.wParam);
        // Inside the options panel Alt+X is its menu's "E&xit".
        if (alt && key == 'X' && OptionsHaveFocus()) {
            RunCommand(Pop3_Exit);
            return true;
        }
        // Menu shortcuts first; a disabled entry swallows its key.
        // The entries outlive the look-up: the entry found points into them.
        const std::vector<MenuEntry> entries = MainMenuEntries();
        if (const MenuEntry* entry = findShortcut(entries, alt, key)) {
            // The window never saw this key, so releasing Alt would look
            // like Alt pressed alone and open the system menu.
            altShortcutTaken_ = alt;
            if (entry->enabled) RunCommand(entry->command);
            return true;
        }
        if (FormKeyDown(msg.wParam, alt)) return true;
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
        FormKeyUp(msg.wParam);
        if (msg.wParam == VK_MENU && altShortcutTaken_) {
            altShortcutTaken_ = false;
            return true;
        }
    }
    return Panel_options && Panel_options->DialogKeys(msg);
}

bool TForm1::AppMessage(MSG& msg) {
    QueuedMessage queued{msg.message, msg.wParam, msg.lParam};
    if (rewriteWheelAsKey(queued)) {
        msg.message = queued.message;
        msg.wParam = queued.wParam;
        msg.lParam = queued.lParam;
        return false;
    }
    if (msg.message != WM_SYSCOMMAND) return false;
    switch (systemCommandAction(msg.wParam)) {
    case SystemCommandAction::About:
        RunCommand(Pop1_About);
        break;
    case SystemCommandAction::StayOnTop:
        RunCommand(Pop1_StayOnTop);
        break;
    case SystemCommandAction::Donations:
        OpenDonationPage();
        break;
    case SystemCommandAction::Minimize:
        RunCommand(Pop1_Minimize);
        break;
    case SystemCommandAction::HideApplication:
        HideApplicationWindow(application_.Handle());
        break;
    case SystemCommandAction::None:
        break;
    }
    // Never handled here: the message is still dispatched.
    return false;
}

} // namespace qd
