#!/usr/bin/env bash
# Runs the catalogue fuzzer for a bounded time on a scratch copy of the seed
# corpus, so the committed seeds stay as they are. Exits non-zero on a crash,
# a leak, a timeout or running out of memory; the input that did it is kept
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
fuzzer="$build/tests/fuzz/qd_fuzz_catalogue"
[ -x "$fuzzer" ] || { echo "no fuzzer at $fuzzer: build the fuzz preset first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$here/corpus/catalogue" "$work/corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

status=0
"$fuzzer" "$work/corpus" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/" -print_final_stats=1 >"$work/log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  cat "$work/log"
  echo "catalogue fuzzer failed (exit $status); inputs kept in $artifacts" >&2
else
  grep -E '^(Done|stat::)' "$work/log"
fi
exit "$status"
