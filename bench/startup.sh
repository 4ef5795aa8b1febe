#!/usr/bin/env bash
# Start-up of the real launcher under Wine, in one warm Wine session, launcher
# folders alternating in every round, median of the rounds:
#   - empty, 1,000 and 10,000 items (integrity check off, every program there):
#     time until the window shows, and until the start-up pass is over and the
#     list is enabled; the working set once ready;
#   - 1,000 small programs with their real fingerprints, integrity check on
#     and off: the difference is what opening, digesting and closing costs
#     per program.
# Also prints the size of QuillDeck.exe.
#
#   bench/startup.sh [BUILD_DIR] [ROUNDS]     (default build/windows, 5)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$ROOT/build/windows}" && pwd)
ROUNDS=${2:-5}

if [[ -z ${QD_STARTUP_BENCH_SESSION:-} ]]; then
    QD_STARTUP_BENCH_SESSION=1 exec "$ROOT/scripts/wine-session.sh" "$BUILD_DIR" \
        bash "$0" "$BUILD_DIR" "$ROUNDS"
fi

WINE=/usr/lib/wine/wine64
SUPPORT=$BUILD_DIR/tests/support
EXE=$BUILD_DIR/bin/QuillDeck.exe
work=$(mktemp -d /tmp/qd-startup-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
remote() { $WINE "$SUPPORT/qd_remote.exe" "$@" | tr -d '\r'; }
now_ms() { local t=$EPOCHREALTIME; echo $((10#${t/./} / 1000)); }

# folder ITEMS CHECKSAFE: a launcher folder with ITEMS made-up items whose
# programs exist (their fingerprints are not real, so only with CheckSafe=0).
folder() {
    local dir=$work/$1 count=$2
    mkdir -p "$dir/tools"
    cp "$EXE" "$dir/"
    printf '[Preferences]\r\nCheckSafe=0\r\n' >"$dir/QuillDeck.ini"
    ((count > 0)) || return 0
    $WINE "$SUPPORT/qd_catalogue.exe" make "$dir/QuillDeck.rcc" "$count"
    (cd "$dir/tools" && seq -f 'item%g.exe' "$count" | xargs touch)
}
# programs NAME CHECKSAFE: 1,000 copies of a small program, fingerprinted.
programs() {
    local dir=$work/$1
    mkdir -p "$dir/tools"
    cp "$EXE" "$dir/"
    printf '[Preferences]\r\nCheckSafe=%s\r\n' "$2" >"$dir/QuillDeck.ini"
    for n in $(seq 1000); do cp "$SUPPORT/qd_sample_bare.exe" "$dir/tools/p$n.exe"; done
    (cd "$dir" && $WINE "$SUPPORT/qd_catalogue.exe" items QuillDeck.rcc \
        $(seq -f 'tools\p%g.exe' 1000))
}
folder empty 0
folder items1000 1000
folder items10000 10000
programs check-on 1
programs check-off 0
sets=(empty items1000 items10000 check-on check-off)

# One start: "WINDOW_MS READY_MS WORKING_SET_BYTES".
launch() {
    local start pid window ready memory
    start=$(now_ms)
    $WINE "$work/$1/QuillDeck.exe" >/dev/null 2>&1 &
    pid=$!
    remote wait-window 600000
    window=$(($(now_ms) - start))
    remote wait-ready 600000
    ready=$(($(now_ms) - start - 300)) # wait-ready waits 300 ms on a settled list
    memory=$(remote memory | cut -d' ' -f1)
    remote exit
    wait "$pid"
    echo "$window $ready $memory"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for round in $(seq "$ROUNDS"); do
    for set in "${sets[@]}"; do
        launch "$set" >>"$work/$set.txt"
    done
    echo "round $round of $ROUNDS done" >&2
done

declare -A window ready memory
for set in "${sets[@]}"; do
    window[$set]=$(cut -d' ' -f1 "$work/$set.txt" | median)
    ready[$set]=$(cut -d' ' -f2 "$work/$set.txt" | median)
    memory[$set]=$(cut -d' ' -f3 "$work/$set.txt" | median)
done
echo
echo "Start-up under Wine, median of $ROUNDS rounds (ms from process start):"
printf '%-36s %8s %8s %10s %10s\n' "" window ready "+ready" "working set"
for set in empty items1000 items10000; do
    printf '%-36s %8d %8d %+10d %8d KiB\n' "$set" "${window[$set]}" "${ready[$set]}" \
        $((${ready[$set]} - ${ready[empty]})) $((${memory[$set]} / 1024))
done
for set in check-on check-off; do
    printf '%-36s %8d %8d %+10d %8d KiB\n' "1,000 programs, integrity $set" "${window[$set]}" \
        "${ready[$set]}" $((${ready[$set]} - ${ready[empty]})) $((${memory[$set]} / 1024))
done
# Taken within each round, so that a slower round weighs on both sides; ms
# over 1,000 programs are us per program.
per_file=$(paste -d' ' "$work/check-on.txt" "$work/check-off.txt" | awk '{ print $2 - $5 }' | median)
echo "integrity check per program (open, digest, close): $per_file us" \
    "(program size $(stat -c %s "$SUPPORT/qd_sample_bare.exe") bytes)"
echo "QuillDeck.exe: $(stat -c %s "$EXE") bytes"
