#!/usr/bin/env bash
# Builds the launcher twice from scratch, in two build folders of different
# names, packages each and compares the zips byte for byte. Also checks what
# the zip holds and that no build folder is written into the launcher.
# Usage: tests/package/reproducible.sh [JOBS]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
JOBS=${1:-1}
VERSION=$(head -n1 "$ROOT/VERSION")
work=$(mktemp -d /tmp/qd-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

package() {
    local build=$work/$1
    cmake -S "$ROOT" -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$build" -j"$JOBS" --target QuillDeck >/dev/null
    "$ROOT/packaging/package.sh" "$build" "$work/dist-$1" >/dev/null
}
package first
sleep 2 # a later second also reaches every timestamp a build could store
package second-build

zip=QuillDeck-$VERSION.zip
cmp "$work/dist-first/$zip" "$work/dist-second-build/$zip" ||
    fail "two builds of the same sources gave different packages"

exe=$work/first/bin/QuillDeck.exe
for folder in "$ROOT" "$work"; do
    ! grep -qaF "$folder" "$exe" || fail "QuillDeck.exe holds the build path $folder"
done
(($(stat -c %s "$exe") < 1024 * 1024)) || fail "QuillDeck.exe is $(stat -c %s "$exe") bytes, over 1 MB"

names=$(unzip -Z1 "$work/dist-first/$zip" | tr '\n' ' ')
[[ $names == "QuillDeck.exe README.txt " ]] || fail "the zip holds: $names"
unzip -p "$work/dist-first/$zip" QuillDeck.exe | cmp - "$exe" || fail "the zipped launcher is not the built one"
unzip -p "$work/dist-first/$zip" README.txt | grep -q "Quill'Deck $VERSION " ||
    fail "README.txt does not name version $VERSION"
echo "package: ok ($zip, $(stat -c %s "$work/dist-first/$zip") bytes, reproducible)"
