#!/usr/bin/env bash
# Start-up of the real launcher under Wine against the floor: the smallest
# Win32 program that creates and shows a window of the launcher's size and
# style (bench/MinimalWindow.cpp). In one warm Wine session, every round
# starts each program in turn; a timing program inside Wine measures from its
# CreateProcess until a visible window whose item list takes input (after the
# start-up pass), and the working set then. Prints the medians and the ratios
# to the floor:
#   - the floor; the launcher empty, with 1,000 and 10,000 items (integrity
#     check off, every program there);
#   - 1,000 small programs with their real fingerprints, integrity check on
#     and off: the difference is what opening, digesting and closing costs.
#
#   bench/startup.sh [BUILD_DIR] [ROUNDS]     (default build/windows, 7)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(cd "${1:-$ROOT/build/windows}" && pwd)
ROUNDS=${2:-7}

if [[ -z ${QD_STARTUP_BENCH_SESSION:-} ]]; then
    QD_STARTUP_BENCH_SESSION=1 exec "$ROOT/scripts/wine-session.sh" "$BUILD_DIR" \
        bash "$0" "$BUILD_DIR" "$ROUNDS"
fi

WINE=/usr/lib/wine/wine64
SUPPORT=$BUILD_DIR/tests/support
EXE=$BUILD_DIR/bin/QuillDeck.exe
TIMER=$BUILD_DIR/bench/qd_startup_timer.exe
work=$(mktemp -d /tmp/qd-startup-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# folder NAME ITEMS: a launcher folder with ITEMS made-up items whose programs
# exist (their fingerprints are not real, so only with CheckSafe=0).
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
mkdir -p "$work/floor"
cp "$BUILD_DIR/bench/qd_minimal_window.exe" "$work/floor/QuillDeck.exe"
folder empty 0
folder items1000 1000
folder items10000 10000
programs check-on 1
programs check-off 0
sets=(floor empty items1000 items10000 check-on check-off)

# One start: "READY_MS WORKING_SET_BYTES".
launch() { $WINE "$TIMER" "$(winepath -w "$work/$1/QuillDeck.exe")" | tr -d '\r'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
spread() { sort -g | awk '{ v[NR] = $1 } END { printf "%s-%s", v[1], v[NR] }'; }

launch floor >/dev/null # the first start of a session pays for loading Wine's DLLs
for round in $(seq "$ROUNDS"); do
    for set in "${sets[@]}"; do
        launch "$set" >>"$work/$set.txt"
    done
    echo "round $round of $ROUNDS done" >&2
done

declare -A ready memory range
for set in "${sets[@]}"; do
    ready[$set]=$(cut -d' ' -f1 "$work/$set.txt" | median)
    range[$set]=$(cut -d' ' -f1 "$work/$set.txt" | spread)
    memory[$set]=$(cut -d' ' -f2 "$work/$set.txt" | median)
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }
name() {
    case $1 in
    floor) echo "smallest window program (floor)" ;;
    empty) echo "launcher, empty list" ;;
    items1000) echo "launcher, 1,000 items" ;;
    items10000) echo "launcher, 10,000 items" ;;
    check-on) echo "1,000 programs, integrity check on" ;;
    check-off) echo "1,000 programs, integrity check off" ;;
    esac
}
echo
echo "Start-up under Wine, CreateProcess to a window that takes input; median of $ROUNDS rounds:"
printf '%-38s %9s %13s %7s %12s %7s\n' "" "ready ms" "spread" "ratio" "working set" "ratio"
for set in "${sets[@]}"; do
    printf '%-38s %9.1f %13s %7.2f %8d KiB %7.2f\n' "$(name "$set")" "${ready[$set]}" \
        "${range[$set]}" "$(ratio "${ready[$set]}" "${ready[floor]}")" \
        $((${memory[$set]} / 1024)) "$(ratio "${memory[$set]}" "${memory[floor]}")"
done
# Taken within each round, so that a slower round weighs on both sides; ms
# over 1,000 programs are us per program.
per_file=$(paste -d' ' "$work/check-on.txt" "$work/check-off.txt" | awk '{ print $1 - $3 }' | median)
echo "integrity check per program (open, digest, close): $per_file us" \
    "(program size $(stat -c %s "$SUPPORT/qd_sample_bare.exe") bytes)"
echo "QuillDeck.exe: $(stat -c %s "$EXE") bytes"
