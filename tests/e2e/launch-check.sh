#!/usr/bin/env bash
# A program replaced on disk while the launcher runs, after the start-up check
# passed, is checked again as it starts: Return refuses it with the security
# error, its row turns red, and it is not started.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/tool.exe"
printf '[Preferences]\r\nCheckSafe=1\r\n' >"$LAUNCHER/QuillDeck.ini"
catalogue items "$LAUNCHER/QuillDeck.rcc" tool.exe || fail "cannot make the catalogue"
report=$LAUNCHER/probe-out.txt

start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
rm -f "$report"
key Return
expect_started tool.exe "Return on the unchanged program"

# Another build of the program takes its place: it still runs, so starting it
# would show in a fresh report.
printf 'swapped' >>"$LAUNCHER/tool.exe"
rm -f "$report"
[[ $(red_in_first_row) -eq 0 ]] || fail "the item is red before the launch"
key Return
x_window '^Security error !$' >/dev/null || fail "Return on the replaced program gave no \"Security error !\""
shoot launch-check-refused.png
key Return
gone '^Security error !$' || fail "Return left the security error open"
red=$(red_in_first_row)
((red > 20)) || fail "the refused item is not drawn red ($red red pixels)"
[[ ! -e $report ]] || fail "the replaced program was started"

remote exit
wait_launcher_exit
echo "launch check: ok"
