#pragma once
#include <windows.h>

#include <string>

#include "catalogue/ItemTable.h"

// The item editor's styles and layout, in design pixels (96 DPI), shared by
// its behaviour (QuillDeck2.cpp) and its layout (ItemEditorLayout.cpp).
namespace qd::ItemEditorLayout {

// No caption and no frame of a dialog box, but the sizeable border; a tool
// window's border. The caption runs up the side strip instead.
constexpr DWORD EditorStyle = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD EditorExStyle = WS_EX_TOOLWINDOW;

// An icon cell of the list: the image and a two-pixel margin either side.
constexpr int IconMargin = 2;
constexpr int IconCellWidth = IconSize + 2 * IconMargin;

// Design bounds of the controls the layout moves or sizes.
constexpr int FieldWidth = 182;     // Edit_name, Edit_command
constexpr int ShortFieldWidth = 58; // Edit_style, Edit_group
constexpr int SpinWidth = 14;
constexpr int SpinHeight = 16;
constexpr int OkTop = 98;
constexpr int OkWidth = 51;
constexpr int ButtonHeight = 16;
constexpr int CancelWidth = 49;
constexpr int CancelFromOk = 54;
constexpr int RightMargin = 5;

// The flat border of the edits and the list.
constexpr DWORD EditStyle = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
// Read-only fields pass the focus on to their spins; they clip the spin that
// sits inside their right end.
constexpr DWORD ReadOnlyStyle = WS_BORDER | ES_READONLY | WS_CLIPSIBLINGS;
// One row of icons side by side; no scroll bars, the keys scroll it.
constexpr DWORD IconListStyle = WS_BORDER | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
constexpr DWORD SpinStyle = SBS_VERT | WS_TABSTOP;

inline SIZE textSize(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

} // namespace qd::ItemEditorLayout
