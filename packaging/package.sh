#!/usr/bin/env bash
# Builds dist/QuillDeck-<version>.zip from a built launcher: QuillDeck.exe and
# README.txt. The zip's bytes depend only on the sources: entries in sorted
# order, fixed times (SOURCE_DATE_EPOCH, else the last commit's time), fixed
# modes, no extra attributes.
# Usage: packaging/package.sh BUILD_DIR OUT_DIR
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$1
OUT_DIR=$2
EXE=$BUILD_DIR/bin/QuillDeck.exe
VERSION=$(head -n1 "$ROOT/VERSION")

fail() { echo "package: $*" >&2; exit 1; }
[[ -f $EXE ]] || fail "$EXE is missing; build it first (make windows)"
# The version resource must name the same version as the zip: a stale build
# would otherwise be shipped under the new name.
resource=$(strings -el "$EXE" | grep -A1 -x ProductVersion | tail -n1)
[[ $resource == "$VERSION" ]] ||
    fail "QuillDeck.exe says version '$resource' but VERSION says '$VERSION'; rebuild it"

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 1767225600)
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$EXE" "$stage/QuillDeck.exe"
# Notepad on older Windows shows a file with bare LF line ends as one line.
sed -e "s/@VERSION@/$VERSION/" -e 's/$/\r/' "$ROOT/packaging/README.txt" >"$stage/README.txt"
chmod 644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

mkdir -p "$OUT_DIR"
zipfile=$(cd "$OUT_DIR" && pwd)/QuillDeck-$VERSION.zip
rm -f "$zipfile"
(cd "$stage" && TZ=UTC zip -X -D -q -9 "$zipfile" QuillDeck.exe README.txt)
echo "$zipfile"
