#pragma once
#include <windows.h>

#include <string>

#include "ui/AccessibleWindow.h"

namespace qd {

class TSpeedButton;

// A screen reader's view of a speed or soft button: a push button named by
// its hint (its caption when it has none) that is pressed as a click would.
class TButtonAccessible : public TAccessibleWindow {
  public:
    explicit TButtonAccessible(const TSpeedButton& button);

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  private:
    const TSpeedButton& button_;
};

// The name a screen reader speaks for a control: its hint without the spaces
// that pad it in the tooltip, or its caption.
std::string AccessibleButtonName(const std::string& hint, const std::string& caption);

} // namespace qd
