#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

namespace qd {

enum class TMsgDlgType { Warning, Error };
enum class TMsgDlgBtn { OK, Cancel, Abort };

// The standard message dialog: the caption names its kind ("Warning",
// "Error"), its icon, the text, and exactly the buttons asked for, in the
// order OK, Cancel, Abort. Escape presses Cancel, or OK when there is no
// Cancel; with neither it does nothing. Returns IDOK, IDCANCEL or IDABORT;
// closing the box from its caption gives IDCANCEL.
int MessageDlg(HWND owner, const std::string& text, TMsgDlgType type,
               std::initializer_list<TMsgDlgBtn> buttons, TMsgDlgBtn defaultButton);

} // namespace qd
