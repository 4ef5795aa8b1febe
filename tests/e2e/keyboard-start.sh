#!/usr/bin/env bash
# After a normal start (fingerprints checked, nothing to report) the keyboard
# works the list at once: Down and Return start the second item, and a plain
# "x" without Alt does not end the launcher, and after an Alt shortcut the
# keys still reach the list.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/first.exe"
cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/second.exe"
printf '[Preferences]\r\nCheckSafe=1\r\n' >"$LAUNCHER/QuillDeck.ini"
catalogue items "$LAUNCHER/QuillDeck.rcc" first.exe second.exe || fail "cannot make the catalogue"
report=$LAUNCHER/probe-out.txt

start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"

rm -f "$report"
xdotool key Down Return
expect_started second.exe "Down and Return"

rm -f "$report"
xdotool key x
if remote wait-gone 2000; then fail "a plain x ended the launcher"; fi
[[ $(remote count) -eq 1 ]] || fail "expected one main window, found $(remote count)"
[[ ! -e $report ]] || fail "a plain x started an item"

# An Alt shortcut (Alt+T, stay on top) leaves the keyboard with the list:
# releasing Alt does not open the system menu, so Up and Return start the
# first item.
rm -f "$report"
xdotool key alt+t
sleep 0.3
xdotool key Up Return
expect_started first.exe "after Alt+T, Up and Return"

remote exit
wait_launcher_exit
echo "keyboard start: ok"
