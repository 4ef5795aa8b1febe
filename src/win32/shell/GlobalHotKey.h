#pragma once
#include <windows.h>

#include <string>

namespace qd {

// The launcher's hot key, registered for one window: held from Use() until
// another Use() or the object's end, which gives it back to the system.
class TGlobalHotKey {
  public:
    static constexpr int Id = 1; // the wParam of this hot key's WM_HOTKEY

    explicit TGlobalHotKey(HWND owner) : owner_(owner) {}
    ~TGlobalHotKey() { Release(); }
    TGlobalHotKey(const TGlobalHotKey&) = delete;
    TGlobalHotKey& operator=(const TGlobalHotKey&) = delete;

    // Registers `text` ("Ctrl+Alt+Q") in place of the key held so far; an
    // empty text turns it off. False, and nothing changed, for a text that
    // names no key. A key another program holds is left unregistered;
    // `sayWhenTaken` says so in a warning.
    bool Use(const std::string& text, bool sayWhenTaken);
    void Release();

  private:
    HWND owner_;
    bool registered_ = false;
};

} // namespace qd
