#include "integrity/Validation.h"

#include <exception>
#include <optional>

#include "common/AnsiText.h"
#include "common/MessageText.h"
#include "integrity/Fingerprint.h"

namespace qd {

namespace {

std::string shownTitle(const ItemTable& table, int row) {
    return quotedInMessage(table.cell(ColTitle, row));
}

std::string missingFileText(const std::string& title, const char* consequence) {
    return "' " + asciiLower(title) + "'  doesn't exist anymore.\r\n" + consequence;
}

void warnNotChecked(const std::string& title, ValidationEnvironment& env) {
    env.showWarning("Could not check ' " + title +
                    "'  for security.\r\nFile may already be in use or running ...");
}

// Compares the executable with the row's fingerprint, disabling the row when
// they differ. A file that cannot be digested keeps its row as it is.
void checkFingerprint(ItemTable& table, int row, const std::string& fullPath,
                      ValidationEnvironment& env) {
    const std::string title = shownTitle(table, row);
    std::optional<std::string> fresh;
    try {
        fresh = makeItemFingerprint(env.digest(fullPath));
    } catch (const std::exception&) {
    }
    if (!fresh) {
        warnNotChecked(title, env);
    } else if (*fresh != table.cell(ColFingerprint, row)) {
        table.setCell(ColFingerprint, row, DisabledMark);
        env.showRowChange(row, false);
        env.showSecurityError(changedFileText(table, row));
    }
}

} // namespace

std::string changedFileText(const ItemTable& table, int row) {
    return "' " + shownTitle(table, row) + "'  item :\r\nChanged or tampered file !";
}

void ValidateItems(ItemTable& table, const ValidationOptions& options, ValidationEnvironment& env) {
    if (table.isEmpty()) return;
    table.closeTrayEntries();
    // Last row first: removing a row never moves one still to be visited.
    for (int row = table.rowCount() - 1; row >= 0; --row) {
        if (!env.pumpMessages()) return;
        const std::string fullPath = env.resolve(table.cell(ColRelativePath, row));
        const FileState state = env.fileState(fullPath);
        if (state == FileState::Unknown) {
            // An unattached drive or a denied lookup proves nothing: the item stays.
            warnNotChecked(shownTitle(table, row), env);
        } else if (state == FileState::Missing) {
            const std::string title = shownTitle(table, row);
            if (!options.keepDeleted) {
                table.deleteRow(row);
                env.showRowChange(row, true);
                env.showWarning(
                    missingFileText(title, "Removing item from launch menu listing ..."));
                continue;
            }
            table.setCell(ColFingerprint, row, DisabledMark);
            env.showRowChange(row, false);
            env.showWarning(missingFileText(title, "Disabling item from launch menu listing ..."));
        } else if (options.checkSafe) {
            checkFingerprint(table, row, fullPath, env);
        }
        table.openTrayEntriesFrom(row);
    }
}

} // namespace qd
