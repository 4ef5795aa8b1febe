#pragma once
#include <windows.h>
#include <shellapi.h>

namespace qd {

// The notification-area icon for the program's whole run: added as soon as
// the owner's message loop runs after the object is made (the call waits on
// the taskbar's process, and the window need not wait for it), removed when
// it goes. The record is filled once and never changed, so the tip and the
// icon stay fixed.
class TTrayIcon {
  public:
    // `icon` is not owned; it must live as long as this object.
    TTrayIcon(HWND owner, HICON icon);
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    const NOTIFYICONDATAA& TrayIconData() const { return data_; }

    // Call this from the owner's message table with each message it does not
    // know: it adds the icon for the message the constructor posts and, since
    // a restarted taskbar forgets every icon, for the "TaskbarCreated"
    // broadcast; it returns true for those.
    bool HandleAddRequest(UINT message);

  private:
    NOTIFYICONDATAA data_{};
    UINT taskbarCreated_;
};

} // namespace qd
