#!/usr/bin/env bash
# A run with /s leaves the preferences file byte for byte as it was, while the
# catalogue is still written at close.
source "$(dirname "$0")/lib.sh"

printf '[Preferences]\r\nWindowLeft=5\r\n' >"$LAUNCHER/QuillDeck.ini"
cp "$LAUNCHER/QuillDeck.ini" "$LAUNCHER/before.ini"
catalogue make "$LAUNCHER/QuillDeck.rcc" 2
rm "$LAUNCHER/QuillDeck.rcc.tmp" 2>/dev/null || true

start_launcher /s
touch -d '2000-01-01' "$LAUNCHER/QuillDeck.rcc"
remote close
wait_launcher_exit

cmp -s "$LAUNCHER/before.ini" "$LAUNCHER/QuillDeck.ini" || fail "preferences changed"
[[ $(stat -c %Y "$LAUNCHER/QuillDeck.rcc") -gt 946684800 ]] || fail "catalogue not rewritten"
echo "restricted mode: ok"
