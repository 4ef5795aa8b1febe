#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/SpeedButton.h"

namespace qd {

// The flat push button of the options panel and the item editor: a caption
// on the button face, a raised frame while the mouse is over the enabled
// button, a sunken one while it is pressed, and an optional one-pixel outline
// that the frames sit inside. Unlike the toolbar's buttons it is a tab stop:
// Space presses it while it has the focus, which a dotted frame shows.
class TSoftButt : public TSpeedButton {
  public:
    static constexpr int DefaultWidth = 35;
    static constexpr int DefaultHeight = 20;

    TSoftButt(HWND parent, const std::string& caption, int left, int top, int width = DefaultWidth,
              int height = DefaultHeight, int id = 0);

    // The mouse entered the enabled button / left the button.
    std::function<void(TSoftButt& sender)> OnEnter;
    std::function<void(TSoftButt& sender)> OnExit;

    bool Border() const { return border_; }
    void SetBorder(bool border);
    // When set, the parent's background shows instead of the button face.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool Hover() const { return hover_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    void MouseEnter() override;
    void MouseLeave() override;

  private:
    void PaintParentBackground(HDC dc) const;
    void RepaintNow();
    bool border_ = true;
    bool transparent_ = false;
    bool hover_ = false;
    // Space went down on this button: its release clicks.
    bool spaceDown_ = false;
};

} // namespace qd
