#pragma once
#include <windows.h>

#include <string>

namespace qd {

// Base of the program's window classes. The object pointer is stored at
// WM_NCCREATE; every message goes to HandleMessage. This is the one dispatch
// boundary: an exception never crosses the window procedure, it is shown in
// the application's error box and the program runs on.
class TWindow {
  public:
    TWindow() = default;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND Handle() const { return hwnd_; }

  protected:
    // Registers the class once per process (name unique per class).
    static void RegisterClassOnce(const char* className, UINT style, HCURSOR cursor,
                                  HBRUSH background, HICON icon = nullptr);
    HWND CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style, int x,
                      int y, int width, int height, HWND parent, HMENU idOrMenu);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Destroys the window now, while the derived object is still whole.
    void DestroyHandle() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// A window's or control's whole text.
std::string WindowText(HWND window);

// The application's error box: caption " Quill'Deck", error icon, one OK.
void ShowApplicationError(HWND owner, const std::string& message);

// Runs a piece of work at a boundary that must not throw; reports any error in
// the application's error box. Returns false when the work failed.
template <typename Work> bool Guarded(HWND owner, Work&& work);

} // namespace qd

#include "common/WindowGuard.inl"
