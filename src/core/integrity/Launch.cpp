#include "integrity/Launch.h"

#include "common/AnsiText.h"
#include "common/MessageText.h"
#include "integrity/Fingerprint.h"

namespace qd {

LaunchDecision decideLaunch(const ItemTable& table, int row) {
    LaunchDecision decision;
    if (table.isEmpty()) return decision;
    if (table.isDisabled(row)) {
        decision.action = LaunchDecision::Action::Refuse;
        return decision;
    }
    decision.action = LaunchDecision::Action::Start;
    decision.relativePath = table.cell(ColRelativePath, row);
    decision.parameters = table.cell(ColCommandLine, row);
    // A damaged catalogue can hold anything here; only 0, 1 and 2 start.
    int style = -1;
    if (parseDecimal(table.cell(ColWindowStyle, row), style) && style >= 0 && style <= 2)
        decision.showCommand = style == 0 ? ShowNormal : style == 1 ? ShowMinimized : ShowMaximized;
    return decision;
}

bool acceptLaunchDigest(ItemTable& table, int row, const TSecHashDigest& fresh) {
    if (makeItemFingerprint(fresh) == table.cell(ColFingerprint, row)) return true;
    table.setCell(ColFingerprint, row, DisabledMark);
    return false;
}

std::string launchNotCheckedText(const ItemTable& table, int row) {
    return "' " + quotedInMessage(table.cell(ColTitle, row)) +
           "'  was not started:\r\nits file could not be opened for the security check "
           "(missing, locked or being written).";
}

std::string folderOf(const std::string& fullPath) {
    const auto slash = fullPath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
}

} // namespace qd
