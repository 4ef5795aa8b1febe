#include "integrity/Win32ValidationEnvironment.h"

#include "integrity/FileCheck.h"
#include "integrity/FileDigest.h"
#include "shell/MessageLoop.h"
#include "ui/MessageDialog.h"

namespace qd {

Win32ValidationEnvironment::Win32ValidationEnvironment(HWND owner, Resolver resolver,
                                                       TSecHash& hash, TItemList& list,
                                                       std::function<bool()> keepGoing)
    : owner_(owner), resolver_(std::move(resolver)), hash_(hash), list_(list),
      keepGoing_(std::move(keepGoing)) {}

std::string Win32ValidationEnvironment::resolve(const std::string& relativePath) {
    return resolver_(relativePath);
}

FileState Win32ValidationEnvironment::fileState(const std::string& fullPath) {
    return CheckItemFile(fullPath);
}

TSecHashDigest Win32ValidationEnvironment::digest(const std::string& fullPath) {
    // A big program takes seconds to read: the window keeps answering between
    // its blocks too. A close asked for meanwhile ends the pass after this file.
    return DigestFile(hash_, fullPath, [this] { keepWindowAnswering(); });
}

bool Win32ValidationEnvironment::pumpMessages() {
    keepWindowAnswering();
    return keepGoing_();
}

void Win32ValidationEnvironment::keepWindowAnswering() {
    // Looking for messages costs several file checks: waiting messages run
    // every few milliseconds, which keeps the window as responsive as every row.
    const ULONGLONG now = GetTickCount64();
    if (now - lastPump_ >= PumpInterval) {
        ProcessMessages();
        lastPump_ = GetTickCount64();
    }
}

void Win32ValidationEnvironment::showRowChange(int row, bool removed) {
    list_.RowChanged(row, removed);
    UpdateWindow(list_.Handle());
}

void ShowSecurityError(HWND owner, const std::string& text) {
    MessageBeep(MB_ICONASTERISK);
    MessageBoxA(owner, text.c_str(), SecurityErrorCaption, MB_ICONERROR | MB_OK);
}

void Win32ValidationEnvironment::showSecurityError(const std::string& text) {
    ShowSecurityError(owner_, text);
}

void Win32ValidationEnvironment::showWarning(const std::string& text) {
    MessageDlg(owner_, text, TMsgDlgType::Warning, {TMsgDlgBtn::OK}, TMsgDlgBtn::OK);
}

} // namespace qd
