#!/usr/bin/env bash
# A wheel turn in an open menu is the menu's own: Escape still closes the
# menu, and the keys after it reach the list. The main menu (the group menu
# opens the same way), the system menu and the tray icon's menu.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/alpha.exe"
cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/beta.exe"
catalogue items "$LAUNCHER/QuillDeck.rcc" alpha.exe beta.exe || fail "cannot make the catalogue"
start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
read -r left top _ < <(remote rect)
list_x=$((left + 40)) first_row_y=$((top + 60))

# The selected row's index, as a screen reader reads the list.
selected() { remote items | awk '/ \*$/ { print NR - 2 }'; }

for menu in main system tray; do
    # The first row current, the pointer over the list.
    xdotool mousemove $list_x $first_row_y click 1
    case $menu in
    main) xdotool key alt+s ;;
    system) xdotool key alt+space ;;
    tray) click_tray_icon 3 ;;
    esac
    remote wait-menu 5000 || fail "$menu: the menu did not open"
    xdotool mousemove $list_x $first_row_y click 5
    # The second Escape leaves the system menu's keyboard mode; elsewhere
    # the list ignores it.
    xdotool key Escape
    remote wait-no-menu 5000 || fail "$menu: Escape did not close the menu after a wheel turn"
    xdotool key Escape
    remote wait-focused 5000 || fail "$menu: the list did not get the focus back"
    xdotool key Down
    for _ in $(seq 20); do [[ $(selected) == 1 ]] && break; sleep 0.1; done
    [[ $(selected) == 1 ]] || fail "$menu: Down after the menu did not reach the list"
done

remote exit
remote wait-gone 10000 || fail "the launcher did not end"
wait_launcher_exit
echo "wheel in menus: ok"
