#include "integrity/Launch.h"

#include "common/AnsiText.h"

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

std::string folderOf(const std::string& fullPath) {
    const auto slash = fullPath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
}

} // namespace qd
