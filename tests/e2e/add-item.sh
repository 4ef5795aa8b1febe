#!/usr/bin/env bash
# The real launcher adds a program chosen in its open dialog, driven as a user
# would: a click on the Add button (the journey adds by Alt+A), the path typed
# into the file name field, Return. Closed through its Exit command, it writes
# the new record: lower-case relative path, file name, the scrambled SHA-1 of
# that file, group 0 and the file's icon.
source "$(dirname "$0")/lib.sh"

# An empty launcher; the program sits in a folder beside it, in mixed case.
mkdir -p "$LAUNCHER/Apps"
cp "$SUPPORT/qd_sample_many_icons.exe" "$LAUNCHER/Apps/Sample.exe"

fingerprint=$(fingerprint "$LAUNCHER/Apps/Sample.exe")

start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
# The Add button is the toolbar's first.
read -r left top _ < <(remote rect)
xdotool mousemove $((left + 19)) $((top + 35)) click 1
x_window '^Open$' >/dev/null || fail "a click on Add opened no open dialog"
sleep 0.5
xdotool type --delay 20 "Z:$(tr / '\\' <<<"$LAUNCHER/Apps/Sample.exe")"
xdotool key Return
sleep 1
remote exit
wait_launcher_exit

rows=$(catalogue dump "$LAUNCHER/QuillDeck.rcc" | tr -d '\r')
[[ $(wc -l <<<"$rows") -eq 1 ]] || fail "expected one record, got: $rows"
expected="sample.exe|apps\\sample.exe|sample.exe|0||0|$fingerprint|0|"
[[ ${rows%% icon *} == "$expected" ]] || fail "record is '${rows%% icon *}', expected '$expected'"
colours=${rows##* colours }
((colours > 1)) || fail "the record's icon is blank"
echo "add item: ok"
