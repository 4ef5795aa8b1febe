#!/usr/bin/env bash
# Builds everything and runs every test layer: the core natively with ASan and
# UBSan, the core and the Windows program under Wine (in-process UI tests and
# end-to-end runs of QuillDeck.exe), the package's reproducibility and a
# bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-45}
log=$(mktemp)
trap 'rm -f "$log" "$log.bench"' EXIT

step() { printf '\n== %s\n' "$*"; }

step "native core tests (ASan, UBSan)"
make --no-print-directory test-native JOBS="$JOBS" | tee -a "$log"

step "Windows build and tests under Wine"
make --no-print-directory test-wine JOBS="$JOBS" | tee -a "$log"

step "two clean builds give the same package"
make --no-print-directory test-package JOBS="$JOBS"

# Benchmarks report and never fail, but they must still build: nothing else
# compiles the programs they drive the code with.
step "the benchmarks build"
# (quiet unless it fails: GoogleTest's own sources warn in a Release build)
make --no-print-directory bench JOBS="$JOBS" >"$log.bench" 2>&1 || { cat "$log.bench"; exit 1; }

step "fuzzing the catalogue reader and the preferences values for ${FUZZ_SECONDS}s"
make --no-print-directory test-fuzz JOBS="$JOBS" FUZZ_SECONDS="$FUZZ_SECONDS"

# ctest entries of both runs, and the package check and the fuzz run as two more.
passed=$(grep -oE 'tests passed, 0 tests failed out of [0-9]+' "$log" | grep -oE '[0-9]+$' |
    awk '{ sum += $1 } END { print sum + 2 }')
step "all tests passed"
echo "$passed passed, 0 failed"
