#pragma once
#include <windows.h>

namespace qd {

// Holds a flag up for one scope, whichever way the scope ends.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

// Disables a window for one scope and enables it again however the scope ends.
class ScopedDisable {
  public:
    explicit ScopedDisable(HWND window) : window_(window) { EnableWindow(window_, FALSE); }
    ~ScopedDisable() { EnableWindow(window_, TRUE); }
    ScopedDisable(const ScopedDisable&) = delete;
    ScopedDisable& operator=(const ScopedDisable&) = delete;

  private:
    HWND window_;
};

} // namespace qd
