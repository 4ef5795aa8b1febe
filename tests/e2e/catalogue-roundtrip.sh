#!/usr/bin/env bash
# The real launcher loads a catalogue of three items and writes it back
# unchanged, records and icons, when it is closed through its Exit command.
source "$(dirname "$0")/lib.sh"

catalogue make "$LAUNCHER/QuillDeck.rcc" 3
# The items' programs exist and fingerprints are not checked: no start-up message.
mkdir -p "$LAUNCHER/tools"
for n in 1 2 3; do echo "program $n" >"$LAUNCHER/tools/item$n.exe"; done
printf '[Preferences]\r\nCheckSafe=0\r\n' >"$LAUNCHER/QuillDeck.ini"
cp "$LAUNCHER/QuillDeck.rcc" "$LAUNCHER/before.rcc"
before=$(catalogue dump "$LAUNCHER/before.rcc")
[[ $(wc -l <<<"$before") -eq 3 ]] || fail "fixture holds $(wc -l <<<"$before") rows"

start_launcher
remote exit
wait_launcher_exit

after=$(catalogue dump "$LAUNCHER/QuillDeck.rcc")
[[ $after == "$before" ]] || fail "rows or icons changed: $after"
cmp -s "$LAUNCHER/before.rcc" "$LAUNCHER/QuillDeck.rcc" || fail "catalogue bytes changed"
# The preferences file was made above: only the close writes the placement.
[[ -f $LAUNCHER/QuillDeck.ini ]] || fail "no preferences written at close"
grep -q "^WindowTop=" "$LAUNCHER/QuillDeck.ini" || fail "no placement written at close"
echo "catalogue round trip: ok"
