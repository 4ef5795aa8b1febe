#include "ui/KeyCues.h"

#include <cstring>

namespace qd {

namespace {
bool isWindowsVistaOrLater() {
    OSVERSIONINFOA version{sizeof(version)};
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           version.dwMajorVersion >= 6;
}
} // namespace

void RepaintAfterAltOrTab(HWND form, WPARAM key) {
    if ((key != VK_MENU && key != VK_TAB) || !isWindowsVistaOrLater()) return;
    EnumChildWindows(
        form,
        [](HWND child, LPARAM) -> BOOL {
            char name[16] = {};
            GetClassNameA(child, name, sizeof(name));
            if (_stricmp(name, "Button") == 0) InvalidateRect(child, nullptr, TRUE);
            return TRUE;
        },
        0);
}

} // namespace qd
