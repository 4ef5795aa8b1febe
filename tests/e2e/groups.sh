#!/usr/bin/env bash
# The real launcher with two groups, the second selected, over items of the
# groups 0, 1 and 2: the close writes exactly the placement and selection keys
# beside the ones already there, and the selected group survives a restart.
# The second run drives the options panel and the group menu by keys; the
# screenshots of both are kept in build/windows/screenshots/.
source "$(dirname "$0")/lib.sh"
INI=$LAUNCHER/QuillDeck.ini

catalogue make "$LAUNCHER/QuillDeck.rcc" 3 3
mkdir -p "$LAUNCHER/tools"
for n in 1 2 3; do echo "program $n" >"$LAUNCHER/tools/item$n.exe"; done
printf '[Preferences]\r\nCheckSafe=0\r\nGroups=3\r\n2=Games\r\n3=Tools\r\nSelectGroup=2\r\n' >"$INI"

value() { sed -n "s/^$1=//p" "$INI" | tr -d '\r'; }
keys() { sed -n 's/=.*//p' "$INI" | tr -d '\r' | sort | tr '\n' ' '; }

start_launcher
remote exit
wait_launcher_exit
[[ $(grep -c '^\[' "$INI") -eq 1 ]] || fail "more than one section: $(cat "$INI")"
[[ $(keys) == "2 3 CheckSafe Groups SelectGroup SelectItem WindowHeight WindowLeft WindowTop WindowWidth " ]] ||
    fail "keys after the first close: $(keys)"
[[ $(value SelectGroup) == 2 ]] || fail "SelectGroup=$(value SelectGroup) after the first close"

start_launcher
sleep 0.5
key alt+o
shoot options-panel.png
# Enter applies the panel: the panel reads CaptionClose as true when it opens.
key Return
[[ $(value CaptionClose) == 1 ]] || fail "the panel was not applied by keys: $(cat "$INI")"
key alt+g
shoot group-menu.png
key Escape
remote exit
wait_launcher_exit
[[ $(keys) == "2 3 CaptionClose CheckSafe ConfirmDelete Groups KeepDeleted SelectGroup SelectItem StartMinimized WindowHeight WindowLeft WindowTop WindowWidth " ]] ||
    fail "keys after the second close: $(keys)"
[[ $(value SelectGroup) == 2 ]] || fail "SelectGroup=$(value SelectGroup) after the restart"
[[ $(value CheckSafe) == 0 ]] || fail "CheckSafe=$(value CheckSafe): the panel lost the stored flag"
echo "groups: ok ($SHOTS/options-panel.png, $SHOTS/group-menu.png)"
