#include "shell/TrayIcon.h"

#include <cstring>

#include "common/SystemDlls.h"
#include "shell/CommandIds.h"

namespace qd {

namespace {
// The record's form with the 128-character tip, the balloon fields and the
// version field, but no GUID: 488 bytes in a 32-bit build, 504 in a 64-bit one.
constexpr DWORD TrayIconDataSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(TrayIconDataSize == (sizeof(void*) == 4 ? 488 : 504));

constexpr char TrayTip[] = " Quill'Deck ";
} // namespace

TTrayIcon::TTrayIcon(HWND owner, HICON icon)
    : taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    data_.cbSize = TrayIconDataSize;
    data_.hWnd = owner;
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAYICON;
    data_.hIcon = icon;
    std::strcpy(data_.szTip, TrayTip);
    PostMessageA(owner, WM_ADDTRAYICON, 0, 0);
}

TTrayIcon::~TTrayIcon() {
    Shell().Shell_NotifyIconA(NIM_DELETE, &data_);
}

bool TTrayIcon::HandleAddRequest(UINT message) {
    if (message != WM_ADDTRAYICON && (message != taskbarCreated_ || taskbarCreated_ == 0))
        return false;
    // The platform's answer is not looked at: without a notification area the
    // program runs on all the same.
    Shell().Shell_NotifyIconA(NIM_ADD, &data_);
    return true;
}

} // namespace qd
