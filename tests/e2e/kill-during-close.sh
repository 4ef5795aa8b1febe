#!/usr/bin/env bash
# A kill at any moment of the close (a crash, a pulled stick, a power cut)
# leaves the catalogue and the preferences file whole: each is the old file or
# the new one, never an empty or torn one. The launcher is killed as soon as
# the preferences file shrinks (what a file truncated and written again in
# place shows), then at moments spread over the whole close.
source "$(dirname "$0")/lib.sh"

rows=300
mkdir -p "$LAUNCHER/tools"
for n in $(seq "$rows"); do echo "program $n" >"$LAUNCHER/tools/item$n.exe"; done
catalogue make "$LAUNCHER/original.rcc" "$rows" 3
printf '[Preferences]\r\nCheckSafe=0\r\nGroups=3\r\n2=Tools\r\n3=Games\r\nSelectItem=4\r\n' \
    >"$LAUNCHER/original.ini"
expected_rows=$(catalogue dump "$LAUNCHER/original.rcc")

# Watches the launcher from before the close is asked for and kills it when
# the preferences file shrinks or vanishes, or after DELAY milliseconds when
# one is given. Prints "killed N" or "ended N" (milliseconds since it began
# watching); touches the file "watching" once it watches.
watch_and_kill() {
    python3 - "$launcher_pid" "$LAUNCHER/QuillDeck.ini" "$LAUNCHER/watching" "${1:-}" <<'PY'
import os, signal, sys, time
pid, ini, ready, delay = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]

def alive():  # an ended child stays a zombie until the shell waits for it
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:  # gone, or going while it was read
        return False

def shrunk():
    try:
        return os.stat(ini).st_size < size
    except FileNotFoundError:
        return True

size = os.stat(ini).st_size
open(ready, "w").close()
start = time.monotonic()
elapsed = lambda: (time.monotonic() - start) * 1000
while alive() and not (elapsed() >= float(delay) if delay else shrunk()):
    pass
try:
    if not alive():
        raise ProcessLookupError
    os.kill(pid, signal.SIGKILL)
    print("killed %.0f" % elapsed())
except ProcessLookupError:
    print("ended %.0f" % elapsed())
PY
}

check_files() {
    local ini=$LAUNCHER/QuillDeck.ini
    [[ -s $ini ]] || fail "$1: the preferences file is empty or gone"
    for line in CheckSafe=0 Groups=3 2=Tools 3=Games; do
        tr -d '\r' <"$ini" | grep -qx "$line" || fail "$1: the preferences file lost $line: $(cat -v "$ini")"
    done
    [[ $(catalogue dump "$LAUNCHER/QuillDeck.rcc") == "$expected_rows" ]] ||
        fail "$1: the catalogue is not the list it held"
}

# One round: a fresh pair of files, the launcher started and asked to exit
# while the watcher runs; prints the watcher's verdict.
round() {
    rm -f "$LAUNCHER"/QuillDeck.ini* "$LAUNCHER"/QuillDeck.rcc* "$LAUNCHER/watching"
    cp "$LAUNCHER/original.ini" "$LAUNCHER/QuillDeck.ini"
    cp "$LAUNCHER/original.rcc" "$LAUNCHER/QuillDeck.rcc"
    start_launcher
    remote wait-ready 20000 || fail "the list did not settle"
    watch_and_kill "$1" >"$LAUNCHER/verdict" &
    local watcher=$!
    for _ in $(seq 100); do [[ -e $LAUNCHER/watching ]] && break; sleep 0.02; done
    remote exit || true
    wait "$watcher"
    { wait "$launcher_pid"; } 2>/dev/null || true
    remote wait-gone 5000 || true
    check_files "kill at ${1:-the first shrink} ($(cat "$LAUNCHER/verdict") ms)"
    cat "$LAUNCHER/verdict"
}

read -r _ whole < <(round "")
round "" >/dev/null
# The whole close, from the watcher's start, took $whole ms: kill at ten
# moments across it.
for tenth in 1 2 3 4 5 6 7 8 9 10; do
    round $((whole * tenth / 10)) >/dev/null
done
echo "kill during close: both files whole at every kill over a close of $whole ms"
