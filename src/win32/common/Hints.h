#pragma once
#include <windows.h>

#include <vector>

#include "common/Handles.h"

namespace qd {

// The hints of one window's controls: a tooltip window that shows each
// control's text while the mouse rests on it. Tooltip windows need the
// common controls library, whose loading would delay the start by a good
// part of its time: they are made at the first mouse move the program's
// message loop sees, which is before any hint could show.
class THints {
  public:
    // `owner` is the window the tooltips belong to (null: none).
    explicit THints(HWND owner);
    ~THints();
    THints(const THints&) = delete;
    THints& operator=(const THints&) = delete;
    // `hint` must live as long as the control.
    void Add(HWND window, HWND control, const char* hint);

    // Called by the message loop for each mouse move: makes the tooltip
    // windows of every THints still waiting for one.
    static void MouseMoved();

  private:
    struct Tool {
        HWND window;
        HWND control;
        const char* hint;
    };
    void MakeTooltips();
    void AddTool(const Tool& tool);

    HWND owner_;
    std::vector<Tool> tools_;
    UniqueWindow tooltips_;
};

} // namespace qd
