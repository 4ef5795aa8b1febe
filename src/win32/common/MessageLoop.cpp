#include "common/MessageLoop.h"

#include <array>

#include "common/Hints.h"
#include "common/Window.h"

namespace qd {

namespace {

constexpr std::size_t StageCount = 3;

std::array<MessageFilter, StageCount>& chain() {
    static std::array<MessageFilter, StageCount> filters;
    return filters;
}

// Runs one filter; an error there (a command run from a shortcut) is reported
// like one in a window procedure, and the message counts as handled.
bool filtered(const MessageFilter& stageFilter, MSG& msg) {
    // A copy: the filter may end what holds it (a dialog that closes).
    const MessageFilter filter = stageFilter;
    bool handled = false;
    return filter && (!Guarded(msg.hwnd, [&] { handled = filter(msg); }) || handled);
}

void dispatch(MSG& msg) {
    if (msg.message == WM_MOUSEMOVE) THints::MouseMoved();
    for (const MessageFilter& filter : chain())
        if (filtered(filter, msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Dialogs, message boxes and menus run message loops of their own; the
// application-wide hook sees their messages through the platform's message
// filter hook, which hands over the message before it is dispatched.
HHOOK dialogHook = nullptr;

const MessageFilter& stage(FilterStage which) {
    return chain()[static_cast<std::size_t>(which)];
}

LRESULT CALLBACK dialogMessages(int code, WPARAM wParam, LPARAM lParam) {
    MSG& msg = *reinterpret_cast<MSG*>(lParam);
    // A menu's loop shows a message here while it is still queued and removes
    // it by its type afterwards: a wheel turned into a key would never leave
    // the queue. In a menu the wheel stays the menu's own.
    const bool menuWheel = code == MSGF_MENU && msg.message == WM_MOUSEWHEEL;
    if (code >= 0 && !menuWheel && filtered(stage(FilterStage::ApplicationHook), msg)) return 1;
    if (code == MSGF_DIALOGBOX && filtered(stage(FilterStage::DialogPreview), msg)) return 1;
    return CallNextHookEx(dialogHook, code, wParam, lParam);
}

// The platform hook is there while a filter of the other loops is.
void updateDialogHook() {
    const bool wanted = stage(FilterStage::ApplicationHook) || stage(FilterStage::DialogPreview);
    if (wanted && !dialogHook)
        dialogHook = SetWindowsHookExA(WH_MSGFILTER, dialogMessages, nullptr, GetCurrentThreadId());
    if (!wanted && dialogHook) {
        UnhookWindowsHookEx(dialogHook);
        dialogHook = nullptr;
    }
}

} // namespace

ScopedMessageFilter::ScopedMessageFilter(FilterStage stage, MessageFilter filter) : stage_(stage) {
    chain()[static_cast<std::size_t>(stage)] = std::move(filter);
    updateDialogHook();
}

ScopedMessageFilter::~ScopedMessageFilter() {
    chain()[static_cast<std::size_t>(stage_)] = nullptr;
    updateDialogHook();
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

int RunMessageLoop(HWND mainWindow) {
    MSG msg{};
    while (IsWindow(mainWindow) && GetMessageA(&msg, nullptr, 0, 0) > 0)
        dispatch(msg);
    return static_cast<int>(msg.wParam);
}

} // namespace qd
