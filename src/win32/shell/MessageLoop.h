#pragma once
#include <windows.h>

#include <functional>

namespace qd {

// Every queued message passes the filters before it is dispatched, in the
// order of their stages: the application-wide hook sees (and may rewrite) a
// message first, then the menu shortcuts. A filter returning true swallows it.
// The application-wide hook also sees the messages of dialogs, message boxes
// and menus, which run loops of their own; in a menu it never sees the wheel.
enum class FilterStage { ApplicationHook, Shortcuts };
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

// The program's message loop; returns when WM_QUIT arrives.
int RunMessageLoop();

} // namespace qd
