#!/usr/bin/env bash
# A second copy ends at once with exit code 0, shows no window and touches no
# file, while the first runs on.
source "$(dirname "$0")/lib.sh"

start_launcher
listing=$(ls -l --time-style=full-iso "$LAUNCHER")
status=0
timeout 20 $WINE "$LAUNCHER/QuillDeck.exe" >/dev/null 2>&1 || status=$?
[[ $status -eq 0 ]] || fail "second copy ended with $status"
[[ $(remote count) -eq 1 ]] || fail "expected one main window, found $(remote count)"
[[ $(ls -l --time-style=full-iso "$LAUNCHER") == "$listing" ]] || fail "second copy touched files"

remote exit
wait_launcher_exit
echo "single instance: ok"
