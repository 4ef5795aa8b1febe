#!/usr/bin/env bash
# The launcher imports only DLLs the system always takes from its own folder,
# keeps ASLR, high-entropy ASLR, DEP and its relocations, and loads none of the
# DLLs placed beside it under system names.
source "$(dirname "$0")/lib.sh"

headers=$(x86_64-w64-mingw32-objdump -p "$EXE")
imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers" | sort | tr '\n' ' ')
allowed=" comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll advapi32.dll "
for dll in $imports; do
    [[ $allowed == *" $dll "* ]] || fail "imports $dll, which Windows may take from the launcher's folder"
done
flags=$((16#$(awk '/DllCharacteristics/ { print $2 }' <<<"$headers")))
for flag in 0x20:high-entropy-ASLR 0x40:ASLR 0x100:DEP; do
    ((flags & ${flag%%:*})) || fail "${flag#*:} is off (DllCharacteristics $flags)"
done
x86_64-w64-mingw32-objdump -h "$EXE" | grep -q '\.reloc' || fail "no relocations"

# Marker DLLs beside the launcher under the names of DLLs it or the system
# might look for.
for name in version msimg32 shcore uxtheme dwmapi winmm cryptbase; do
    cp "$SUPPORT/qd_marker.dll" "$LAUNCHER/$name.dll"
done
start_launcher
remote exit
wait_launcher_exit
loaded=$(ls "$LAUNCHER"/*.loaded 2>/dev/null || true)
[[ -z $loaded ]] || fail "loaded from the launcher's folder: $loaded"
echo "system DLLs only: ok"
