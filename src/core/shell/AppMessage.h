#pragma once
#include <cstdint>

namespace qd {

// The decisions of the application-wide message hook and of the tray icon's
// callback. The values are the platform's; core does not see <windows.h>.
namespace msg {
constexpr unsigned KeyDown = 0x0100;
constexpr unsigned SysCommand = 0x0112;
constexpr unsigned MouseWheel = 0x020A;
constexpr unsigned LButtonDown = 0x0201;
constexpr unsigned LButtonDblClk = 0x0203;
constexpr unsigned RButtonDown = 0x0204;
constexpr unsigned VkUp = 0x26;
constexpr unsigned VkDown = 0x28;
constexpr std::uintptr_t ScMinimize = 0xF020;
} // namespace msg

// A queued message as the hook sees it; the hook may change every field.
struct QueuedMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// A wheel turn becomes one arrow-key press, whatever the size of the delta:
// Up when the wheel turned away from the user, Down otherwise (delta 0
// included). Other messages are left alone. True when it rewrote.
bool rewriteWheelAsKey(QueuedMessage& message);

enum class SystemCommandAction {
    None,
    About,
    StayOnTop,
    Donations,
    Minimize,
    // SC_MINIMIZE: hide, minimise and hide the application window.
    HideApplication,
};

// What the hook does with a WM_SYSCOMMAND's wParam.
SystemCommandAction systemCommandAction(std::uintptr_t wParam);

// A left press opens the menu only once no second press can make it a
// double-click: an open menu would take that second press, and the
// double-click that restores the window would never arrive.
enum class TrayIconAction { None, ShowMenu, ShowMenuUnlessDoubleClick, Restore };

// What the tray icon's callback does: wParam is the icon id, lParam the
// mouse message.
TrayIconAction trayIconAction(std::uintptr_t wParam, std::intptr_t lParam);

} // namespace qd
