# Shared by the end-to-end tests. They run inside scripts/wine-session.sh, so
# WINEPREFIX and DISPLAY are set. Arguments: QuillDeck.exe, the support folder.
set -euo pipefail
WINE=/usr/lib/wine/wine64
EXE=$1
SUPPORT=$2
LAUNCHER=$(mktemp -d /tmp/qd-e2e.XXXXXX)
cp "$EXE" "$LAUNCHER/QuillDeck.exe"
pids=()
finish() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$LAUNCHER"
}
trap finish EXIT

# Screenshots are kept as test artefacts in build/windows/screenshots/;
# scripts/update-screenshots.sh copies them into docs/.
SHOTS="$(dirname "$SUPPORT")/../screenshots"
mkdir -p "$SHOTS"

remote() { $WINE "$SUPPORT/qd_remote.exe" "$@" | tr -d "\r"; }
catalogue() { $WINE "$SUPPORT/qd_catalogue.exe" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the launcher in the background; its pid is in $launcher_pid.
start_launcher() {
    $WINE "$LAUNCHER/QuillDeck.exe" "$@" >/dev/null 2>&1 &
    launcher_pid=$!
    pids+=("$launcher_pid")
    remote wait-window 20000 || fail "the main window did not appear"
}

# The launcher over one item, first.exe (the launch probe), started and
# ready with the keyboard on its list.
start_with_one_item() {
    cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/first.exe"
    catalogue items "$LAUNCHER/QuillDeck.rcc" first.exe || fail "cannot make the catalogue"
    start_launcher
    remote wait-ready 20000 || fail "the start-up pass did not end"
    remote wait-focused 10000 || fail "the list did not get the keyboard"
}

# Waits for the launch probe's report in a folder (the launcher folder when
# none is named) and prints it without carriage returns ("" when none came).
probe_report() {
    local report=${1:-$LAUNCHER}/probe-out.txt
    for _ in $(seq 100); do [[ -e $report ]] && break; sleep 0.1; done
    [[ -e $report ]] && tr -d '\r' <"$report"
    return 0
}

# Waits for the launch probe's report in the launcher folder and prints the
# name of the program that wrote it ("" when none came).
started_program() { probe_report | sed -n 's/^self://p'; }

# Fails unless the launch probe in the launcher folder reports that the act
# named (its report deleted before it) started the program: expect_started
# PROGRAM "ACT".
expect_started() {
    local started
    started=$(started_program)
    [[ -n $started ]] || fail "$2 started nothing"
    [[ $started == "$1" ]] || fail "$2 started $started, not $1"
}

# Waits for the launcher started last to end; fails on a non-zero exit code.
wait_launcher_exit() {
    local status=0
    wait "$launcher_pid" || status=$?
    [[ $status -eq 0 ]] || fail "the launcher ended with exit code $status"
}

# Keys go to the window under the pointer: Wine's desktop fills the screen.
key() { xdotool key --delay 50 "$@"; sleep 0.5; }

# Whether two pictures have the same pixels (the files also hold their times).
same_picture() { [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]; }

# Saves the desktop cropped to the main window, with room on the right and
# below for what opens beside it (menus): shoot FILE [EXTRA_WIDTH EXTRA_HEIGHT].
shoot() {
    local left top width height
    read -r left top width height < <(remote rect)
    import -display "$DISPLAY" -window root "$SHOTS/desktop.png"
    convert "$SHOTS/desktop.png" -crop "$((width + ${2:-120}))x$((height + ${3:-20}))+$((left - 10))+$((top - 10))" \
        +repage "$SHOTS/$1"
}

# The X window whose name matches a pattern and is wider than a few pixels,
# as "left top width height"; fails when none comes within five seconds.
x_window() {
    local id info
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            info=$(xwininfo -id "$id")
            if (($(awk '/Width:/ { print $2 }' <<<"$info") > 50)); then
                awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
                     /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }' <<<"$info"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
# The notification area's icon, in the taskbar's corner of the 1024 x 768
# desktop: click_tray_icon takes xdotool's click arguments; shoot_tray_menu
# FILE saves the icon's menu, which opens above it.
click_tray_icon() { xdotool mousemove 1013 757 click "$@"; }
shoot_tray_menu() {
    import -display "$DISPLAY" -window root "$SHOTS/desktop.png"
    convert "$SHOTS/desktop.png" -crop 200x220+824+548 +repage "$SHOTS/$1"
}

# The main window's place; a row's middle is 58 + 26 * row pixels below its top.
window_place() { read -r left top width height < <(remote rect); }
row_y() { echo $((top + 58 + 26 * $1)); }

# Red pixels in row 0 of the list, from a fresh capture of the screen.
red_in_first_row() {
    window_place
    import -display "$DISPLAY" -window root "$SHOTS/desktop.png"
    convert "$SHOTS/desktop.png" -crop "$((width - 20))x20+$((left + 10))+$(($(row_y 0) - 10))" +repage \
        -fuzz 20% -fill black +opaque red -fill white -opaque red -format '%[fx:round(mean*w*h)]' info:
}

gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Saves the desktop cropped to a dialog with a margin around it:
# shoot_dialog FILE "LEFT TOP WIDTH HEIGHT".
shoot_dialog() {
    local left top width height
    read -r left top width height <<<"$2"
    import -display "$DISPLAY" -window root "$SHOTS/desktop.png"
    convert "$SHOTS/desktop.png" -crop "$((width + 20))x$((height + 20))+$((left - 10))+$((top - 10))" \
        +repage "$SHOTS/$1"
}

# The item fingerprint of a file, computed apart from the program: the
# upper-case hex SHA-1 with every character XOR 0x5A, then XOR 0x46.
fingerprint() {
    local hex out="" code char i
    hex=$(sha1sum "$1" | cut -d' ' -f1 | tr a-f A-F)
    for ((i = 0; i < ${#hex}; i++)); do
        printf -v code '%d' "'${hex:i:1}"
        printf -v char "\\x$(printf '%x' $((code ^ 0x5A ^ 0x46)))"
        out+=$char
    done
    printf '%s' "$out"
}
