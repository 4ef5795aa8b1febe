#pragma once
#include <string>

#include "catalogue/ItemTable.h"
#include "integrity/SecHash.h"

namespace qd {

// Show commands handed to the shell (the Windows SW_ values).
constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;

struct LaunchDecision {
    enum class Action {
        Nothing, // the empty table: no message, nothing started
        Refuse,  // a disabled item: the refusal dialog, nothing started
        Start,   // resolve the path and start it, if showCommand is not 0
    };
    Action action = Action::Nothing;
    std::string relativePath;
    std::string parameters;
    // 0 when WindowStyle is not "0", "1" or "2": nothing is started, silently.
    int showCommand = 0;
};

constexpr char LaunchRefusalText[] = "This application is not safe !\r\nAborting run ...";

LaunchDecision decideLaunch(const ItemTable& table, int row);

// The check at the moment of launch, on top of start-up's: the program may
// have been replaced since. True when a fresh digest matches the row's
// fingerprint; otherwise the row becomes a disabled item, as at start-up.
bool acceptLaunchDigest(ItemTable& table, int row, const TSecHashDigest& fresh);

// Why a checked launch started nothing: the program could not be opened so
// that nobody else can change it meanwhile.
std::string launchNotCheckedText(const ItemTable& table, int row);

// Everything up to and including the last backslash of a full path.
std::string folderOf(const std::string& fullPath);

} // namespace qd
