#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "catalogue/ItemTable.h"
#include "common/Handles.h"

namespace qd {

// Item icons at the display's scale. At the catalogue's own size (21 pixels,
// a 96-DPI display) an item shows its stored image; at any other size the
// executable's own icon is loaded at that size so it stays sharp, and the
// stored image, scaled, stands in when the file has no icon there.
//
// Loaded icons, and the files that had none, are kept by relative path, icon
// index and size, so a paint reads no file twice and an edited item simply
// misses; only what is drawn is ever loaded.
class TItemIcons {
  public:
    // Relative paths resolve against this folder (UTF-8, trailing backslash).
    // Forgets what was loaded against another.
    void SetLauncherFolder(const std::string& folder);

    // Draws an item's icon as a size x size square at (left, top), its
    // see-through pixels in `band`. `relativePath` is the item's RelativePath
    // cell (ANSI), `index` its icon index (negative: none).
    void Draw(HDC dc, int left, int top, int size, const IconImage& stored,
              const std::string& relativePath, int index, COLORREF band);

    // Drops every loaded icon, so the next Draw reads the files again: for a
    // new display scale, or when the window showing them closes.
    void Forget() { icons_.clear(); }

  private:
    // The executable's icon at `size`, or null when it has none there.
    HICON Icon(const std::string& relativePath, int index, int size);

    // Enough for every row of the tallest screen; a cache that reached it
    // starts afresh, so scrolling through thousands of items never holds
    // thousands of icon handles.
    static constexpr std::size_t Capacity = 256;

    std::string launcherFolder_;
    std::map<std::tuple<std::string, int, int>, UniqueIcon> icons_;
};

// The stored image as a size x size square over `band`: pixel for pixel at
// its own size, otherwise each pixel repeated (nearest neighbour).
void DrawStoredIcon(HDC dc, int left, int top, int size, const IconImage& stored, COLORREF band);

} // namespace qd
