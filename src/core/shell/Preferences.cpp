#include "shell/Preferences.h"

namespace qd {

PreferenceFlags restrictedModeFlags() {
    PreferenceFlags flags;
    flags.StartMinimized = false;
    flags.ConfirmDelete = true;
    flags.CheckSafe = false;
    flags.CloseCloses = true;
    flags.KeepDeleted = true;
    return flags;
}

WindowPlacement readWindowPlacement(ProfileStore& store, const WindowPlacement& current) {
    WindowPlacement placement;
    placement.height = store.readInteger("WindowHeight", current.height);
    placement.width = store.readInteger("WindowWidth", current.width);
    placement.left = store.readInteger("WindowLeft", current.left);
    placement.top = store.readInteger("WindowTop", current.top);
    return placement;
}

void readStartupFlags(ProfileStore& store, PreferenceFlags& flags) {
    flags.ConfirmDelete = store.readBoolean("ConfirmDelete", true);
    flags.CheckSafe = store.readBoolean("CheckSafe", true);
    flags.CloseCloses = store.readBoolean("CaptionClose", false);
    flags.KeepDeleted = store.readBoolean("KeepDeleted", false);
}

bool readStartMinimized(ProfileStore& store) {
    return store.readBoolean("StartMinimized", false);
}

PreferenceFlags readPanelFlags(ProfileStore& store) {
    PreferenceFlags flags;
    flags.StartMinimized = store.readBoolean("StartMinimized", false);
    flags.ConfirmDelete = store.readBoolean("ConfirmDelete", true);
    flags.CheckSafe = store.readBoolean("CheckSafe", true);
    flags.CloseCloses = store.readBoolean("CaptionClose", true);
    flags.KeepDeleted = store.readBoolean("KeepDeleted", false);
    return flags;
}

void writeClosingPreferences(ProfileStore& store, const WindowPlacement& placement, int selectItem,
                             int selectGroup) {
    store.writeInteger("WindowHeight", placement.height);
    store.writeInteger("WindowWidth", placement.width);
    store.writeInteger("WindowLeft", placement.left);
    store.writeInteger("WindowTop", placement.top);
    store.writeInteger("SelectItem", selectItem);
    store.writeInteger("SelectGroup", selectGroup);
}

void writeOptionFlags(ProfileStore& store, const PreferenceFlags& flags) {
    store.writeBoolean("StartMinimized", flags.StartMinimized);
    store.writeBoolean("ConfirmDelete", flags.ConfirmDelete);
    store.writeBoolean("CheckSafe", flags.CheckSafe);
    store.writeBoolean("CaptionClose", flags.CloseCloses);
    store.writeBoolean("KeepDeleted", flags.KeepDeleted);
}

} // namespace qd
