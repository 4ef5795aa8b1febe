#pragma once
#include <windows.h>
#include <shellapi.h>

namespace qd {

// The notification-area icon for the program's whole run: added when the
// object is made, removed when it goes. The record is filled once and never
// changed, so the tip and the icon stay fixed.
class TTrayIcon {
  public:
    // `icon` is not owned; it must live as long as this object.
    TTrayIcon(HWND owner, HICON icon);
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    const NOTIFYICONDATAA& TrayIconData() const { return data_; }

    // A restarted taskbar forgets every icon and broadcasts "TaskbarCreated":
    // call this from the owner's message table with each message it does not
    // know. It adds the icon again and returns true for that message.
    bool HandleTaskbarCreated(UINT message);

  private:
    NOTIFYICONDATAA data_{};
    UINT taskbarCreated_;
};

} // namespace qd
