#include "shell/MessageLoop.h"

namespace qd {

namespace {
MessageFilter& filterSlot() {
    static MessageFilter filter;
    return filter;
}

void dispatch(MSG& msg) {
    if (filterSlot() && filterSlot()(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
} // namespace

void SetMessageFilter(MessageFilter filter) {
    filterSlot() = std::move(filter);
}

void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        dispatch(msg);
    return static_cast<int>(msg.wParam);
}

} // namespace qd
