#include "shell/GlobalHotKey.h"

#include <optional>

#include "shell/HotKeyText.h"
#include "ui/MessageDialog.h"

namespace qd {

bool TGlobalHotKey::Use(const std::string& text, bool sayWhenTaken) {
    const std::optional<HotKey> key = parseHotKey(text);
    if (!text.empty() && !key) return false;
    Release();
    if (!key) return true;
    const UINT modifiers = (key->ctrl ? MOD_CONTROL : 0) | (key->alt ? MOD_ALT : 0) |
                           (key->shift ? MOD_SHIFT : 0) | (key->win ? MOD_WIN : 0) | MOD_NOREPEAT;
    registered_ = RegisterHotKey(owner_, Id, modifiers, key->key) != FALSE;
    if (!registered_ && sayWhenTaken)
        MessageDlg(owner_,
                   "The hot key " + formatHotKey(*key) +
                       " is in use by another program.\r\nQuill'Deck runs without it.",
                   TMsgDlgType::Warning, {TMsgDlgBtn::OK}, TMsgDlgBtn::OK);
    return true;
}

void TGlobalHotKey::Release() {
    if (registered_) UnregisterHotKey(owner_, Id);
    registered_ = false;
}

} // namespace qd
