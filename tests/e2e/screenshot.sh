#!/usr/bin/env bash
# The launcher with five items, the third one disabled, under Wine's desktop:
# the current row is drawn on yellow and the disabled title in red. The
# screenshot is kept as build/windows/screenshots/launcher.png.
source "$(dirname "$0")/lib.sh"

catalogue make "$LAUNCHER/QuillDeck.rcc" 5
mkdir -p "$LAUNCHER/tools"
for n in 1 2 3 4 5; do echo "program $n" >"$LAUNCHER/tools/item$n.exe"; done
printf '[Preferences]\r\nCheckSafe=0\r\nSelectItem=1\r\n' >"$LAUNCHER/QuillDeck.ini"

start_launcher
sleep 1
import -display "$DISPLAY" -window root "$SHOTS/desktop.png"
remote exit
wait_launcher_exit

# Crop to the window: Wine's desktop puts it where the preferences left it.
convert "$SHOTS/desktop.png" -crop 200x290+300+112 +repage "$SHOTS/launcher.png"
colours=$(convert "$SHOTS/launcher.png" -format %c histogram:info:-)
grep -qi '#FFFF00' <<<"$colours" || fail "no yellow selection band"
grep -qi '#FF0000' <<<"$colours" || fail "no red text for the disabled item"
echo "screenshot: ok ($SHOTS/launcher.png)"
