// The main window's integrity commands: the start-up pass over all items and
// "Reset Security *".
#include "shell/QuillDeck1.h"

namespace qd {

// Placeholder until the fingerprint checks land: builds the tray entries as
// the pass does for every row it keeps.
void TForm1::ValidateItems() { BuildTrayEntries(); }

void TForm1::Pop1_ResetSecurityClick() {}

} // namespace qd
