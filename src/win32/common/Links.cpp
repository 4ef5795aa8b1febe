#include "common/Links.h"

#include "common/SystemDlls.h"

namespace qd {

namespace {
void shellOpen(HWND owner, const std::string& target) {
    Shell().ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LinkOpener currentOpener = shellOpen;
} // namespace

void OpenLink(HWND owner, const std::string& target) {
    currentOpener(owner, target);
}

LinkOpener SetLinkOpener(LinkOpener opener) {
    LinkOpener previous = currentOpener;
    currentOpener = opener ? opener : shellOpen;
    return previous;
}

} // namespace qd
