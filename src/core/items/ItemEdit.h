#pragma once
#include <optional>
#include <string>

#include "catalogue/ItemTable.h"
#include "common/ScreenPoint.h"

namespace qd {

// Window styles a launched item can get; the editor shows them by these names.
constexpr const char* WindowStyleNames[] = {"normal", "minimz", "maximz"};
constexpr int MaxWindowStyle = 2;

constexpr char EmptyTitleRefusal[] = "The title cannot be empty.";

// What the item editor holds when the user confirms.
struct ItemEditValues {
    std::string title;
    std::optional<int> iconIndex; // the chosen icon; none when nothing is selected
    std::string commandLine;
    int windowStyle = 0;
    int group = 0;
    // Only a group the user chose replaces the stored one: the spin may show a
    // clamped position (restricted mode offers Main only).
    bool groupMoved = false;
};

struct ItemEditOutcome {
    // Set when the values cannot be stored; the editor stays open and says so.
    std::string refusal;
    RowCells cells;
    // The item image must be extracted again for the new IconIndex.
    bool iconChanged = false;

    bool accepted() const { return refusal.empty(); }
};

// The row after an edit: Title, IconIndex, CommandLine, WindowStyle and Group
// from the editor; RelativePath, FileName and Fingerprint as they were.
// With no icon chosen the IconIndex (and image) stay; "|" becomes
// SeparatorStandIn.
ItemEditOutcome confirmItemEdit(const RowCells& old, const ItemEditValues& values);

// A number cell as the editor's spin shows it: clamped to 0 .. maximum, 0 when
// it is not a number.
int spinPositionOf(const std::string& cell, int maximum);

// Where the editor opens: centred on the main window's width and shifted 15
// pixels right, its top one row below the top of the item list. Widths are
// outer widths; gridTop is the list's top in the main window's client area.
ScreenPoint itemEditorPosition(int mainLeft, int mainTop, int mainWidth, int editorWidth,
                               int captionHeight, int gridTop, int rowHeight);

} // namespace qd
