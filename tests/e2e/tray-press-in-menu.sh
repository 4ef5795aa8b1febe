#!/usr/bin/env bash
# A click on the tray icon opens its menu once the double-click time has
# passed. If another menu opens meanwhile (the system menu by its keys), the
# tray menu stays shut: a menu opened inside another menu's loop could be
# left open over the window, with nothing able to close it.
source "$(dirname "$0")/lib.sh"

start_with_one_item

click_tray_icon 1
xdotool key alt+space
remote wait-menu 5000 || fail "Alt+Space opened no menu"
sleep 1 # past the double-click time
[[ $(remote menus) == 1 ]] || fail "$(remote menus) menus open after the tray press and Alt+Space"
xdotool key Escape
remote wait-no-menu 5000 || fail "Escape left a menu open"

remote exit
wait_launcher_exit
echo "tray press in a menu: ok"
