#include "shell/Toolbar.h"


#include "ResourceIds.h"
#include "ui/MainMenu.h"

namespace qd {

namespace {

constexpr int ButtonTop = 2;
constexpr int ButtonHeight = 21;
constexpr int DividerLefts[] = {1, 50, 78, 124, 152};
constexpr int DividerTop = 4;
constexpr int DividerHeight = 17;
constexpr int DividerWidth = 2;

struct ButtonSpec {
    std::unique_ptr<TSpeedButton> TToolbar::*member;
    unsigned command;
    int left, width, glyph;
    TSpeedButton::Look look;
    TSpeedButton::GlyphPlace place;
    const char* hint;
};

using Look = TSpeedButton::Look;
using Place = TSpeedButton::GlyphPlace;
// The Exit button follows the close-closes flag, so it is a command of its own.
const ButtonSpec Buttons[] = {
    {&TToolbar::ToolButton_add, Pop1_AddItem, 5, 22, IDB_GLYPH_ADD, Look::Flat, Place::Centre,
     "Add Item  [Alt+A] "},
    {&TToolbar::ToolButton_edit, Pop1_EditItem, 28, 22, IDB_GLYPH_EDIT, Look::Flat, Place::Centre,
     "Edit Item  [Alt+E] "},
    {&TToolbar::ToolButton_delete, Pop1_DeleteItem, 57, 22, IDB_GLYPH_DELETE, Look::Flat,
     Place::Centre, "Remove Item  [Del] "},
    {&TToolbar::ToolButton_options, Pop1_Options, 85, 22, IDB_GLYPH_OPTIONS, Look::Flat,
     Place::Centre, "Options  [Alt+O] "},
    {&TToolbar::ToolButton_menu, Pop1_ShowMenu, 108, 13, IDB_GLYPH_MENU, Look::Raised,
     Place::Bottom, "Show Menu  [Alt+S] "},
    {&TToolbar::ToolButton_exit, Pop3_Exit, 128, 22, IDB_GLYPH_EXIT, Look::Flat, Place::Centre,
     "Exit  [Alt+X] "},
};

} // namespace

TToolbar::TToolbar(HWND form, std::function<void(unsigned command)> run, UINT dpi) : hints_(form) {
    layout_.SetDpi(dpi);
    for (const ButtonSpec& spec : Buttons) {
        auto& button = this->*spec.member;
        button = std::make_unique<TSpeedButton>(form, spec.left, ButtonTop, spec.width,
                                                ButtonHeight, spec.glyph, spec.look, spec.place);
        layout_.Place(button->Handle(), spec.left, ButtonTop, spec.width, ButtonHeight);
        button->OnClick = [run, command = spec.command] { run(command); };
        button->SetHint(hints_, spec.hint);
    }
}

void TToolbar::SetAllEnabled(bool enabled) {
    for (const ButtonSpec& spec : Buttons)
        (this->*spec.member)->SetEnabled(enabled);
}

void TToolbar::SetDpi(UINT dpi) {
    layout_.SetDpi(dpi);
    for (const ButtonSpec& spec : Buttons)
        (this->*spec.member)->SetDpi(dpi);
}

int TToolbar::MinimumClientWidth() const {
    return layout_(DividerLefts[std::size(DividerLefts) - 1] + DividerWidth + 2);
}

void TToolbar::Paint(HDC dc, int clientWidth) const {
    RECT strip{0, 0, clientWidth, Height()};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    RECT line{0, 0, clientWidth, 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    // The etched lines stay two pixels wide: they are edges, not areas.
    for (int left : DividerLefts) {
        RECT divider{layout_(left), layout_(DividerTop), layout_(left) + DividerWidth,
                     layout_(DividerTop + DividerHeight)};
        DrawEdge(dc, &divider, EDGE_ETCHED, BF_LEFT);
    }
}

} // namespace qd
