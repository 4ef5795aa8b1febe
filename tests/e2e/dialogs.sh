#!/usr/bin/env bash
# The real launcher's context menu, item editor and About box, each opened by
# its key and closed by Escape, with a screenshot of each kept in
# build/windows/screenshots/ (context-menu.png, editor.png, about.png). The
# current row is a disabled item, so the menu offers "Reset Security *". The
# About box names the version of the VERSION file: the version resource
# comes from it.
source "$(dirname "$0")/lib.sh"
VERSION=$(head -n1 "$(dirname "$0")/../../VERSION")

catalogue make "$LAUNCHER/QuillDeck.rcc" 5
mkdir -p "$LAUNCHER/tools"
for n in 1 3 4 5; do echo "program $n" >"$LAUNCHER/tools/item$n.exe"; done
# The edited item is a real program: the editor shows its icons and version.
cp "$EXE" "$LAUNCHER/tools/item2.exe"
printf '[Preferences]\r\nCheckSafe=0\r\nSelectItem=2\r\n' >"$LAUNCHER/QuillDeck.ini"

start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
shoot before-menu.png 160 200
key alt+s
shoot context-menu.png 160 200
same_picture "$SHOTS/before-menu.png" "$SHOTS/context-menu.png" && fail "Alt+S opened no menu"
key Escape
shoot after-menu.png 160 200
same_picture "$SHOTS/before-menu.png" "$SHOTS/after-menu.png" || fail "Escape left the menu open"

# The row above the disabled one is an ordinary program with options.
key Up
key alt+e
editor=$(x_window "Edit  item") || fail "Alt+E opened no editor"
shoot_dialog editor.png "$editor"
key Escape
gone "Edit  item" || fail "Escape left the editor open"

key alt+b
about=$(x_window "Quill'Deck \\(v$VERSION\\)") || fail "Alt+B opened no About box naming version $VERSION"
shoot_dialog about.png "$about"
key Escape
gone "Quill'Deck \\(v" || fail "Escape left the About box open"

remote exit
wait_launcher_exit
rm -f "$SHOTS"/{before,after}-menu.png
echo "dialogs: ok ($SHOTS/context-menu.png, $SHOTS/editor.png, $SHOTS/about.png)"
