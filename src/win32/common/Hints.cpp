#include "common/Hints.h"

#include <commctrl.h>

namespace qd {

THints::THints(HWND owner)
    : tooltips_(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}

void THints::Add(HWND window, HWND control, const char* hint) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(hint);
    SendMessageA(tooltips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace qd
