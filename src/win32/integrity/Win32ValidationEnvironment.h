#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "integrity/Validation.h"
#include "ui/ItemList.h"

namespace qd {

// The asterisk sound, then an error box captioned "Security error !".
void ShowSecurityError(HWND owner, const std::string& text);

// The start-up pass on Windows: files on disk, the main window's message
// boxes, and the list kept painted between rows. Only rows that change are
// drawn during the pass; the caller recomputes the list once at its end.
class Win32ValidationEnvironment : public ValidationEnvironment {
  public:
    // Expands a RelativePath against the launcher folder itself.
    using Resolver = std::function<std::string(const std::string& relativePath)>;

    Win32ValidationEnvironment(HWND owner, Resolver resolver, TSecHash& hash, TItemList& list,
                               std::function<bool()> keepGoing);

    std::string resolve(const std::string& relativePath) override;
    FileState fileState(const std::string& fullPath) override;
    TSecHashDigest digest(const std::string& fullPath) override;
    bool pumpMessages() override;
    void showRowChange(int row, bool removed) override;
    void showSecurityError(const std::string& text) override;
    void showWarning(const std::string& text) override;

  private:
    // Lets waiting messages run, at most every PumpInterval.
    void keepWindowAnswering();

    HWND owner_;
    Resolver resolver_;
    TSecHash& hash_;
    TItemList& list_;
    std::function<bool()> keepGoing_;
    static constexpr ULONGLONG PumpInterval = 10; // milliseconds
    ULONGLONG lastPump_ = 0;
};

} // namespace qd
