#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "common/Handles.h"
#include "common/Window.h"

namespace qd {

// A toolbar speed button: a glyph with fuchsia as its transparent colour, a
// flat look (a frame only under the mouse or while pressed) or a raised one,
// and a greyed glyph while disabled. It takes no keyboard focus.
class TSpeedButton : public TWindow {
  public:
    enum class Look { Flat, Raised };
    enum class GlyphPlace { Centre, Bottom };

    TSpeedButton(HWND parent, int left, int top, int width, int height, int glyphResource,
                 Look look, GlyphPlace place);

    std::function<void()> OnClick;

    void SetEnabled(bool enabled);
    bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
    // Shown pressed while a command holds it down.
    void SetDown(bool down);
    bool Down() const { return down_; }
    // Runs the click as a mouse click would, if the button is enabled.
    void Click();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc);
    UniqueBitmap glyph_;
    UniqueBitmap greyGlyph_;
    SIZE glyphSize_{};
    Look look_;
    GlyphPlace place_;
    bool hot_ = false;
    bool pressing_ = false;
    bool down_ = false;
};

} // namespace qd
