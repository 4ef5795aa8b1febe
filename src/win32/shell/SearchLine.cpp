// Type-to-find: letters typed into the list narrow it to the items whose
// title holds them, shown in a slim line under the list; Escape ends it.
#include "shell/QuillDeck1.h"

#include "catalogue/RowNavigation.h"
#include "shell/MainWindowLayout.h"
#include "ui/TypeToFind.h"

namespace qd {

using namespace MainWindowLayout;

bool TForm1::StringGrid1KeyPress(char typed) {
    const bool starting = search_.empty();
    std::string text = search_;
    if (!editSearchText(text, typed) || (starting && text.empty())) return false;
    if (starting) rowBeforeSearch_ = table_.currentRow();
    search_ = text;
    const int shown = applySearch(table_, search_);
    ShowSearch();
    StringGrid1->TableChanged();
    // The first match becomes current; with none, the current row stays,
    // hidden, and the commands on it are off until a row shows again.
    if (shown > 0) StringGrid1->SelectRow(firstShownRow(table_, table_.currentRow()));
    StringGrid1Click();
    return true;
}

void TForm1::CancelSearch() {
    search_.clear();
    applySearch(table_, search_);
    ShowSearch();
    if (rowBeforeSearch_ < table_.rowCount() && table_.isShown(rowBeforeSearch_))
        StringGrid1->SelectRow(rowBeforeSearch_);
    ItemsChanged();
}

void TForm1::ShowSearch() {
    if (!searchLine_) {
        if (search_.empty()) return FormResize();
        // Made at the first letter typed: the first control of the system's
        // classes loads a library, which a start need not wait for.
        searchLine_.reset(CreateWindowExA(0, "STATIC", "",
                                          WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_SUNKEN, 0, 0, 0, 0,
                                          Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
        searchFont_ = CreateScaledFont(SearchLineFont, dpi_);
        SendMessageA(searchLine_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_.get()),
                     FALSE);
    }
    bool matches = false;
    for (int row = 0; row < table_.rowCount() && !matches; ++row)
        matches = table_.isShown(row) && !table_.isEmpty();
    const std::string line =
        matches || search_.empty() ? " " + search_ : " " + search_ + "  " + NoMatchText;
    SetWindowTextA(searchLine_.get(), line.c_str());
    ShowWindow(searchLine_.get(), search_.empty() ? SW_HIDE : SW_SHOWNA);
    FormResize();
}

} // namespace qd
