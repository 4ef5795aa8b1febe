#include "shell/AppMessage.h"

#include "ui/MainMenu.h"

namespace qd {

bool rewriteWheelAsKey(QueuedMessage& message) {
    if (message.message != msg::MouseWheel) return false;
    const auto delta = static_cast<std::int16_t>((message.wParam >> 16) & 0xFFFF);
    message.message = msg::KeyDown;
    message.wParam = delta > 0 ? msg::VkUp : msg::VkDown;
    message.lParam = 0;
    return true;
}

SystemCommandAction systemCommandAction(std::uintptr_t wParam) {
    // The added commands are matched exactly: 1025-1028 differ only in the low
    // four bits, which the platform reserves for itself in its own commands.
    switch (wParam) {
    case CmdAbout:
        return SystemCommandAction::About;
    case CmdStayOnTop:
        return SystemCommandAction::StayOnTop;
    case CmdDonations:
        return SystemCommandAction::Donations;
    case CmdMinimize:
        return SystemCommandAction::Minimize;
    }
    if ((wParam & 0xFFF0) == msg::ScMinimize) return SystemCommandAction::HideApplication;
    return SystemCommandAction::None;
}

TrayIconAction trayIconAction(std::uintptr_t wParam, std::intptr_t lParam) {
    if (wParam != 0) return TrayIconAction::None;
    switch (lParam) {
    case msg::LButtonDown:
        return TrayIconAction::ShowMenuUnlessDoubleClick;
    case msg::RButtonDown:
        return TrayIconAction::ShowMenu;
    case msg::LButtonDblClk:
        return TrayIconAction::Restore;
    }
    return TrayIconAction::None;
}

} // namespace qd
