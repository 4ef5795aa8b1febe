#pragma once
#include <windows.h>

#include <commdlg.h>
#include <oleacc.h>
#include <shellapi.h>

#include "common/Handles.h"

namespace qd {

// A DLL taken from the system folder only, never from the launcher's own:
// the launcher runs from shared sticks where anyone can place a DLL beside it.
class SystemLibrary {
  public:
    explicit SystemLibrary(const char* name)
        : dll_(LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

    // Null when the DLL or the function is not there.
    template <typename F> void resolve(F& function, const char* name) const {
        // Through void(*)() so that -Wcast-function-type accepts the cast.
        function = dll_ ? reinterpret_cast<F>(
                              reinterpret_cast<void (*)()>(GetProcAddress(dll_.get(), name)))
                        : nullptr;
    }

  private:
    UniqueModule dll_;
};

// shell32 and comdlg32 are loaded at run time rather than imported: their
// static imports pull further DLLs (shlwapi, shcore, winspool) before WinMain
// can restrict where DLLs come from, and the window need not wait for them.
// Each is resolved once, on first use.
struct ShellApi {
    decltype(&::Shell_NotifyIconA) Shell_NotifyIconA = nullptr;
    decltype(&::ShellExecuteA) ShellExecuteA = nullptr;
    decltype(&::ShellExecuteExW) ShellExecuteExW = nullptr;
    decltype(&::DragQueryFileW) DragQueryFileW = nullptr;
    decltype(&::DragFinish) DragFinish = nullptr;
    decltype(&::ExtractIconW) ExtractIconW = nullptr;
};
struct DialogApi {
    decltype(&::GetOpenFileNameW) GetOpenFileNameW = nullptr;
};

// Every pointer is set: a system without these DLLs cannot run the launcher,
// and the first use throws EQuillDeck naming the missing function.
const ShellApi& Shell();
const DialogApi& CommonDialogs();

// What the windows need to answer screen readers. oleacc, oleaut32 and ole32
// are not among the DLLs the system always takes from its own folder, so they
// are loaded at run time too.
struct AccessibilityApi {
    decltype(&::CoInitializeEx) CoInitializeEx = nullptr;
    decltype(&::LresultFromObject) LresultFromObject = nullptr;
    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject = nullptr;
    decltype(&::SysAllocStringLen) SysAllocStringLen = nullptr;
};

// Null when a DLL or a function is missing: the windows then answer no
// accessibility requests of their own, and the launcher runs on.
const AccessibilityApi* Accessibility();

} // namespace qd
