#!/usr/bin/env bash
# Builds everything and runs every test layer: the core natively with ASan and
# UBSan, the core and the Windows program under Wine (in-process UI tests and
# end-to-end runs of QuillDeck.exe), and a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-45}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

step() { printf '\n== %s\n' "$*"; }

step "native core tests (ASan, UBSan)"
make --no-print-directory test-native JOBS="$JOBS" | tee -a "$log"

step "Windows build and tests under Wine"
make --no-print-directory test-wine JOBS="$JOBS" | tee -a "$log"

step "fuzzing the catalogue reader and the preferences values for ${FUZZ_SECONDS}s"
make --no-print-directory test-fuzz JOBS="$JOBS" FUZZ_SECONDS="$FUZZ_SECONDS"

# ctest entries of both runs, and the fuzz run as one more.
passed=$(grep -oE 'tests passed, 0 tests failed out of [0-9]+' "$log" | grep -oE '[0-9]+$' |
    awk '{ sum += $1 } END { print sum + 1 }')
step "all tests passed"
echo "$passed passed, 0 failed"
