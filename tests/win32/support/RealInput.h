#pragma once
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace qdtest {

// Runs the program's own message loop (its filters included) for a while.
void runMessages(DWORD milliseconds);

// Queues one press and release of `key` as keyboard input, without running
// any messages: it reaches whichever window has the focus when it is read.
void sendKey(WORD key);

// Presses and releases keys as the keyboard does: they reach whichever window
// has the focus, not one the test chose.
void typeKeys(std::initializer_list<WORD> keys);

// Waits for the launch probe's report in `folder`, or gives "" after a while.
std::string probeReport(const std::string& folder, DWORD milliseconds = 10000);
// Types ASCII letters and digits (letters arrive lower-case).
void typeText(const std::string& text);
// `modifier` (VK_MENU, VK_CONTROL, VK_SHIFT) held down while `key` is
// pressed and released.
void typeWith(WORD modifier, WORD key);
// The same keys queued without running any messages.
void sendWith(WORD modifier, WORD key);

// A left click in the middle of a control, as the mouse delivers it.
void clickControl(HWND control);

// Moves the real pointer to the middle of a window and clicks there: the
// click reaches whatever window is on the screen at that place.
void clickWithMouse(HWND window);

// A popup menu as it was seen while open.
struct SeenMenu {
    RECT rect{};
    std::vector<std::string> captions;
    std::vector<UINT> states;
};

// Watches for a popup menu of this thread while it lives: when one opens it
// records it, then chooses entry `choose` by the keyboard, or closes it
// unchosen when `choose` is negative.
class MenuWatcher {
  public:
    explicit MenuWatcher(int choose = -1);
    ~MenuWatcher();
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;
    const std::optional<SeenMenu>& seen() const { return seen_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
    int choose_;
    std::optional<SeenMenu> seen_;
};

} // namespace qdtest
