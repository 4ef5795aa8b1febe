#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "common/Handles.h"
#include "common/Hints.h"
#include "common/Window.h"
#include "ui/ButtonAccessible.h"

namespace qd {

// The resource of a glyph drawn for a display of `dpi`: `glyphResource` (the
// design, 96-DPI glyph) below 120 DPI, its 1.5-times set from 120 and its
// twice-as-large set from 168.
int GlyphResourceForDpi(int glyphResource, UINT dpi);

// A toolbar speed button: a glyph with fuchsia as its transparent colour, a
// flat look (a frame only under the mouse or while pressed) or a raised one,
// and a greyed glyph while disabled. It takes no keyboard focus.
class TSpeedButton : public TWindow {
  public:
    enum class Look { Flat, Raised };
    enum class GlyphPlace { Centre, Bottom };

    // The glyph is the set nearest the scale of the parent's display;
    // `glyphResource` (the design glyph) is also the button's control id.
    TSpeedButton(HWND parent, int left, int top, int width, int height, int glyphResource,
                 Look look, GlyphPlace place);

    std::function<void()> OnClick;

    // The display's scale changed: the glyph set nearest the new one.
    void SetDpi(UINT dpi);
    void SetEnabled(bool enabled);
    bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
    // Shown pressed while a command holds it down.
    void SetDown(bool down);
    bool Down() const { return down_; }
    bool Flat() const { return look_ == Look::Flat; }
    void SetFlat(bool flat);
    // Runs the click as a mouse click would, if the button is enabled.
    void Click();
    // Shows `hint` in a tooltip of `hints` and names the button to screen readers.
    void SetHint(THints& hints, const char* hint);
    const std::string& Hint() const { return hint_; }

  protected:
    // A button that shows its caption, centred in its font, instead of a glyph.
    TSpeedButton(HWND parent, int left, int top, int width, int height, const std::string& caption,
                 int id);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Also answers WM_PRINTCLIENT, so a test can draw the button into its own DC.
    virtual void Paint(HDC dc);
    // The pointer came over the button or left it.
    virtual void MouseEnter();
    virtual void MouseLeave();

    // Down, or held by the mouse while the pointer is over it.
    bool Pressed() const { return down_ || (pressing_ && hot_); }
    // The raised or pressed edge; `hover` draws the flat look's hover frame.
    void PaintFrame(HDC dc, const RECT& client, bool hover) const;
    // Glyph or caption, one pixel right and down while pressed, greyed while disabled.
    void PaintContent(HDC dc, const RECT& client) const;

  private:
    void Create(HWND parent, int left, int top, int width, int height, const char* caption, int id);
    void PaintCaption(HDC dc, RECT area) const;
    void LoadGlyph(UINT dpi);
    int glyphResource_ = 0; // the design glyph; 0 for a caption button
    UniqueBitmap glyph_;
    UniqueBitmap greyGlyph_;
    SIZE glyphSize_{};
    int glyphBottomMargin_ = 0;
    Look look_;
    GlyphPlace place_;
    HFONT font_ = nullptr; // set by WM_SETFONT, owned by the parent
    bool hot_ = false;
    bool pressing_ = false;
    bool down_ = false;
    std::string hint_;
    TAccessibleSlot accessible_{[this] { return new TButtonAccessible(*this); }};
};

// Shows a button pressed for one scope, however the scope ends.
class ScopedPressed {
  public:
    explicit ScopedPressed(TSpeedButton* button) : button_(button) { button_->SetDown(true); }
    ~ScopedPressed() { button_->SetDown(false); }
    ScopedPressed(const ScopedPressed&) = delete;
    ScopedPressed& operator=(const ScopedPressed&) = delete;

  private:
    TSpeedButton* button_;
};

} // namespace qd
