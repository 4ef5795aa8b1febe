#!/usr/bin/env bash
# Copies the screenshots the end-to-end tests took of the real launcher into
# docs/, where the README shows them. Run `make test` (or the Wine ctest)
# first; a picture the tests did not make is reported, not left stale.
#
#   scripts/update-screenshots.sh [BUILD_DIR]     (default build/windows)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SHOTS=${1:-$ROOT/build/windows}/screenshots
missing=0
for shot in launcher context-menu options-panel group-menu editor tray-menu about launcher-scales; do
    if [[ -f $SHOTS/$shot.png ]]; then
        cp "$SHOTS/$shot.png" "$ROOT/docs/$shot.png"
    else
        echo "update-screenshots: $SHOTS/$shot.png is missing; run the end-to-end tests" >&2
        missing=1
    fi
done
exit $missing
