#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "catalogue/ItemTable.h"
#include "shell/QuillDeck1.h"
#include "support/DialogWatcher.h"

namespace qdtest {

// The item fingerprint of a file holding `bytes`.
std::string fingerprintOf(const std::string& bytes);

// A launcher folder with its catalogue and preferences, written before the
// main window starts.
class LauncherFolder {
  public:
    TempFolder folder;
    qd::ItemTable table;

    // `contents` is written to the launcher folder's tools\ unless it is null.
    void addItem(const std::string& title, const std::string& file, const char* contents,
                 const std::string& fingerprint);
    // Items named by their titles, each with a stand-in program tools\<title>.exe,
    // and the start-up check of fingerprints off so that none is disabled.
    void addUncheckedItems(std::initializer_list<const char*> titles);
    // An item whose program is the launch probe, copied to tools\<file>.
    void addProbe(const std::string& title, const std::string& file);
    void setPreference(const char* key, const char* value);
    std::string ini() const { return folder.file("QuillDeck.ini"); }
    // Starts the main window with the current directory elsewhere, so that
    // only resolving against the launcher folder finds the files.
    std::unique_ptr<qd::TForm1> start(std::vector<std::string> arguments = {},
                                      int showWindow = SW_SHOWNORMAL);
    void moveCurrentDirectoryAway() const { SetCurrentDirectoryA(elsewhere.path().c_str()); }

  private:
    TempFolder elsewhere;
};

// Closes the main window through its close sequence and lets it finish.
void closeForm(qd::TForm1& form);

// The tray icon's menu, opened as the taskbar asks for it, and its entry at
// `position` chosen by the keyboard; then messages run.
void chooseTrayEntry(qd::TForm1& form, int position);

} // namespace qdtest
