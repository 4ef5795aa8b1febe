#!/usr/bin/env bash
# From anywhere: the hot key hides the launcher that is in front, brings it
# back from the tray with the list focused, and three typed letters and
# Return start the program whose title holds them. With the About box open,
# the hot key leaves the box in front of the window it waits on, so Escape
# still closes it.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/alpha.exe"
cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/beta.exe"
catalogue items "$LAUNCHER/QuillDeck.rcc" alpha.exe beta.exe || fail "cannot make the catalogue"
report=$LAUNCHER/probe-out.txt

start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
# The user is at the launcher: a click on its first row.
read -r left top _ < <(remote rect)
xdotool mousemove $((left + 40)) $((top + 60)) click 1
remote wait-focused 10000 || fail "the click did not put the keyboard on the list"

xdotool key ctrl+alt+q
remote wait-hidden 10000 || fail "the hot key did not hide the launcher"
xdotool key ctrl+alt+q
remote wait-window 10000 || fail "the hot key did not bring the launcher back"
# The typing below goes where the keyboard is: wait until that is the list.
remote wait-focused 10000 || fail "the hot key did not give the list the keyboard"

rm -f "$report"
xdotool type --delay 50 eta
xdotool key Return
expect_started beta.exe "typing and Return"

xdotool key alt+b
x_window "Quill'Deck \\(v" >/dev/null || fail "Alt+B opened no About box"
xdotool key ctrl+alt+q Escape
for _ in $(seq 50); do gone "Quill'Deck \\(v" && break; sleep 0.1; done
gone "Quill'Deck \\(v" || fail "after the hot key, Escape did not reach the About box"
remote wait-focused 10000 || fail "the list did not get the keyboard back from the About box"

remote exit
wait_launcher_exit
echo "hot key and type to find: ok"
