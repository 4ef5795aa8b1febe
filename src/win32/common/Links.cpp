#include "common/Links.h"

#include <shellapi.h>

namespace qd {

namespace {
void shellOpen(HWND owner, const std::string& target) {
    ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
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
