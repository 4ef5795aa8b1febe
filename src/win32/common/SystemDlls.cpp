#include "common/SystemDlls.h"

#include "common/Error.h"

namespace qd {

namespace {

template <typename F> void require(const SystemLibrary& library, F& function, const char* name) {
    library.resolve(function, name);
    if (!function) throw EQuillDeck(std::string("The system function ") + name + " is missing");
}

struct LoadedShellApi : ShellApi {
    SystemLibrary shell32{"shell32.dll"};

    LoadedShellApi() {
        require(shell32, ShellApi::Shell_NotifyIconA, "Shell_NotifyIconA");
        require(shell32, ShellApi::ShellExecuteA, "ShellExecuteA");
        require(shell32, ShellApi::ShellExecuteExW, "ShellExecuteExW");
        require(shell32, ShellApi::DragQueryFileW, "DragQueryFileW");
        require(shell32, ShellApi::DragFinish, "DragFinish");
        require(shell32, ShellApi::ExtractIconW, "ExtractIconW");
    }
};

struct LoadedDialogApi : DialogApi {
    SystemLibrary comdlg32{"comdlg32.dll"};

    LoadedDialogApi() { require(comdlg32, DialogApi::GetOpenFileNameW, "GetOpenFileNameW"); }
};

struct LoadedAccessibilityApi : AccessibilityApi {
    SystemLibrary oleacc{"oleacc.dll"};
    SystemLibrary oleaut32{"oleaut32.dll"};
    SystemLibrary ole32{"ole32.dll"};

    LoadedAccessibilityApi() {
        ole32.resolve(AccessibilityApi::CoInitializeEx, "CoInitializeEx");
        oleacc.resolve(AccessibilityApi::LresultFromObject, "LresultFromObject");
        oleacc.resolve(AccessibilityApi::CreateStdAccessibleObject, "CreateStdAccessibleObject");
        oleaut32.resolve(AccessibilityApi::SysAllocStringLen, "SysAllocStringLen");
    }
    bool complete() const {
        return CoInitializeEx && LresultFromObject && CreateStdAccessibleObject &&
               SysAllocStringLen;
    }
};

} // namespace

const AccessibilityApi* Accessibility() {
    static const LoadedAccessibilityApi api;
    return api.complete() ? &api : nullptr;
}

const ShellApi& Shell() {
    static const LoadedShellApi api;
    return api;
}

const DialogApi& CommonDialogs() {
    static const LoadedDialogApi api;
    return api;
}

} // namespace qd
