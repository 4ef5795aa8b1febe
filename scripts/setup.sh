#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need. Idempotent:
# packages already present are left alone, and apt is not touched at all when
# nothing is missing.
set -euo pipefail

PACKAGES=(
  # native core build and tests
  cmake make g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  # cross build of the launcher
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # running and testing under Wine on a virtual display
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick
  # the drop driver of the end-to-end tests, a native X11 client
  gcc libx11-dev
  # the collision-detecting SHA-1's C sources and attack files, built like
  # GoogleTest; its command-line tool is a reference of the digest tests
  librust-sha1collisiondetection-dev sha1cdsum
  # digest benchmark references
  openssl coreutils
  # the package and its check
  zip unzip
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=()
if [[ $(id -u) -ne 0 ]]; then SUDO=(sudo); fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
