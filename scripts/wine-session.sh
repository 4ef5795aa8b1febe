#!/usr/bin/env bash
# Runs a command inside one warm Wine session: its own Xvfb display, one prefix
# with a virtual desktop and fonts, a persistent wineserver and a small program
# that keeps the desktop alive. Everything started here is ended by pid.
#
#   scripts/wine-session.sh BUILD_DIR COMMAND [ARGS...]
#
# BUILD_DIR is the windows build: its wineprefix/ (or QD_WINEPREFIX, when set)
# is made once and reused, and its tests/support/qd_keeper.exe keeps the
# desktop up. The prefix's temporary folder is emptied at every start, so no
# test can read what an earlier run left there.
set -euo pipefail

BUILD_DIR=$(cd "$1" && pwd)
shift

export WINEPREFIX="${QD_WINEPREFIX:-$BUILD_DIR/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64

xvfb_pid=""
keeper_pid=""
cleanup() {
    # The keeper goes first: one still connecting to the server would outlive
    # -k and keep the persistent server, and -w, waiting for ever.
    if [[ -n $keeper_pid ]]; then kill "$keeper_pid" 2>/dev/null || true; fi
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -f "$display_file"
}
display_file=$(mktemp)
trap cleanup EXIT
trap "exit 143" INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $display_file ]] && break
    sleep 0.05
done
[[ -s $display_file ]] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
for _ in $(seq 100); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
    sleep 0.05
done
xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 || { echo "wine-session: $DISPLAY does not answer" >&2; exit 1; }

if [[ ! -f $WINEPREFIX/.qd-ready ]]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Without a virtual desktop windows get no caption and every hide or
    # dismissal stalls about two seconds.
    $WINE reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    $WINE reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -k || true
    wineserver -w || true
    # fonts-wine is not scanned on its own: Marlett and Tahoma must be in the prefix.
    ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    touch "$WINEPREFIX/.qd-ready"
fi

rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp/* "$WINEPREFIX"/drive_c/users/*/Temp/*

# A persistent server and a warm desktop: services started by the first Wine
# process inherit its stdio, so they must not be started by a test under ctest.
wineserver -p
$WINE wineboot >/dev/null 2>&1 </dev/null
# A display-scale test sets the prefix's scale and puts it back when it ends;
# one that was killed first must not leave the next session at another scale.
scale_set() {
    awk '/^\[/ { desktop = ($0 ~ /^\[Control Panel\\\\Desktop\]/) }
         desktop && /^"LogPixels"/ { found = 1 } END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null
}
if scale_set; then
    $WINE reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 </dev/null || true
fi
keeper="$BUILD_DIR/tests/support/qd_keeper.exe"
if [[ -f $keeper ]]; then
    $WINE "$keeper" >/dev/null 2>&1 </dev/null &
    keeper_pid=$!
fi

set +e
"$@"
status=$?
set -e
exit $status
