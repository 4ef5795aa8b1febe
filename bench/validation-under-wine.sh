#!/usr/bin/env bash
# Builds the Win32 start-up pass benchmark and runs it once under Wine: the
# pass over ITEMS items (CheckSafe off) against a bare loop of the same
# existence checks, a selection move with ITEMS items against 10, and the
# check a launch makes for a 1 MB and a 100 MB program. Prints the figures and
# their ratios.
#
#   bench/validation-under-wine.sh [ITEMS] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset windows >/dev/null
cmake --build build/windows -j1 --target qd_validation_bench >/dev/null
exec scripts/wine-session.sh build/windows /usr/lib/wine/wine64 \
    build/windows/bench/qd_validation_bench.exe "${1:-10000}" "${2:-5}"
