#pragma once
#include <windows.h>

#include <functional>

namespace qd {

// Every queued message passes the filters before it is dispatched, in the
// order of their stages: the application-wide hook sees (and may rewrite) a
// message first, then the menu shortcuts, then the open modal dialog's
// preview. A filter returning true swallows it. The application-wide hook and
// the dialog's preview also see the messages of the loops that dialogs,
// message boxes and menus run of their own; in a menu the hook never sees the
// wheel, and only a dialog's loop reaches the preview.
enum class FilterStage { ApplicationHook, Shortcuts, DialogPreview };
using MessageFilter = std::function<bool(MSG&)>;

// Holds one filter in the chain for its lifetime.
class ScopedMessageFilter {
  public:
    ScopedMessageFilter(FilterStage stage, MessageFilter filter);
    ~ScopedMessageFilter();
    ScopedMessageFilter(const ScopedMessageFilter&) = delete;
    ScopedMessageFilter& operator=(const ScopedMessageFilter&) = delete;

  private:
    FilterStage stage_;
};

// Lets waiting messages run (used while showing the window and between the
// rows of long passes). A WM_QUIT found here is put back for the main loop.
void ProcessMessages();

// The program's message loop; returns when WM_QUIT arrives or `mainWindow`
// is gone. The second matters: a loop the platform runs of its own can take
// the WM_QUIT (Wine's move and size loop ends on it without putting it back),
// and the program would go on with no window, holding its single-copy lock.
int RunMessageLoop(HWND mainWindow);

} // namespace qd
