#!/usr/bin/env bash
# A run with /s leaves the preferences file byte for byte as it was; the
# catalogue, unchanged, is left as it was too rather than written again.
source "$(dirname "$0")/lib.sh"

printf '[Preferences]\r\nWindowLeft=5\r\n' >"$LAUNCHER/QuillDeck.ini"
cp "$LAUNCHER/QuillDeck.ini" "$LAUNCHER/before.ini"
catalogue make "$LAUNCHER/QuillDeck.rcc" 2
cp "$LAUNCHER/QuillDeck.rcc" "$LAUNCHER/before.rcc"

start_launcher /s
touch -d '2000-01-01' "$LAUNCHER/QuillDeck.rcc"
remote close
wait_launcher_exit

cmp -s "$LAUNCHER/before.ini" "$LAUNCHER/QuillDeck.ini" || fail "preferences changed"
cmp -s "$LAUNCHER/before.rcc" "$LAUNCHER/QuillDeck.rcc" || fail "catalogue changed"
[[ $(stat -c %Y "$LAUNCHER/QuillDeck.rcc") -eq 946684800 ]] || fail "an unchanged catalogue was written again"
echo "restricted mode: ok"
