#include "shell/MessageLoop.h"

#include <array>

#include "common/Window.h"

namespace qd {

namespace {

constexpr std::size_t StageCount = 2;

std::array<MessageFilter, StageCount>& chain() {
    static std::array<MessageFilter, StageCount> filters;
    return filters;
}

void dispatch(MSG& msg) {
    // A filter runs commands (shortcuts): an error there is reported like one
    // in a window procedure, and the message counts as handled.
    for (const MessageFilter& filter : chain()) {
        bool handled = false;
        if (filter && !Guarded(msg.hwnd, [&] { handled = filter(msg); })) return;
        if (handled) return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

} // namespace

ScopedMessageFilter::ScopedMessageFilter(FilterStage stage, MessageFilter filter) : stage_(stage) {
    chain()[static_cast<std::size_t>(stage)] = std::move(filter);
}

ScopedMessageFilter::~ScopedMessageFilter() {
    chain()[static_cast<std::size_t>(stage_)] = nullptr;
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
