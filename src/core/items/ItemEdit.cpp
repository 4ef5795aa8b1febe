#include "items/ItemEdit.h"

#include <algorithm>

#include "common/AnsiText.h"

namespace qd {

ItemEditOutcome confirmItemEdit(const RowCells& old, const ItemEditValues& values) {
    ItemEditOutcome outcome;
    // An empty Title would make the row read as the empty table.
    if (values.title.empty()) {
        outcome.refusal = EmptyTitleRefusal;
        return outcome;
    }
    outcome.cells = old;
    outcome.cells[ColTitle] = withoutSeparator(values.title);
    if (values.iconIndex) {
        int oldIndex = 0;
        outcome.iconChanged =
            !parseDecimal(old[ColIconIndex], oldIndex) || oldIndex != *values.iconIndex;
        outcome.cells[ColIconIndex] = std::to_string(*values.iconIndex);
    }
    outcome.cells[ColCommandLine] = withoutSeparator(values.commandLine);
    outcome.cells[ColWindowStyle] = std::to_string(values.windowStyle);
    if (values.groupMoved) outcome.cells[ColGroup] = std::to_string(values.group);
    return outcome;
}

int spinPositionOf(const std::string& cell, int maximum) {
    int value = 0;
    if (!parseDecimal(cell, value)) return 0;
    return std::clamp(value, 0, std::max(maximum, 0));
}

ScreenPoint itemEditorPosition(int mainLeft, int mainTop, int mainWidth, int editorWidth,
                               int captionHeight, int gridTop, int rowHeight) {
    return {mainLeft - (editorWidth - mainWidth) / 2 + 15,
            captionHeight + mainTop + gridTop + rowHeight};
}

} // namespace qd
