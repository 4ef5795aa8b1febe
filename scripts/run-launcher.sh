#!/usr/bin/env bash
# Starts the built launcher in a fresh launcher folder (build/run/). With a
# DISPLAY it opens there through Wine; without one it runs headless on Xvfb in
# Wine's virtual desktop, saves a screenshot and prints its path.
set -euo pipefail
BUILD_DIR=$(cd "${1:-build/windows}" && pwd)
RUN_DIR="$(dirname "$BUILD_DIR")/run"
rm -rf "$RUN_DIR"
mkdir -p "$RUN_DIR"
cp "$BUILD_DIR/bin/QuillDeck.exe" "$RUN_DIR/"

if [[ -n ${DISPLAY:-} ]]; then
    export WINEPREFIX="$BUILD_DIR/wineprefix-desktop" WINEDEBUG=-all
    echo "Starting $RUN_DIR/QuillDeck.exe on $DISPLAY"
    exec /usr/lib/wine/wine64 "$RUN_DIR/QuillDeck.exe"
fi

SHOT="$RUN_DIR/screenshot.png"
# A prefix of its own: a run by hand never leaves anything in the tests' prefix.
QD_WINEPREFIX="$BUILD_DIR/wineprefix-run" "$(dirname "$0")/wine-session.sh" "$BUILD_DIR" bash -c '
    set -euo pipefail
    /usr/lib/wine/wine64 "$1/QuillDeck.exe" >/dev/null 2>&1 &
    /usr/lib/wine/wine64 "$3/tests/support/qd_remote.exe" wait-window 20000
    sleep 1
    import -display "$DISPLAY" -window root "$2"
    /usr/lib/wine/wine64 "$3/tests/support/qd_remote.exe" exit
    wait
' _ "$RUN_DIR" "$SHOT" "$BUILD_DIR"
echo "Launcher ran headless in $RUN_DIR; screenshot: $SHOT"
