#pragma once
#include "common/Profile.h"

namespace qd {

// The five switches the rest of the program consults. CloseCloses is the
// value of the key CaptionClose: true = the caption close and the toolbar
// Exit end the program, false = they hide it to the tray.
struct PreferenceFlags {
    bool StartMinimized = false;
    bool ConfirmDelete = false;
    bool CheckSafe = false;
    bool CloseCloses = false;
    bool KeepDeleted = false;
    bool operator==(const PreferenceFlags&) const = default;
};

// Restricted mode never reads the file; these values hold for its whole run.
PreferenceFlags restrictedModeFlags();

// Outer size and position of the main window in pixels.
struct WindowPlacement {
    int height = 0;
    int width = 0;
    int left = 0;
    int top = 0;
    bool operator==(const WindowPlacement&) const = default;
};

// Start-up: the placement, each value defaulting to the window's current one.
WindowPlacement readWindowPlacement(ProfileStore& store, const WindowPlacement& current);
// Start-up: ConfirmDelete, CheckSafe, CaptionClose and KeepDeleted; StartMinimized
// is read later in the start-up and keeps its value here.
void readStartupFlags(ProfileStore& store, PreferenceFlags& flags);
bool readStartMinimized(ProfileStore& store);

// Opening the options panel reads all five again with the panel's own
// defaults, CaptionClose true among them.
PreferenceFlags readPanelFlags(ProfileStore& store);

// The writes run in a fixed order; a write the store refuses throws and the
// ones after it are not attempted.
void writeClosingPreferences(ProfileStore& store, const WindowPlacement& placement, int selectItem,
                             int selectGroup);
void writeOptionFlags(ProfileStore& store, const PreferenceFlags& flags);

} // namespace qd
