#!/usr/bin/env bash
# The real launcher, copied into a folder named in a script the ANSI code page
# lacks, starts without an error box, reads its own version for the About box,
# keeps its catalogue and writes its placement there at close.
source "$(dirname "$0")/lib.sh"
VERSION=$(head -n1 "$(dirname "$0")/../../VERSION")

FOLDER="$LAUNCHER/tools-日本"
mkdir -p "$FOLDER/tools"
mv "$LAUNCHER/QuillDeck.exe" "$FOLDER/"
# The tool takes ANSI arguments: the catalogue is made outside and moved in.
catalogue make "$LAUNCHER/made.rcc" 3
mv "$LAUNCHER/made.rcc" "$FOLDER/QuillDeck.rcc"
for n in 1 2 3; do echo "program $n" >"$FOLDER/tools/item$n.exe"; done
printf '[Preferences]\r\nCheckSafe=0\r\n' >"$FOLDER/QuillDeck.ini"
cp "$FOLDER/QuillDeck.rcc" "$LAUNCHER/before.rcc"

$WINE "$FOLDER/QuillDeck.exe" >/dev/null 2>&1 &
launcher_pid=$!
pids+=("$launcher_pid")
remote wait-window 20000 || fail "the main window did not appear"
remote wait-ready 20000 || fail "the start-up pass did not end"
key alt+b
x_window "Quill'Deck \\(v$VERSION\\)" >/dev/null || fail "the About box names no version $VERSION"
key Escape
remote exit
wait_launcher_exit

cmp -s "$LAUNCHER/before.rcc" "$FOLDER/QuillDeck.rcc" || fail "catalogue bytes changed"
grep -q "^WindowTop=" "$FOLDER/QuillDeck.ini" || fail "no placement written at close"
echo "foreign folder: ok"
