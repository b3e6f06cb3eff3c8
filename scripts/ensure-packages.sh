#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing.
# Runs apt-get as root (or through sudo when not root).
set -eu

PACKAGES="
  make cmake g++ pkg-config python3 file
  libgtest-dev zlib1g-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev
  wine wine64 fonts-wine
  xvfb xdotool x11-utils xclip imagemagick
  liblnk-utils dosbox nasm
  clang libclang-rt-14-dev
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
