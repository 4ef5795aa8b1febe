#include "ui/TypeToFind.h"

#include <algorithm>

namespace qd {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool titleMatches(std::string_view title, std::string_view text) {
    return std::search(title.begin(), title.end(), text.begin(), text.end(), [](char a, char b) {
               return lowerAscii(a) == lowerAscii(b);
           }) != title.end();
}

int applySearch(ItemTable& table, std::string_view text) {
    int shown = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        table.setSearchHidden(row, !text.empty() && !titleMatches(table.cell(ColTitle, row), text));
        shown += table.isShown(row) ? 1 : 0;
    }
    return shown;
}

bool editSearchText(std::string& text, char typed) {
    constexpr char Backspace = '\b';
    if (typed == Backspace) {
        if (!text.empty()) text.pop_back();
        return true;
    }
    const bool letter = (typed >= 'a' && typed <= 'z') || (typed >= 'A' && typed <= 'Z');
    const bool digit = typed >= '0' && typed <= '9';
    if (!letter && !digit && typed != ' ') return false;
    text += typed;
    return true;
}

} // namespace qd
