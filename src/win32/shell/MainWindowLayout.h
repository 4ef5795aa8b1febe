#pragma once
#include <windows.h>

#include "common/Dpi.h"

// The main window's layout, in design pixels (96 DPI): the files of the main
// window scale them with Scaled() at the window's DPI.
namespace qd::MainWindowLayout {

constexpr int InitialLeft = 318;
constexpr int InitialTop = 150;
constexpr int InitialClientWidth = 158;
constexpr int InitialClientHeight = 220;
// Column 0 is this much narrower than the client area.
constexpr int ColumnMargin = 4;
// The keyboard's context menu opens at the current row, this far in.
constexpr int ContextMenuIndent = 38;
// The show-menu button's menu opens this far from the button's centre.
constexpr POINT ShowMenuOffset{5, 4};
// The slim line under the list that shows the text typed to find an item.
constexpr int SearchLineHeight = 16;
constexpr FontSpec SearchLineFont{"MS Shell Dlg", 11};
// With the options panel open the window keeps this much client height.
constexpr int OptionsPanelHeight = 220;

} // namespace qd::MainWindowLayout
