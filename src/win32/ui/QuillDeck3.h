#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "common/Dialog.h"
#include "common/Dpi.h"
#include "common/Handles.h"
#include "common/Hints.h"

namespace qd {

// The About box: the launcher's name and version, the makers' credit line and
// three links. Created once; shown modally by the About command.
class TFormAbout : public TDialog {
  public:
    // `version` is the launcher's own "FileVersion" (ReadVersionString).
    explicit TFormAbout(const std::string& version);

    // Built once, here: " Quill'Deck (v" + version + ")".
    const std::string& Caption() const { return caption_; }

    // Pop1_AboutClick: placed over the main window and shown modally. gridTop
    // is the item list's top in the main window's client area, rowHeight its
    // default row height.
    INT_PTR ShowBeside(HWND mainWindow, int gridTop, int rowHeight);

    enum Control : int {
        Image1 = 100,
        Label1,
        Label2,
        Label3,
        Label4,
        Label5,
        Label6,
        Label7,
        Label8,
        Label9,
        Label10,
        Label11,
    };
    // The result of a closing click; Escape and the caption's close give
    // IDCANCEL, Enter IDOK.
    static constexpr INT_PTR ClosedByClick = IDOK;

    void FormClick();
    void Label7Click();
    void Label8Click();
    void Label10Click();

  protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void CreateLabels();
    void PlaceBesideMainWindow();
    void ControlClick(int id);

    std::string caption_;
    UINT dpi_ = DesignDpi;
    UniqueFont formFont_, creditFont_, symbolFont_, linkFont_;
    UniqueIcon logo_;
    std::unique_ptr<THints> hints_;
    HWND mainWindow_ = nullptr;
    int gridTop_ = 0;
    int rowHeight_ = 0;
};

} // namespace qd
