#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "common/Handles.h"
#include "common/Hints.h"
#include "ui/SpeedButton.h"

namespace qd {

constexpr int ToolbarHeight = 24;

// The strip along the top of the main window: six speed buttons with their
// hints, the line along its top edge and the dividers between the groups.
class TToolbar {
  public:
    // `run` receives the menu command of the clicked button.
    TToolbar(HWND form, std::function<void(unsigned command)> run);

    std::unique_ptr<TSpeedButton> ToolButton_add;
    std::unique_ptr<TSpeedButton> ToolButton_edit;
    std::unique_ptr<TSpeedButton> ToolButton_delete;
    std::unique_ptr<TSpeedButton> ToolButton_options;
    std::unique_ptr<TSpeedButton> ToolButton_menu;
    std::unique_ptr<TSpeedButton> ToolButton_exit;

    // Enables or disables every button of the strip.
    void SetAllEnabled(bool enabled);
    void Paint(HDC dc, int clientWidth) const;
    // The narrowest client width that shows every button.
    static int MinimumClientWidth();

  private:
    THints hints_;
};

} // namespace qd
