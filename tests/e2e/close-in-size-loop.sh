#!/usr/bin/env bash
# Alt+F4 while the window is being moved or sized from the system menu hides
# the launcher to the tray; "E&xit" then still ends it. The platform's move
# and size loop ends on the program's quit message without putting it back,
# and the launcher used to go on with no window, holding its single-copy lock.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/first.exe"
catalogue items "$LAUNCHER/QuillDeck.rcc" first.exe || fail "cannot make the catalogue"

for entry in Move Size; do
    start_launcher
    remote wait-ready 20000 || fail "the start-up pass did not end"
    remote wait-focused 10000 || fail "the list did not get the keyboard"
    xdotool key alt+space
    remote wait-menu 5000 || fail "Alt+Space opened no menu"
    key "${entry:0:1}"
    remote wait-no-menu 5000 || fail "$entry: the menu stayed open"
    xdotool key alt+F4
    remote wait-hidden 10000 || fail "$entry: Alt+F4 did not hide the launcher"
    remote exit
    for _ in $(seq 100); do kill -0 "$launcher_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$launcher_pid" 2>/dev/null && fail "$entry: E&xit left the launcher running with no window"
    wait_launcher_exit
done
echo "close in the move and size loop: ok"
