#!/bin/bash
# Which Windows programs the acceptance tests run, decided once per suite.
#
# Where this machine executes 32-bit x86 code and 32-bit Wine is installed,
# the subject is the shipped i686 exe itself: in a WINEARCH=win32 prefix it
# meets 32-bit Windows, in a win64 prefix it runs under WOW64 as on 64-bit
# Windows. Elsewhere the x86_64 twins stand in for it, and every suite says
# so on its first line. Sourced by lib.sh, run-all.sh and run-installer.sh.

ACC_SOURCE_DIR=${ACC_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ACC_BUILD=${ACC_BUILD:-$ACC_SOURCE_DIR/build}
ACC_WINE32=/usr/lib/wine/wine
ACC_WINE64=/usr/lib/wine/wine64
ACC_WINESERVER=/usr/lib/wine/wineserver64
[ -x "$ACC_WINESERVER" ] || ACC_WINESERVER=/usr/lib/wine/wineserver

if [ "${TESSALY_NO_I386:-0}" = 1 ]; then
    ACC_MODE=twins
    ACC_SUBJECT="x86_64 twins (32-bit x86 code ruled out by TESSALY_NO_I386=1)"
elif ! "$ACC_SOURCE_DIR/scripts/runs-i386-code.sh"; then
    ACC_MODE=twins
    ACC_SUBJECT="x86_64 twins (this machine cannot execute 32-bit x86 code)"
elif [ ! -x "$ACC_WINE32" ]; then
    ACC_MODE=twins
    ACC_SUBJECT="x86_64 twins (32-bit Wine is not installed; make deps installs it)"
else
    ACC_MODE=shipped
    ACC_SUBJECT="shipped exe (i686) under 32-bit Wine"
fi

# The build whose programs run: the shipped exe with the i686 test tools, or
# the twins with the x86_64 ones. Its payload and demo files are the ones
# those programs carry.
if [ "$ACC_MODE" = shipped ]; then
    ACC_TOOLS_BUILD=$ACC_BUILD/windows
else
    ACC_TOOLS_BUILD=$ACC_BUILD/win64
fi
ACC_TOOLS=$ACC_TOOLS_BUILD/tools

# Sets what a prefix standing for 32-bit or 64-bit Windows runs:
#   WINEARCH     win32 for the shipped exe on 32-bit Windows, else win64
#   ACC_WINE     the Wine loader to start programs with
#   ACC_INSTALLER  the installer exe for that kind of Windows
acc_choose_windows() {  # 32|64
    case $1 in
        32 | 64) ;;
        *)
            echo "acc_choose_windows: the kind of Windows is 32 or 64, not '$1'" >&2
            return 2
            ;;
    esac
    ACC_WINDOWS=$1
    if [ "$ACC_MODE" = shipped ]; then
        ACC_INSTALLER=$ACC_BUILD/windows/tessaly-setup.exe
        if [ "$1" = 32 ]; then
            WINEARCH=win32
            ACC_WINE=$ACC_WINE32
        else
            WINEARCH=win64  # made with 32-bit Wine present, so it has WOW64
            ACC_WINE=$ACC_WINE64
        fi
    else
        ACC_INSTALLER=$ACC_BUILD/win64/twin$1/tessaly-setup.exe
        WINEARCH=win64
        ACC_WINE=$ACC_WINE64
    fi
    export WINEARCH
    export WINELOADER=$ACC_WINE
}
