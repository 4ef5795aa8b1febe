#!/usr/bin/env bash
# A screen reader in another process reads the item list through the
# launcher's accessible object: a list (role 33) with one child per item,
# named by its title, the current one selected; the system's accessibility
# DLLs come from the system folder, never from beside the launcher.
source "$(dirname "$0")/lib.sh"

cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/first.exe"
cp "$SUPPORT/qd_launch_probe.exe" "$LAUNCHER/second.exe"
printf '[Preferences]\r\nCheckSafe=1\r\n' >"$LAUNCHER/QuillDeck.ini"
catalogue items "$LAUNCHER/QuillDeck.rcc" first.exe second.exe || fail "cannot make the catalogue"
for name in oleacc oleaut32 ole32; do
    cp "$SUPPORT/qd_marker.dll" "$LAUNCHER/$name.dll"
done

# Wine runs its own code for a DLL it ships even when the file it found is the
# one beside the launcher: preferring the file makes such a load show. Only
# for oleacc: Windows takes ole32 and oleaut32, known DLLs, from the system
# folder whatever the search order.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;oleacc=n,b" start_launcher
remote wait-ready 20000 || fail "the start-up pass did not end"
xdotool key Down
sleep 0.3
seen=$(remote items) || fail "the list answered no screen reader"
expected=$'role 33\nfirst.exe\nsecond.exe *'
[[ $seen == "$expected" ]] || fail "a screen reader read: $seen"

remote exit
wait_launcher_exit
loaded=$(ls "$LAUNCHER"/*.loaded 2>/dev/null || true)
[[ -z $loaded ]] || fail "loaded from the launcher's folder: $loaded"
echo "screen reader: ok"
