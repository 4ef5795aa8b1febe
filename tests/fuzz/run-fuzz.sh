#!/usr/bin/env bash
# Runs the catalogue, preferences value and hot-key fuzzers one after the
# other, each for a third of the bounded time, on scratch copies of their seed
# corpora, so the committed seeds stay as they are. Exits non-zero on a crash,
# a leak, a timeout or running out of memory in any; the input that did it is kept
# under BUILD_DIR/fuzz-artifacts/.
#   usage: run-fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
share=$(( seconds / 3 ))
[ "$share" -ge 1 ] || share=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

# usage: run NAME (fuzzer qd_fuzz_NAME, seeds corpus/NAME)
run() {
  local name=$1 fuzzer="$build/tests/fuzz/qd_fuzz_$1" status=0
  [ -x "$fuzzer" ] || { echo "no fuzzer at $fuzzer: build the fuzz preset first" >&2; return 2; }
  cp -R "$here/corpus/$name" "$work/$name"
  "$fuzzer" "$work/$name" -max_total_time="$share" -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 >"$work/$name.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$work/$name.log"
    echo "$name fuzzer failed (exit $status); inputs kept in $artifacts" >&2
  else
    echo "$name:"
    grep -E '^(Done|stat::)' "$work/$name.log"
  fi
  return "$status"
}

status=0
run catalogue || status=$?
run profile || status=$?
run hotkey || status=$?
exit "$status"
