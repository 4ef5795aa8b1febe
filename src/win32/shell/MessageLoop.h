#pragma once
#include <windows.h>

#include <functional>

namespace qd {

// Every queued message passes this filter before it is dispatched (menu
// shortcuts, the application-wide message hook). Returning true swallows it.
using MessageFilter = std::function<bool(MSG&)>;
void SetMessageFilter(MessageFilter filter);

// Lets waiting messages run (used while showing the window and between the
// rows of long passes). A WM_QUIT found here is put back for the main loop.
void ProcessMessages();

// The program's message loop; returns when WM_QUIT arrives.
int RunMessageLoop();

} // namespace qd
