#include "integrity/ItemValidation.h"

#include "catalogue/ItemPath.h"
#include "common/WidePath.h"
#include "integrity/FileDigest.h"
#include "integrity/Fingerprint.h"
#include "integrity/Win32ValidationEnvironment.h"
#include "ui/MessageDialog.h"

namespace qd {

void ValidateAllItems(ItemTable& table, const ValidationOptions& options,
                      const IntegrityContext& context, TItemList& list,
                      std::function<bool()> keepGoing) {
    Win32ValidationEnvironment environment(
        context.owner,
        [&](const std::string& path) { return ResolveItemPath(context.launcherFolder, path); },
        context.hash, list, std::move(keepGoing));
    ValidateItems(table, options, environment);
}

bool ResetItemSecurity(ItemTable& table, int row, const IntegrityContext& context) {
    if (MessageDlg(context.owner, ResetSecurityQuestion, TMsgDlgType::Error,
                   {TMsgDlgBtn::OK, TMsgDlgBtn::Abort}, TMsgDlgBtn::OK) == IDABORT)
        return false;
    const std::string path =
        ResolveItemPath(context.launcherFolder, table.cell(ColRelativePath, row));
    table.setCell(
        ColFingerprint, row,
        StoredFingerprintOf(path, "Cannot reset security of \"" + AnsiFromPath(path) + "\""));
    return true;
}

} // namespace qd
