#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "common/Dpi.h"
#include "common/Handles.h"
#include "common/Hints.h"
#include "ui/SpeedButton.h"

namespace qd {

// In design pixels; the strip is scaled with its window.
constexpr int ToolbarHeight = 24;

// The strip along the top of the main window: six speed buttons with their
// hints, the line along its top edge and the dividers between the groups.
class TToolbar {
  public:
    // `run` receives the menu command of the clicked button.
    TToolbar(HWND form, std::function<void(unsigned command)> run, UINT dpi);

    std::unique_ptr<TSpeedButton> ToolButton_add;
    std::unique_ptr<TSpeedButton> ToolButton_edit;
    std::unique_ptr<TSpeedButton> ToolButton_delete;
    std::unique_ptr<TSpeedButton> ToolButton_options;
    std::unique_ptr<TSpeedButton> ToolButton_menu;
    std::unique_ptr<TSpeedButton> ToolButton_exit;

    // Enables or disables every button of the strip.
    void SetAllEnabled(bool enabled);
    void Paint(HDC dc, int clientWidth) const;
    // The strip's height and the narrowest client width that shows every
    // button, at the current scale.
    int Height() const { return layout_(ToolbarHeight); }
    int MinimumClientWidth() const;
    // The window moved to a display of another scale.
    void SetDpi(UINT dpi);

  private:
    THints hints_;
    TScaledLayout layout_;
};

} // namespace qd
