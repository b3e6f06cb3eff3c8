#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing.
# Runs apt-get as root (or through sudo when not root).
#
# 32-bit Wine (wine32:i386) is added only where this machine executes 32-bit
# x86 code (scripts/runs-i386-code.sh): there the acceptance tests run the
# shipped i686 exe itself. Elsewhere it is never installed, because Debian's
# wine wrapper would then prefer a 32-bit loader that cannot run.
set -eu
here=$(dirname "$0")

PACKAGES="
  make cmake g++ pkg-config python3 file
  libgtest-dev zlib1g-dev binutils-source
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev
  wine wine64 fonts-wine
  xvfb xdotool x11-utils xclip imagemagick
  liblnk-utils dosbox nasm strace nsis osslsigncode openssl
  clang libclang-rt-14-dev locales
"
want_i386=no
if "$here/runs-i386-code.sh"; then
    want_i386=yes
    PACKAGES="$PACKAGES wine32:i386"
fi

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    if [ "$want_i386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The main window and international suites also run the installer where the
# ANSI code page is 932 or 1250, which Wine takes from the locales
# ja_JP.UTF-8 and pl_PL.UTF-8.
generate=no
for name in ja_JP pl_PL; do
    if ! locale -a 2>/dev/null | grep -qix "$name\.utf-\?8"; then
        echo "Generating the locale $name.UTF-8"
        if grep -q "^# *$name\.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
            $SUDO sed -i "s/^# *\($name\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        else
            echo "$name.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
        fi
        generate=yes
    fi
done
if [ $generate = yes ]; then
    $SUDO locale-gen >/dev/null
fi
