#include "common/Hints.h"

#include <commctrl.h>

#include <algorithm>

#include "common/SystemDlls.h"

namespace qd {

namespace {

// Hints whose tooltip window is not made yet.
std::vector<THints*>& waiting() {
    static std::vector<THints*> hints;
    return hints;
}

} // namespace

THints::THints(HWND owner) : owner_(owner) {
    waiting().push_back(this);
}

THints::~THints() {
    std::erase(waiting(), this);
}

void THints::Add(HWND window, HWND control, const char* hint) {
    tools_.push_back({window, control, hint});
    if (tooltips_) AddTool(tools_.back());
}

void THints::MouseMoved() {
    if (waiting().empty()) return;
    const std::vector<THints*> hints = std::move(waiting());
    waiting().clear();
    for (THints* h : hints)
        h->MakeTooltips();
}

void THints::MakeTooltips() {
    if (!CommonControls()) return; // no hints; the launcher runs all the same
    tooltips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    for (const Tool& tool : tools_)
        AddTool(tool);
}

void THints::AddTool(const Tool& tool) {
    TTTOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = tool.window;
    info.uId = reinterpret_cast<UINT_PTR>(tool.control);
    info.lpszText = const_cast<char*>(tool.hint);
    SendMessageA(tooltips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace qd
