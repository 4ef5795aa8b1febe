#pragma once
#include <windows.h>

#include "common/Window.h"

namespace qd {

// The program's own top-level window: it owns the main window and carries the
// taskbar button. It has no size, so nothing of it is seen; hiding it removes
// the taskbar button, and the platform hides the windows it owns while it is
// minimised.
class TApplicationWindow : public TWindow {
  public:
    TApplicationWindow();
    // The window that gets the focus when the taskbar button activates the program.
    void SetMainWindow(HWND main) { main_ = main; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HWND main_ = nullptr;
};

} // namespace qd
