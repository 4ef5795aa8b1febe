#pragma once
#include <windows.h>

#include "common/Handles.h"

namespace qd {

// The hints of one window's controls: a tooltip window that shows each
// control's text while the mouse rests on it.
class THints {
  public:
    // `owner` is the window the tooltips belong to (null: none).
    explicit THints(HWND owner);
    // `hint` must live as long as the control.
    void Add(HWND window, HWND control, const char* hint);

  private:
    UniqueWindow tooltips_;
};

} // namespace qd
