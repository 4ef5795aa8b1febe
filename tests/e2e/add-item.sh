#!/usr/bin/env bash
# The real launcher adds a program chosen in its open dialog, driven as a user
# would: a click on the Add button, the path typed into the file name field,
# Return. (Alt+A sent with xdotool does not reach the main window under Wine's
# desktop: the X focus stays on the application window.) Closed through its
# Exit command, it writes the new record: lower-case relative path, file name,
# the scrambled SHA-1 of that file, group 0 and the file's icon.
source "$(dirname "$0")/lib.sh"

# An empty launcher; the program sits in a folder beside it, in mixed case.
mkdir -p "$LAUNCHER/Apps"
cp "$SUPPORT/qd_sample_many_icons.exe" "$LAUNCHER/Apps/Sample.exe"

fingerprint=$(fingerprint "$LAUNCHER/Apps/Sample.exe")

start_launcher
sleep 1
# The main window is the launcher's one X window wider than a few pixels; the
# Add button is the toolbar's first.
for window in $(xdotool search --name "Quill'Deck"); do
    info=$(xwininfo -id "$window")
    width=$(awk '/Width:/ { print $2 }' <<<"$info")
    if ((width > 50)); then
        left=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
        top=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    fi
done
[[ -n ${left:-} ]] || fail "no main window on the X display"
xdotool mousemove $((left + 19)) $((top + 35)) click 1
sleep 2
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
