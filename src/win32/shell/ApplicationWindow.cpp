#include "shell/ApplicationWindow.h"

#include "common/AppInfo.h"

namespace qd {

namespace {
constexpr char ClassName[] = "TApplication";
}

TApplicationWindow::TApplicationWindow() {
    RegisterClassOnce(ClassName, 0, LoadCursorA(nullptr, IDC_ARROW), nullptr, ApplicationIcon());
    CreateHandle(WS_EX_APPWINDOW, ClassName, ApplicationTitle,
                 WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr);
}

LRESULT TApplicationWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS && main_ && IsWindowVisible(main_) && IsWindowEnabled(main_)) {
        SetFocus(main_);
        return 0;
    }
    return Default(message, wParam, lParam);
}

} // namespace qd
