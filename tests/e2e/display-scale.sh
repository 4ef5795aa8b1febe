#!/usr/bin/env bash
# The real launcher at 100% and at 150% display scale (the prefix's LogPixels
# at 96, then 144). At 150% every design size is half as large again: the
# client area, the toolbar's buttons, the list's place and its rows. The two
# screenshots, side by side, are kept as launcher-scales.png.
source "$(dirname "$0")/lib.sh"

set_scale() {
    $WINE reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
# The prefix is shared with the other tests: it goes back to the system's
# default scale however this script ends (scripts/wine-session.sh also sees
# to it, should the script be killed).
trap '$WINE reg delete "HKCU\Control Panel\Desktop" /v LogPixels /f >/dev/null 2>&1; finish' EXIT

mkdir -p "$LAUNCHER/Apps"
cp "$SUPPORT/qd_sample_many_icons.exe" "$LAUNCHER/Apps/Quadrants.exe"
cp "$EXE" "$LAUNCHER/Apps/Deck.exe"
cp "$SUPPORT/qd_sample_bare.exe" "$LAUNCHER/Apps/Bare.exe"
catalogue items "$LAUNCHER/QuillDeck.rcc" Apps/Quadrants.exe Apps/Deck.exe Apps/Bare.exe ||
    fail "cannot make the catalogue"

# A design length at a scale, rounded half up as the launcher rounds it.
scaled() { echo $((($1 * $2 + 48) / 96)); }
near() { (($1 - $2 <= 1 && $2 - $1 <= 1)); }

# Checks the layout the launcher shows against its design at a scale.
check_layout() {
    local dpi=$1 layout buttons expected i
    layout=$(remote layout)
    read -r _ width height client_x client_y < <(grep '^client ' <<<"$layout")
    near "$width" "$(scaled 158 "$dpi")" && near "$height" "$(scaled 220 "$dpi")" ||
        fail "at $dpi DPI the client area is ${width}x$height"
    # The toolbar's buttons, left to right: left, top, width, height.
    mapfile -t buttons < <(grep '^TSpeedButton ' <<<"$layout" | sort -k2 -n)
    expected=("5 2 22 21" "28 2 22 21" "57 2 22 21" "85 2 22 21" "108 2 13 21" "128 2 22 21")
    ((${#buttons[@]} == 6)) || fail "at $dpi DPI there are ${#buttons[@]} toolbar buttons"
    for i in "${!expected[@]}"; do
        read -r _ l t w h <<<"${buttons[i]}"
        read -r el et ew eh <<<"${expected[i]}"
        for pair in "$l $el" "$t $et" "$w $ew" "$h $eh"; do
            read -r got design <<<"$pair"
            near "$got" "$(scaled "$design" "$dpi")" ||
                fail "at $dpi DPI button $i is at '$l $t $w $h', designed '${expected[i]}'"
        done
    done
    read -r _ l t w h < <(grep '^TStringGrid ' <<<"$layout")
    near "$t" "$(scaled 24 "$dpi")" || fail "at $dpi DPI the list starts at $t"
    list_top=$t
}

# The first row's icon as drawn, cut from the screen: at 100% the stored
# 21-pixel image, above it the program's own icon at the display's size.
check_icon() {
    local dpi=$1 size left top
    size=$(scaled 21 "$dpi")
    left=$((client_x + $(scaled 7 "$dpi")))
    top=$((client_y + list_top + $(scaled 3 "$dpi")))
    convert "$SHOTS/desktop.png" -crop "${size}x$size+$left+$top" +repage "$SHOTS/icon-$dpi.png"
    # The program's 32-pixel image over the selection's yellow: every pixel
    # the same, where an image grown from 21 pixels moves the seams.
    convert -size 32x32 xc:yellow "$(dirname "$0")/../support/samples/quadrants.ico" -composite "$SHOTS/icon-own.png"
    if ((dpi == 144)); then
        same_picture "$SHOTS/icon-144.png" "$SHOTS/icon-own.png" ||
            fail "the icon at 144 DPI is not the program's own 32-pixel icon"
    fi
}

run_at() {
    local dpi=$1
    set_scale "$dpi"
    start_launcher
    remote wait-ready 20000 || fail "the start-up pass did not end"
    check_layout "$dpi"
    shoot "launcher-$dpi.png" 20 20
    check_icon "$dpi"
    remote exit
    wait_launcher_exit
    rm -f "$LAUNCHER/QuillDeck.ini"
}

run_at 96
run_at 144
convert "$SHOTS/launcher-96.png" "$SHOTS/launcher-144.png" -background '#3a6ea5' -gravity north \
    +append "$SHOTS/launcher-scales.png"
echo "display scale: ok"
