#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "shell/OptionsPanel.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"
#include "ui/ListAccessible.h"

namespace qd {
namespace {

using qdtest::closeForm;
using Launcher = qdtest::LauncherFolder;

// What a screen reader holds: the object a window hands out for its client area.
struct Accessible {
    IAccessible* object = nullptr;

    explicit Accessible(HWND window) {
        EXPECT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)),
                  S_OK);
    }
    ~Accessible() {
        if (object) object->Release();
    }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    static VARIANT child(LONG id) {
        VARIANT v{};
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    }
    static std::string text(BSTR b) {
        std::wstring wide(b ? b : L"");
        SysFreeString(b);
        return std::string(wide.begin(), wide.end());
    }
    LONG childCount() const {
        LONG count = -1;
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        return count;
    }
    std::string name(LONG id) const {
        BSTR b = nullptr;
        EXPECT_EQ(object->get_accName(child(id), &b), S_OK);
        return text(b);
    }
    // "(none)" when the object says the property is empty.
    std::string description(LONG id) const {
        BSTR b = nullptr;
        return object->get_accDescription(child(id), &b) == S_FALSE ? "(none)" : text(b);
    }
    std::string defaultAction(LONG id) const {
        BSTR b = nullptr;
        EXPECT_EQ(object->get_accDefaultAction(child(id), &b), S_OK);
        return text(b);
    }
    LONG role(LONG id) const {
        VARIANT v{};
        EXPECT_EQ(object->get_accRole(child(id), &v), S_OK);
        return v.lVal;
    }
    LONG state(LONG id) const {
        VARIANT v{};
        EXPECT_EQ(object->get_accState(child(id), &v), S_OK);
        return v.lVal;
    }
    // The child a VARIANT answer names, or -1 for none.
    static LONG named(const VARIANT& v) { return v.vt == VT_I4 ? v.lVal : -1; }
};

// Events of this process's windows, as an out-of-context hook sees them.
class EventRecorder {
  public:
    using Event = std::tuple<DWORD, HWND, LONG, LONG>;
    EventRecorder() {
        active_ = this;
        hook_ = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_SELECTION, nullptr, Record,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        EXPECT_NE(hook_, nullptr);
    }
    ~EventRecorder() {
        UnhookWinEvent(hook_);
        active_ = nullptr;
    }
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;
    std::vector<Event> events;

  private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                DWORD, DWORD) {
        if (active_) active_->events.emplace_back(event, window, object, child);
    }
    static inline EventRecorder* active_ = nullptr;
    HWINEVENTHOOK hook_;
};

// Rows 0 and 2 to 4 in the selected group "Web", row 1 hidden by it; row 2
// disabled.
std::unique_ptr<TForm1> startWebGroup(Launcher& launcher) {
    launcher.addUncheckedItems({"Alpha", "Hidden", "Broken", "Delta", "Echo"});
    for (int row : {0, 2, 3, 4})
        launcher.table.setCell(ColGroup, row, "1");
    launcher.table.setCell(ColFingerprint, 2, DisabledMark);
    launcher.setPreference("Groups", "2");
    launcher.setPreference("2", "Web");
    launcher.setPreference("SelectGroup", "1");
    return launcher.start();
}

class Accessibility : public testing::Test {
  protected:
    // The test is the screen reader: it needs COM to receive the objects.
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(Accessibility, ListShowsItsShownRowsAsItems) {
    Launcher launcher;
    auto form = startWebGroup(launcher);
    HWND list = seam(*form).StringGrid1->Handle();
    SetFocus(list);
    seam(*form).StringGrid1->SelectRow(3);
    Accessible acc(list);
    ASSERT_NE(acc.object, nullptr);

    EXPECT_EQ(acc.role(CHILDID_SELF), ROLE_SYSTEM_LIST);
    ASSERT_EQ(acc.childCount(), 4);
    const char* names[] = {"Alpha", "Broken", "Delta", "Echo"};
    for (LONG id = 1; id <= 4; ++id) {
        EXPECT_EQ(acc.name(id), names[id - 1]);
        EXPECT_EQ(acc.role(id), ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(acc.defaultAction(id), "Launch");
        const LONG current = id == 3 ? STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED : 0;
        EXPECT_EQ(acc.state(id), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | current)
            << names[id - 1];
    }
    EXPECT_EQ(acc.description(2), "disabled: changed or tampered file");
    EXPECT_EQ(acc.description(1), "(none)");
    IDispatch* simple = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(acc.object->get_accChild(Accessible::child(2), &simple), S_FALSE);
    EXPECT_EQ(simple, nullptr);
    EXPECT_EQ(acc.object->get_accChild(Accessible::child(5), &simple), E_INVALIDARG);

    VARIANT v{};
    ASSERT_EQ(acc.object->get_accFocus(&v), S_OK);
    EXPECT_EQ(Accessible::named(v), 3);
    ASSERT_EQ(acc.object->get_accSelection(&v), S_OK);
    EXPECT_EQ(Accessible::named(v), 3);
    // Without the keyboard focus the current row is still selected, no longer focused.
    SetFocus(nullptr);
    EXPECT_EQ(acc.state(3),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED);
    EXPECT_EQ(acc.object->get_accFocus(&v), S_FALSE);
    EXPECT_EQ(v.vt, VT_EMPTY);

    // The parent is the standard object of the list's window.
    IDispatch* parent = nullptr;
    ASSERT_EQ(acc.object->get_accParent(&parent), S_OK);
    IOleWindow* window = nullptr;
    ASSERT_EQ(parent->QueryInterface(__uuidof(IOleWindow), reinterpret_cast<void**>(&window)),
              S_OK);
    HWND parentWindow = nullptr;
    EXPECT_EQ(window->GetWindow(&parentWindow), S_OK);
    EXPECT_EQ(parentWindow, list);
    window->Release();
    parent->Release();
    closeForm(*form);
}

TEST_F(Accessibility, RowsArePlacedFoundAndWalkedAmongTheShownOnes) {
    Launcher launcher;
    auto form = startWebGroup(launcher);
    HWND list = seam(*form).StringGrid1->Handle();
    Accessible acc(list);
    ASSERT_NE(acc.object, nullptr);

    // Child 2 is row 2, the second shown row: one row height down the list.
    RECT listRect;
    GetWindowRect(list, &listRect);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    LONG left, top, width, height;
    ASSERT_EQ(acc.object->accLocation(&left, &top, &width, &height, Accessible::child(2)), S_OK);
    EXPECT_EQ(top, origin.y + DefaultRowHeight);
    EXPECT_EQ(height, DefaultRowHeight);
    EXPECT_EQ(left, origin.x);
    EXPECT_GT(width, 0);

    VARIANT hit{};
    ASSERT_EQ(acc.object->accHitTest(left + 5, top + height / 2, &hit), S_OK);
    EXPECT_EQ(Accessible::named(hit), 2);
    EXPECT_EQ(acc.object->accHitTest(listRect.right + 5, top, &hit), S_FALSE);

    struct Step {
        LONG direction, from, to; // to -1: nowhere to go
    };
    const Step steps[] = {
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, 1},
        {NAVDIR_LASTCHILD, CHILDID_SELF, 4},
        {NAVDIR_NEXT, 1, 2},
        {NAVDIR_DOWN, 3, 4},
        {NAVDIR_PREVIOUS, 2, 1},
        {NAVDIR_NEXT, 4, -1},
        {NAVDIR_PREVIOUS, 1, -1},
    };
    for (const Step& step : steps) {
        VARIANT end{};
        acc.object->accNavigate(step.direction, Accessible::child(step.from), &end);
        EXPECT_EQ(Accessible::named(end), step.to) << step.direction << " from " << step.from;
    }

    // Taking the selection makes the row current, as a click does.
    ASSERT_EQ(
        acc.object->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Accessible::child(4)),
        S_OK);
    EXPECT_EQ(seam(*form).Table().currentRow(), 4);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(acc.object->accSelect(SELFLAG_ADDSELECTION, Accessible::child(1)), E_INVALIDARG);
    closeForm(*form);
}

TEST_F(Accessibility, RowsOutOfViewAreOffscreen) {
    Launcher launcher;
    constexpr int Items = 12;
    for (int i = 1; i <= Items; ++i)
        launcher.addItem("Item " + std::to_string(i), "item" + std::to_string(i) + ".exe", "x",
                         std::string(40, 'Q'));
    launcher.setPreference("CheckSafe", "0");
    auto form = launcher.start();
    ASSERT_LT(seam(*form).StringGrid1->VisibleRowCapacity(), Items - 1);
    Accessible acc(seam(*form).StringGrid1->Handle());
    ASSERT_NE(acc.object, nullptr);
    EXPECT_FALSE(acc.state(1) & STATE_SYSTEM_OFFSCREEN);
    EXPECT_TRUE(acc.state(Items) & STATE_SYSTEM_OFFSCREEN);
    closeForm(*form);
}

TEST_F(Accessibility, MovingTheCurrentRowTellsTheNewRowAndFilteringTellsTheList) {
    Launcher launcher;
    auto form = startWebGroup(launcher);
    HWND list = seam(*form).StringGrid1->Handle();
    SetFocus(list);
    seam(*form).StringGrid1->SelectRow(0);
    qdtest::runMessages(20);
    EventRecorder recorder;
    // Down skips the hidden row 1: row 2 is the second child.
    qdtest::typeKeys({VK_DOWN});
    qdtest::runMessages(20);
    ASSERT_EQ(seam(*form).Table().currentRow(), 2);
    const auto seen = [&](DWORD event, LONG child) {
        for (const auto& e : recorder.events)
            if (e == EventRecorder::Event{event, list, OBJID_CLIENT, child}) return true;
        return false;
    };
    EXPECT_TRUE(seen(EVENT_OBJECT_FOCUS, 2));
    EXPECT_TRUE(seen(EVENT_OBJECT_SELECTION, 2));

    // Type-to-find leaves only Delta: the children changed, Delta is child 1.
    recorder.events.clear();
    qdtest::typeKeys({'D'});
    qdtest::runMessages(20);
    EXPECT_TRUE(seen(EVENT_OBJECT_REORDER, CHILDID_SELF));
    EXPECT_TRUE(seen(EVENT_OBJECT_FOCUS, 1));

    // Without the keyboard focus a new current row is selected, never focused.
    SetFocus(nullptr);
    qdtest::runMessages(20);
    recorder.events.clear();
    seam(*form).StringGrid1->SelectRow(3);
    qdtest::runMessages(20);
    const LONG delta = AccessibleChildOfRow(seam(*form).Table(), 3);
    ASSERT_GT(delta, 0);
    EXPECT_TRUE(seen(EVENT_OBJECT_SELECTION, delta));
    EXPECT_FALSE(seen(EVENT_OBJECT_FOCUS, delta));
    closeForm(*form);
}

TEST_F(Accessibility, DefaultActionLaunchesTheRow) {
    Launcher launcher;
    launcher.addProbe("Mail", "mail.exe");
    launcher.addProbe("Editor", "editor.exe");
    auto form = launcher.start();
    const std::string tools = launcher.folder.file("tools\\");
    DeleteFileA((tools + "probe-out.txt").c_str());
    Accessible acc(seam(*form).StringGrid1->Handle());
    ASSERT_NE(acc.object, nullptr);
    ASSERT_EQ(acc.object->accDoDefaultAction(Accessible::child(2)), S_OK);
    EXPECT_EQ(seam(*form).Table().currentRow(), 1);
    EXPECT_NE(qdtest::probeReport(tools).find("self:editor.exe"), std::string::npos);
    closeForm(*form);
}

TEST_F(Accessibility, TheEmptyListHasNoItems) {
    Launcher launcher;
    auto form = launcher.start();
    ASSERT_EQ(seam(*form).Table().rowCount(), 1);
    Accessible acc(seam(*form).StringGrid1->Handle());
    ASSERT_NE(acc.object, nullptr);
    EXPECT_EQ(acc.childCount(), 0);
    VARIANT v{};
    EXPECT_EQ(acc.object->get_accSelection(&v), S_FALSE);
    EXPECT_EQ(v.vt, VT_EMPTY);
    BSTR name = nullptr;
    EXPECT_EQ(acc.object->get_accName(Accessible::child(1), &name), E_INVALIDARG);
    closeForm(*form);
}

TEST_F(Accessibility, ButtonsAreNamedByTheirHints) {
    Launcher launcher;
    auto form = launcher.start();
    const std::pair<TSpeedButton*, const char*> buttons[] = {
        {seam(*form).ToolButton_add, "Add Item  [Alt+A]"},
        {seam(*form).ToolButton_exit, "Exit  [Alt+X]"},
    };
    const auto expectButton = [](TSpeedButton* button, const char* name) {
        Accessible acc(button->Handle());
        ASSERT_NE(acc.object, nullptr);
        EXPECT_EQ(acc.name(CHILDID_SELF), name);
        EXPECT_EQ(acc.role(CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(acc.defaultAction(CHILDID_SELF), "Press");
    };
    for (const auto& [button, name] : buttons)
        expectButton(button, name);
    // A disabled button is unavailable, one held down by its command pressed.
    Accessible add(seam(*form).ToolButton_add->Handle());
    seam(*form).ToolButton_add->SetEnabled(false);
    EXPECT_TRUE(add.state(CHILDID_SELF) & STATE_SYSTEM_UNAVAILABLE);
    seam(*form).ToolButton_add->SetEnabled(true);
    EXPECT_FALSE(add.state(CHILDID_SELF) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED));
    seam(*form).ToolButton_add->SetDown(true);
    EXPECT_TRUE(add.state(CHILDID_SELF) & STATE_SYSTEM_PRESSED);
    seam(*form).ToolButton_add->SetDown(false);

    Accessible options(seam(*form).ToolButton_options->Handle());
    ASSERT_FALSE(seam(*form).Panel_options && seam(*form).Panel_options->IsOpen());
    ASSERT_EQ(options.object->accDoDefaultAction(Accessible::child(CHILDID_SELF)), S_OK);
    qdtest::runMessages(50);
    ASSERT_TRUE(seam(*form).Panel_options && seam(*form).Panel_options->IsOpen());
    expectButton(seam(*form).Panel_options->Button_add_group.get(), "Add application group");
    // No hint: the caption.
    expectButton(seam(*form).Panel_options->Button_ok_option.get(), "ok");
    closeForm(*form);
}

TEST_F(Accessibility, ObjectsHeldPastTheirWindowsSayDisconnected) {
    Launcher launcher;
    launcher.addUncheckedItems({"Alpha"});
    auto form = launcher.start();
    Accessible list(seam(*form).StringGrid1->Handle());
    Accessible button(seam(*form).ToolButton_add->Handle());
    HWND listWindow = seam(*form).StringGrid1->Handle();
    ASSERT_EQ(list.childCount(), 1);
    // The windows are gone; the objects behind them live on until the form goes.
    closeForm(*form);
    ASSERT_FALSE(IsWindow(listWindow));

    LONG count = 0;
    BSTR name = nullptr;
    VARIANT v{};
    EXPECT_EQ(list.object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(list.object->get_accName(Accessible::child(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(list.object->get_accSelection(&v), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(list.object->accDoDefaultAction(Accessible::child(1)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(button.object->get_accName(Accessible::child(CHILDID_SELF), &name),
              CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(button.object->accDoDefaultAction(Accessible::child(CHILDID_SELF)),
              CO_E_OBJNOTCONNECTED);
    form.reset();
    EXPECT_EQ(list.object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
}

} // namespace
} // namespace qd
