// Core keeps copies of some Windows values, since it does not see
// <windows.h>: here the compiler checks that every copy is the platform's.
#include <windows.h>

#include "shell/AppMessage.h"
#include "ui/MainMenu.h"

namespace qd {

static_assert(msg::KeyDown == WM_KEYDOWN);
static_assert(msg::SysCommand == WM_SYSCOMMAND);
static_assert(msg::MouseWheel == WM_MOUSEWHEEL);
static_assert(msg::LButtonDown == WM_LBUTTONDOWN);
static_assert(msg::LButtonDblClk == WM_LBUTTONDBLCLK);
static_assert(msg::RButtonDown == WM_RBUTTONDOWN);
static_assert(msg::VkUp == VK_UP);
static_assert(msg::VkDown == VK_DOWN);
static_assert(msg::ScMinimize == SC_MINIMIZE);
static_assert(KeyF1 == VK_F1);

} // namespace qd
