#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qd {

enum Column : int {
    ColTitle = 0,
    ColRelativePath,
    ColFileName,
    ColIconIndex,
    ColCommandLine,
    ColWindowStyle,
    ColFingerprint,
    ColGroup,
};
constexpr int ColumnCount = 8;

constexpr int IconSize = 21;
constexpr int DefaultRowHeight = IconSize + 5;
constexpr int HiddenRowHeight = -1;
constexpr char DisabledMark[] = "0";

// The catalogue joins cells with '|', so no cell may hold one. Text that would
// carry it is stored with the broken bar of the ANSI code page instead; the
// second byte of a two-byte character is not a '|' and stays (AnsiText.h).
constexpr char CellSeparator = '|';
constexpr char SeparatorStandIn = '\xA6';
std::string withoutSeparator(std::string text);

// One item image: 21 x 21 pixels, row 0 at the top. A pixel is 0x00RRGGBB,
// or Transparent.
struct IconImage {
    static constexpr std::uint32_t Transparent = 0xFF000000u;
    // Pixels of this colour (fuchsia) become Transparent when an image is made.
    static constexpr std::uint32_t TransparentColour = 0x00FF00FFu;
    static constexpr std::uint32_t White = 0x00FFFFFFu;
    std::array<std::uint32_t, IconSize * IconSize> pixels{};

    IconImage() { pixels.fill(Transparent); }
    std::uint32_t at(int x, int y) const { return pixels[y * IconSize + x]; }
    std::uint32_t& at(int x, int y) { return pixels[y * IconSize + x]; }
    bool operator==(const IconImage&) const = default;
};

using RowCells = std::array<std::string, ColumnCount>;

class IconStrip;

// The launcher's list of items in display order. The grid, the image list and
// the tray entries are views of it: row i owns image i and, once tray entries
// are built, the tray entry at menu position i + 2.
//
// The empty table is one row of eight empty cells with no image; every
// emptiness test asks whether the Title of row 0 is empty.
class ItemTable {
  public:
    ItemTable();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_[0].cells[ColTitle].empty(); }
    // Number of item images: one per row, none for the empty table.
    int imageCount() const { return isEmpty() ? 0 : rowCount(); }

    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, const std::string& text);
    const RowCells& cells(int row) const;

    // A loaded row's image is read and decoded here, the first time it is
    // asked for; one whose bytes cannot be read now is white until it can.
    const IconImage& icon(int row) const;
    // Every loaded image's bytes in memory and the file they lie in let go,
    // so that it can be written over. Throws EQuillDeck when they cannot be
    // read.
    void holdImages() const;
    void setIcon(int row, const IconImage& icon);

    int rowHeight(int row) const;
    void setRowHeight(int row, int height);
    // Shown: neither hidden by the group filter (height -1) nor left out by
    // the search, which never touches the height the filter relies on.
    bool isShown(int row) const { return rowHeight(row) >= 0 && !rows_[row].searchHidden; }
    void setSearchHidden(int row, bool hidden);

    bool isDisabled(int row) const { return cell(ColFingerprint, row) == DisabledMark; }

    // Fills row 0 of the empty table, otherwise appends a row. Returns its index.
    // When tray entries are built, the new row gets its entry too.
    int addItem(RowCells cells, const IconImage& icon);
    // The same with image `index` of a strip, decoded when first asked for.
    int addItem(RowCells cells, std::shared_ptr<const IconStrip> strip, std::size_t index);

    // Room for `rows` rows, so that a load does not regrow the table item by item.
    void reserve(int rows) { rows_.reserve(static_cast<std::size_t>(rows)); }

    // Empties the row's cells, then removes it with its image and tray entry.
    // Removing the only row leaves the empty table.
    void deleteRow(int row);

    // Moves a row with its cells, height, image and tray entry; the rows in
    // between shift by one towards the vacated place.
    void moveRow(int from, int to);

    int currentRow() const { return current_; }
    // Throws std::out_of_range for a row outside the table; the selection stays.
    void setCurrentRow(int row);

    // Tray entries exist for rows trayFirstRow() .. rowCount()-1. Right after a
    // load there are none; the start-up pass opens them from the last row up.
    int trayEntryCount() const { return isEmpty() ? 0 : rowCount() - trayFirst_; }
    int trayFirstRow() const { return trayFirst_; }
    void openTrayEntriesFrom(int row);
    // No tray entries until the start-up pass (or restricted mode) builds them.
    void closeTrayEntries() { trayFirst_ = rowCount(); }
    // Row of the tray entry at menu position p (fixed entries at 0, 1 and the
    // last two positions), or -1 for a position that holds no tray entry.
    int rowOfTrayPosition(int position) const;

    // Back to the empty table with no tray entries.
    void clear();

  private:
    struct Row {
        RowCells cells;
        int height = DefaultRowHeight;
        bool searchHidden = false;
        // Held apart from the row, so that a load of many rows touches no
        // image memory until an image is drawn. Null with no image yet:
        // the strip's image `stripIndex`, or for the empty table none at all.
        mutable std::shared_ptr<const IconImage> icon;
        std::shared_ptr<const IconStrip> strip;
        std::size_t stripIndex = 0;
    };
    // Cells are moved in: a load of thousands of rows copies no text.
    int appendRow(RowCells cells);
    void checkRow(int row) const;

    std::vector<Row> rows_;
    int current_ = 0;
    int trayFirst_ = 1;
};

} // namespace qd
