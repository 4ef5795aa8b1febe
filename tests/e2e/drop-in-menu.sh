#!/usr/bin/env bash
# A drop while a menu is open closes the menu first and then does what it
# does without one: its warning is in front, clicks behind it wait on it, and
# it takes the answer.
source "$(dirname "$0")/lib.sh"

start_with_one_item
window_place
x=$((left + width / 2)) y=$((top + height - 30))

# A program already listed, dropped while the system menu is open.
xdotool key alt+space
remote wait-menu 5000 || fail "Alt+Space opened no menu"
"$SUPPORT/qd_xdnd_drop" "$x" "$y" "$LAUNCHER/first.exe" || true
x_window "Warning" >/dev/null || fail "the drop of a listed program gave no warning"
remote wait-no-menu 5000 || fail "the system menu stayed open under the warning"
# A right click on the list waits on the box like any other click.
xdotool mousemove "$x" "$y" click 3
sleep 0.5
remote wait-no-menu 100 || fail "a right click behind the warning opened a menu"
xdotool key Escape
for _ in $(seq 50); do gone "Warning" && break; sleep 0.1; done
gone "Warning" || fail "Escape did not answer the warning"
remote wait-focused 10000 || fail "the list did not get the keyboard back from the warning"
[[ $(remote items) == $'role 33\nfirst.exe *' ]] || fail "the rows after the drop: $(remote items)"

remote exit
wait_launcher_exit
echo "drop in a menu: ok"
