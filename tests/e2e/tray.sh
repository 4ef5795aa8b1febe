#!/usr/bin/env bash
# The real launcher in Wine's desktop: its icon sits in the notification area
# while it runs, a click on it while the About box is open brings the box
# forward, the caption's close hides it there, a double-click on the icon
# brings it back, "E&xit" of the icon's menu ends it, and the icon goes.
source "$(dirname "$0")/lib.sh"

# The notification area's corner of the taskbar, around the icon.
tray_area() {
    import -display "$DISPLAY" -window root -crop 24x20+1001+748 +repage "$1"
}
tray_area "$LAUNCHER/before.png"

# Three items, so the menu's picture shows their entries between the separators.
catalogue make "$LAUNCHER/QuillDeck.rcc" 3
mkdir -p "$LAUNCHER/tools"
for n in 1 2 3; do echo "program $n" >"$LAUNCHER/tools/item$n.exe"; done
printf '[Preferences]\r\nCheckSafe=0\r\n' >"$LAUNCHER/QuillDeck.ini"

start_launcher
sleep 0.5
tray_area "$LAUNCHER/running.png"
cmp -s "$LAUNCHER/before.png" "$LAUNCHER/running.png" && fail "no icon in the notification area"

# With the About box open, the icon brings the box forward instead of opening
# its menu over it: Escape then closes the box.
remote wait-focused 10000 || fail "the list did not get the keyboard"
xdotool key alt+b
x_window "Quill'Deck \\(v" >/dev/null || fail "Alt+B opened no About box"
click_tray_icon 3
xdotool key Escape
for _ in $(seq 50); do gone "Quill'Deck \\(v" && break; sleep 0.1; done
gone "Quill'Deck \\(v" || fail "after a click on the icon, Escape did not close the About box"
remote wait-no-menu 2000 || fail "the icon's menu stayed open"

# Without CaptionClose the caption's close hides the program to the tray.
remote close
remote wait-hidden 10000 || fail "the caption's close did not hide the window"
[[ $(remote count) -eq 1 ]] || fail "the program ended instead of hiding"

# A double-click at an ordinary pace: the first press does not open the menu
# in its way.
click_tray_icon --repeat 2 --delay 150 1
remote wait-window 10000 || fail "a double-click on the icon did not restore the window"

# The icon's menu opens on a right press; its "E&xit" ends the program.
click_tray_icon 3
sleep 0.5
shoot_tray_menu tray-menu.png
xdotool key x
remote wait-gone 10000 || fail "E&xit of the tray menu did not end the program"
wait_launcher_exit

sleep 0.5
tray_area "$LAUNCHER/after.png"
cmp -s "$LAUNCHER/before.png" "$LAUNCHER/after.png" || fail "the icon stayed after the program ended"
echo "tray: ok"
