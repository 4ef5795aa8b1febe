#include "shell/TrayMenu.h"

namespace qd {

namespace {
// Menus read "&" as a mnemonic mark; a title shows as it is written.
std::string menuText(const std::string& title) {
    std::string text;
    for (char c : title) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}
} // namespace

std::vector<TrayMenuEntry> trayMenuEntries(const ItemTable& table, bool programHidden) {
    using Kind = TrayMenuEntry::Kind;
    std::vector<TrayMenuEntry> entries;
    entries.push_back({Kind::Restore, "&Restore", programHidden, -1});
    entries.push_back({Kind::Separator, "", false, -1});
    for (int position = 2;; ++position) {
        const int row = table.rowOfTrayPosition(position);
        if (row < 0) break;
        entries.push_back({Kind::Launch, menuText(table.cell(ColTitle, row)), false, row});
    }
    if (!table.isEmpty()) entries.push_back({Kind::Separator, "", false, -1});
    entries.push_back({Kind::Exit, "E&xit", false, -1});
    return entries;
}

} // namespace qd
