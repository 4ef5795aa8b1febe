#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/ItemTable.h"
#include "common/Dialog.h"
#include "common/Dpi.h"
#include "common/Handles.h"
#include "common/Hints.h"
#include "common/MessageLoop.h"
#include "groups/Groups.h"
#include "items/ItemEdit.h"
#include "ui/ItemIcons.h"
#include "ui/SoftButt.h"

namespace qd {

// What the edit command hands the editor: the current row, where RelativePath
// is resolved, and the group list of the main window (entry 0 is Main).
struct ItemEditInput {
    RowCells cells;
    std::string launcherFolder;
    GroupList groups;
    bool restricted = false;
};

// Confirmed: write `cells` into the current row; if `iconChanged`, replace the
// row's image with `icon`. Cancelled: `cells` are the row's as they were.
struct ItemEditResult {
    bool confirmed = false;
    RowCells cells;
    bool iconChanged = false;
    IconImage icon;
};

// ToolButton_editClick's dialog, run modally over the main window. gridTop is
// the item list's top in the main window's client area, rowHeight its default
// row height.
ItemEditResult EditItem(HWND mainWindow, int gridTop, int rowHeight, const ItemEditInput& input);

// The item editor: title, executable, version, command line, icon, window
// style and group of one item, on a frameless popup whose caption runs up a
// strip down its left edge. Only the width can be changed.
class TForm2 : public TDialog {
  public:
    static constexpr char Caption[] = " Edit  item...";
    // The modal results.
    static constexpr INT_PTR ResultOk = IDOK;
    static constexpr INT_PTR ResultCancel = IDCANCEL;
    // What the group spin shows for Main.
    static constexpr char MainGroupStandIn[] = " ---";
    static constexpr int MinimumWidth = 252;

    enum Control : int {
        Label1 = 100,
        Edit_name,
        Label6,
        Label_executable,
        Label2,
        Edit_command,
        Label5,
        Edit_group,
        ScrollBar_group,
        Label3,
        ListBox_icons,
        Label4,
        Edit_style,
        ScrollBar_style,
        Label7,
        Label_ver,
        Button_cancel_id,
        Button_ok_id,
        Image1,
    };

    // `dpi`: the scale of the display the editor opens on.
    TForm2(const ItemEditInput& input, UINT dpi);
    ~TForm2() override;

    // Placed over the main window as the edit command places it (no main
    // window: where the system puts it).
    void PlaceBeside(HWND mainWindow, int gridTop, int rowHeight);

    // After ShowModal gave ResultOk: the row as confirmed, and the image of
    // the icon chosen when the outcome says it changed.
    const ItemEditOutcome& Outcome() const { return outcome_; }
    const IconImage& ChosenIcon() const { return chosenIcon_; }

    std::unique_ptr<TSoftButt> Button_ok;
    std::unique_ptr<TSoftButt> Button_cancel;

  protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void FillFields();
    void FormShow();
    void FormActivate();
    void FormClose();
    void FormResize();
    void FormPaint(HDC dc);
    void FormMouseDown(LPARAM where);
    void FormKeyUp(WPARAM key);
    void ListBox_iconsDrawItem(const DRAWITEMSTRUCT& item);
    void Button_okClick();
    void Button_cancelClick();
    void ScrollBar_styleChange();
    void ScrollBar_groupChange();
    void Edit_styleEnter();
    void Edit_groupEnter();
    void DrawSideCaption(const char* text);
    void GetMinMaxInfo(MINMAXINFO& info) const;

    HWND AddControl(int id, const char* className, const char* text, DWORD style, int left, int top,
                    int width, int height, const char* hint = nullptr);
    HWND AddLabel(int id, const char* text, int left, int top);
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    void MoveControl(HWND control, int left, int top, int width, int height);
    RECT Bounds(HWND control) const;
    int SpinPosition(int id) const;
    void SetSpin(int id, int maximum, int position);
    std::string Text(int id) const;
    void LoadIcons();
    void SetIconColumns(int listWidth);

    // A design length at the editor's scale.
    int S(int design) const { return Scaled(design, dpi_); }
    // "ok" at `okLeft` (pixels), "cancel" beside it.
    void PlaceButtons(int okLeft);

    // Key preview: the dialog hears the keys released on every control.

    ItemEditInput input_;
    std::string fullPath_;
    ItemEditOutcome outcome_;
    IconImage chosenIcon_;
    HWND mainWindow_ = nullptr;
    int gridTop_ = 0;
    int rowHeight_ = 0;
    UINT dpi_;
    int sideWidth_ = 0; // S, the small caption's height, in pixels
    bool groupMoved_ = false;
    std::vector<std::string> groupNames_;
    std::vector<IconImage> iconImages_; // entry i of the icon list shows icon i of the file
    TItemIcons icons_;
    UniqueBitmap sideCaption_;
    UniqueFont font_;
    std::unique_ptr<THints> hints_;
    std::unique_ptr<ScopedMessageFilter> keyPreview_;
};

} // namespace qd
