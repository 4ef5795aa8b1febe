#!/usr/bin/env bash
# Files dropped on the launcher while it asks whether to remove an item are
# not taken: the rows stay as the question found them. Once it is answered,
# the same drop adds the program.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/first.exe"
cp "$SUPPORT/qd_sample_bare.exe" "$LAUNCHER/dropped.exe"
catalogue items "$LAUNCHER/QuillDeck.rcc" first.exe || fail "cannot make the catalogue"

start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
remote wait-focused 10000 || fail "the list did not get the keyboard"
xdotool key Delete
x_window "Warning" >/dev/null || fail "Delete asked nothing"

# Low in the list, below the question.
window_place
x=$((left + width / 2)) y=$((top + height - 30))
"$SUPPORT/qd_xdnd_drop" "$x" "$y" "$LAUNCHER/dropped.exe" || true
# The screen reader's questions queue behind the drop: their answer comes
# after it was handled.
seen=$(remote items) || fail "the list answered no screen reader"
[[ $seen == $'role 33\nfirst.exe *' ]] || fail "a drop behind the question changed the rows: $seen"

xdotool key Escape
for _ in $(seq 50); do gone "Warning" && break; sleep 0.1; done
gone "Warning" || fail "Escape did not answer the question"
"$SUPPORT/qd_xdnd_drop" "$x" "$y" "$LAUNCHER/dropped.exe" || fail "the launcher did not take the drop"
for _ in $(seq 50); do [[ $(remote items) == *dropped.exe* ]] && break; sleep 0.1; done
[[ $(remote items) == $'role 33\nfirst.exe *\ndropped.exe' ]] || fail "the drop after the question: $(remote items)"

remote exit
wait_launcher_exit
echo "drop behind a box: ok"
