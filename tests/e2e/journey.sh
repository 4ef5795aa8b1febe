#!/usr/bin/env bash
# The road of two programs through the real launcher, driven only by keys,
# clicks and a drop as a file manager makes it: added by the open dialog and
# by a drop on the list, the first edited, launched by Return, by a
# double-click and from the tray menu, the window hidden to the tray and
# brought back, the launcher restarted on what it saved, the first program
# changed on disk and refused until its security is reset, both removed.
# Then a shorter road in restricted mode, which leaves no preferences file.
# Every step leaves build/windows/screenshots/journey-NN-step.png.
source "$(dirname "$0")/lib.sh"

APPS=$LAUNCHER/Apps
mkdir -p "$APPS"
cp "$SUPPORT/qd_launch_probe.exe" "$APPS/First.exe"
cp "$SUPPORT/qd_launch_probe.exe" "$APPS/Second.exe"
REPORT=$APPS/probe-out.txt
INI=$LAUNCHER/QuillDeck.ini
RCC=$LAUNCHER/QuillDeck.rcc

shots=0
# Saves the main window, or the dialog at the given place, as the next step.
snap() {
    printf -v name 'journey-%02d-%s.png' $((++shots)) "$1"
    if [[ -n ${2:-} ]]; then shoot_dialog "$name" "$2"; else shoot "$name"; fi
}

# Adds a program with the open dialog: Alt+A, its path typed, Return.
add_by_dialog() {
    key alt+a
    dialog=$(x_window '^Open$') || fail "Alt+A opened no open dialog"
    xdotool type --delay 20 "Z:$(tr / '\\' <<<"$1")"
    snap "$2" "$dialog"
    key Return
    gone '^Open$' || fail "Return left the open dialog open"
}

# Drops a program on the middle of the list, with the pointer there.
add_by_drop() {
    window_place
    local x=$((left + width / 2)) y=$((top + height / 2))
    xdotool mousemove "$x" "$y"
    shoot before-drop.png
    "$SUPPORT/qd_xdnd_drop" "$x" "$y" "$1" || fail "the launcher did not take the dropped file"
    sleep 0.5
    shoot after-drop.png
    same_picture "$SHOTS/before-drop.png" "$SHOTS/after-drop.png" && fail "the drop added no row"
    rm -f "$SHOTS"/{before,after}-drop.png
}

# Answers the message box with the given caption by Return, after its picture.
answer() {
    local box
    box=$(x_window "$1") || fail "$3"
    snap "$2" "$box"
    key Return
    gone "$1" || fail "Return left the box \"$1\" open"
}

# Checks the probe's report of the launch just made: program and current
# directory (in any letter case), arguments and show command.
check_launch() {
    local how=$1 program=$2 args=$3 show=$4 report
    report=$(probe_report "$APPS")
    [[ -n $report ]] || fail "$how started nothing"
    local self cwd expected
    self=$(sed -n 's/^self://p' <<<"$report")
    cwd=$(sed -n 's/^cwd://p' <<<"$report")
    expected="Z:$(tr / '\\' <<<"$APPS")"
    [[ ${self,,} == "$program" ]] || fail "$how started: $report"
    [[ $(sed -n 's/^args://p' <<<"$report") == "$args" ]] || fail "$how passed: $report"
    [[ ${cwd,,} == "${expected,,}" ]] || fail "$how ran in $cwd, not $expected"
    [[ $(sed -n 's/^show://p' <<<"$report") == "$show" ]] || fail "$how showed it as: $report"
    rm -f "$REPORT"
}

# --- From nothing to two items ----------------------------------------------
start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
# Loading a missing catalogue leaves an empty file; preferences wait for the close.
[[ ! -e $INI && -e $RCC && ! -s $RCC ]] || fail "the first start left: $(ls "$LAUNCHER")"
snap empty
add_by_dialog "$APPS/First.exe" open-dialog
add_by_drop "$APPS/Second.exe"
snap two-items

# --- Editing the first: title, options, window style (minimised) ------------
key Up
key alt+e
editor=$(x_window "Edit  item") || fail "Alt+E opened no editor"
# The icon list has the focus; the options field and the title come before it.
key shift+Tab
xdotool type --delay 20 -- '--journey "a b"'
key shift+Tab
xdotool type --delay 20 'Journey Tool'
key Tab Tab Tab Down
snap editor "$editor"
key Return
gone "Edit  item" || fail "Return left the editor open"
snap edited

# --- Three ways to launch it ------------------------------------------------
rm -f "$REPORT"
key Return
check_launch "Return" first.exe '[--journey][a b]' 2

window_place
rm -f "$REPORT"
xdotool mousemove $((left + width / 2)) "$(row_y 0)" click --repeat 2 --delay 80 1
check_launch "A double-click" first.exe '[--journey][a b]' 2

rm -f "$REPORT"
click_tray_icon 3
sleep 0.5
printf -v name 'journey-%02d-tray-menu.png' $((++shots))
shoot_tray_menu "$name"
# Restore, then the first item's entry.
key Down Down Return
check_launch "The tray entry" first.exe '[--journey][a b]' 2

# --- Hidden to the tray and back --------------------------------------------
key alt+m
remote wait-hidden 10000 || fail "Alt+M did not hide the window"
[[ $(remote count) -eq 1 ]] || fail "the launcher ended instead of hiding"
click_tray_icon --repeat 2 --delay 150 1
remote wait-window 10000 || fail "a double-click on the tray icon did not restore the window"
snap restored

# --- Closed: the catalogue and the preferences hold what was done -----------
window_place
key alt+x
remote wait-gone 10000 || fail "Alt+X did not end the launcher"
wait_launcher_exit
rows=$(catalogue dump "$RCC" | tr -d '\r' | sed 's/ icon .*//')
expected="Journey Tool|apps\\first.exe|first.exe|0|--journey \"a b\"|1|$(fingerprint "$APPS/First.exe")|0|
second.exe|apps\\second.exe|second.exe|0||0|$(fingerprint "$APPS/Second.exe")|0|"
[[ $rows == "$expected" ]] || fail "the catalogue holds:
$rows
expected:
$expected"
ini=$(tr -d '\r' <"$INI")
expected="[Preferences]
WindowHeight=$height
WindowWidth=$width
WindowLeft=$left
WindowTop=$top
SelectItem=0
SelectGroup=0"
[[ $ini == "$expected" ]] || fail "the preferences file holds:
$ini
expected:
$expected"

# Restarted, the first item launches with its saved options and style.
start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end after the restart"
snap restarted
rm -f "$REPORT"
key Return
check_launch "Return after the restart" first.exe '[--journey][a b]' 2
key alt+x
remote wait-gone 10000 || fail "Alt+X did not end the launcher"
wait_launcher_exit

# --- The first program changes on disk --------------------------------------
printf 'changed' >>"$APPS/First.exe"
start_launcher
answer '^Security error !$' security-error "a changed program gave no \"Security error !\""
remote wait-ready 20000 || fail "the start-up pass did not end"
snap disabled
red=$(red_in_first_row)
((red > 20)) || fail "the changed item is not drawn red ($red red pixels)"
rm -f "$REPORT"
key Return
answer '^Error$' refused "a disabled item was not refused"
sleep 0.5
[[ ! -e $REPORT ]] || fail "a disabled item was launched"

# Reset Security: the context menu's fourth entry for a disabled row, then OK.
key alt+s
key Down Down Down Down
printf -v name 'journey-%02d-reset-menu.png' $((++shots))
shoot "$name" 160 200
key Return
answer '^Error$' reset-question "Reset Security asked nothing"
sleep 0.3
red=$(red_in_first_row)
((red == 0)) || fail "the item is still drawn red after Reset Security ($red red pixels)"
snap reset
rm -f "$REPORT"
key Return
check_launch "Return after Reset Security" first.exe '[--journey][a b]' 2

# --- Both removed: the catalogue file goes at once --------------------------
key Delete
answer '^Warning$' remove-question "Delete asked nothing"
key Delete
answer '^Warning$' remove-last-question "the second Delete asked nothing"
[[ ! -e $RCC ]] || fail "the catalogue file is still there after the last removal"
snap removed
key alt+x
remote wait-gone 10000 || fail "Alt+X did not end the launcher"
wait_launcher_exit
[[ ! -e $RCC ]] || fail "closing wrote a catalogue of no items"

# --- Restricted mode: add, edit, launch, remove; no preferences file --------
rm -f "$INI"
start_launcher /s
remote wait-ready 20000 || fail "the start-up pass did not end in restricted mode"
add_by_dialog "$APPS/First.exe" restricted-open-dialog
add_by_drop "$APPS/Second.exe"
key Up
key alt+e
editor=$(x_window "Edit  item") || fail "Alt+E opened no editor in restricted mode"
key shift+Tab shift+Tab
xdotool type --delay 20 'Kept Tool'
snap restricted-editor "$editor"
key Return
gone "Edit  item" || fail "Return left the editor open"
rm -f "$REPORT"
key Return
check_launch "Return in restricted mode" first.exe '' 1
key Delete
answer '^Warning$' restricted-remove-question "Delete asked nothing in restricted mode"
snap restricted-removed
key alt+x
remote wait-gone 10000 || fail "Alt+X did not end the launcher"
wait_launcher_exit
[[ ! -e $INI ]] || fail "restricted mode wrote a preferences file"
rows=$(catalogue dump "$RCC" | tr -d '\r' | sed 's/ icon .*//')
expected="second.exe|apps\\second.exe|second.exe|0||0|$(fingerprint "$APPS/Second.exe")|0|"
[[ $rows == "$expected" ]] || fail "in restricted mode the catalogue holds:
$rows
expected:
$expected"
rm -f "$SHOTS/desktop.png"
echo "journey: ok ($shots screenshots in $SHOTS)"
