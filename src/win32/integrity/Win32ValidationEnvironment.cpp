#include "integrity/Win32ValidationEnvironment.h"

#include "common/FileIo.h"
#include "integrity/FileDigest.h"
#include "shell/MessageLoop.h"
#include "ui/MessageDialog.h"

namespace qd {

Win32ValidationEnvironment::Win32ValidationEnvironment(HWND owner, Resolver resolver,
                                                       TSecHash& hash, TItemList& list)
    : owner_(owner), resolver_(std::move(resolver)), hash_(hash), list_(list) {}

std::string Win32ValidationEnvironment::resolve(const std::string& relativePath) {
    return resolver_(relativePath);
}

bool Win32ValidationEnvironment::fileExists(const std::string& fullPath) {
    return FileExists(fullPath);
}

TSecHashDigest Win32ValidationEnvironment::digest(const std::string& fullPath) {
    return DigestFile(hash_, fullPath);
}

void Win32ValidationEnvironment::pumpMessages() {
    // The previous row may have been removed or disabled: show it before the
    // waiting paint runs.
    list_.TableChanged();
    ProcessMessages();
}

void Win32ValidationEnvironment::showSecurityError(const std::string& text) {
    MessageBeep(MB_ICONASTERISK);
    MessageBoxA(owner_, text.c_str(), SecurityErrorCaption, MB_ICONERROR | MB_OK);
}

void Win32ValidationEnvironment::showWarning(const std::string& text) {
    MessageDlg(owner_, text, TMsgDlgType::Warning, {TMsgDlgBtn::OK}, TMsgDlgBtn::OK);
}

} // namespace qd
