#include "catalogue/ItemTable.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "catalogue/IconStrip.h"
#include "common/AnsiText.h"
#include "common/Error.h"

namespace qd {

std::string withoutSeparator(std::string text) {
    for (std::size_t at = findAnsiChar(text, CellSeparator); at != std::string::npos;
         at = findAnsiChar(text, CellSeparator, at + 1))
        text[at] = SeparatorStandIn;
    return text;
}

namespace {

// Only the text columns take what users type (or a version resource holds);
// a file path cannot hold '|' and is kept byte for byte.
std::string cellText(int column, std::string text) {
    if (column == ColTitle || column == ColCommandLine) return withoutSeparator(std::move(text));
    return text;
}

} // namespace

ItemTable::ItemTable() {
    clear();
}

void ItemTable::clear() {
    rows_.assign(1, Row{});
    current_ = 0;
    trayFirst_ = 1;
}

void ItemTable::checkRow(int row) const {
    if (row < 0 || row >= rowCount()) throw std::out_of_range("row index out of range");
}

const std::string& ItemTable::cell(int column, int row) const {
    checkRow(row);
    return rows_[row].cells.at(column);
}

void ItemTable::setCell(int column, int row, const std::string& text) {
    checkRow(row);
    rows_[row].cells.at(column) = cellText(column, text);
}

const RowCells& ItemTable::cells(int row) const {
    checkRow(row);
    return rows_[row].cells;
}

const IconImage& ItemTable::icon(int row) const {
    checkRow(row);
    const Row& r = rows_[row];
    if (!r.icon) {
        static const IconImage none;
        if (!r.strip) return none;
        try {
            r.icon = std::make_shared<const IconImage>(r.strip->Image(r.stripIndex));
        } catch (const EQuillDeck&) {
            // Drawn white for now, and read again when next asked for; a
            // save holds every image first (holdImages), so none is lost.
            static const IconImage unread = [] {
                IconImage white;
                white.pixels.fill(IconImage::White);
                return white;
            }();
            return unread;
        }
    }
    return *r.icon;
}

void ItemTable::holdImages() const {
    const IconStrip* held = nullptr;
    for (const Row& row : rows_) {
        // The rows of one load share its strip.
        if (!row.strip || row.strip.get() == held) continue;
        held = row.strip.get();
        held->Hold();
    }
}

void ItemTable::setIcon(int row, const IconImage& icon) {
    checkRow(row);
    rows_[row].icon = std::make_shared<const IconImage>(icon);
    rows_[row].strip.reset();
}

int ItemTable::rowHeight(int row) const {
    checkRow(row);
    return rows_[row].height;
}

void ItemTable::setRowHeight(int row, int height) {
    checkRow(row);
    rows_[row].height = height < 0 ? HiddenRowHeight : height;
}

int ItemTable::appendRow(RowCells cells) {
    const bool wasEmpty = isEmpty();
    const bool trayBuilt = trayEntryCount() == rowCount() && !wasEmpty;
    if (!wasEmpty) rows_.push_back(Row{});
    const int row = rowCount() - 1;
    for (int c = 0; c < ColumnCount; ++c)
        rows_[row].cells[c] = cellText(c, std::move(cells[c]));
    if (wasEmpty || trayBuilt) trayFirst_ = 0;
    return row;
}

int ItemTable::addItem(RowCells cells, const IconImage& icon) {
    const int row = appendRow(std::move(cells));
    setIcon(row, icon);
    return row;
}

int ItemTable::addItem(RowCells cells, std::shared_ptr<const IconStrip> strip, std::size_t index) {
    const int row = appendRow(std::move(cells));
    rows_[row].icon.reset();
    rows_[row].strip = std::move(strip);
    rows_[row].stripIndex = index;
    return row;
}

void ItemTable::setSearchHidden(int row, bool hidden) {
    checkRow(row);
    rows_[row].searchHidden = hidden;
}

void ItemTable::deleteRow(int row) {
    checkRow(row);
    // Emptied first, so nothing of a removed row can resurface in a later one.
    for (auto& c : rows_[row].cells)
        c.clear();
    if (rowCount() == 1) {
        clear();
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (row < trayFirst_) --trayFirst_;
    if (current_ >= rowCount()) current_ = rowCount() - 1;
}

void ItemTable::moveRow(int from, int to) {
    checkRow(from);
    checkRow(to);
    if (from < to)
        std::rotate(rows_.begin() + from, rows_.begin() + from + 1, rows_.begin() + to + 1);
    else if (from > to)
        std::rotate(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
}

void ItemTable::setCurrentRow(int row) {
    checkRow(row);
    current_ = row;
}

void ItemTable::openTrayEntriesFrom(int row) {
    checkRow(row);
    trayFirst_ = std::min(trayFirst_, row);
}

int ItemTable::rowOfTrayPosition(int position) const {
    const int index = position - 2;
    if (index < 0 || index >= trayEntryCount()) return -1;
    return trayFirst_ + index;
}

} // namespace qd
