#!/bin/bash
# `make run`: starts the installer under Wine in a prefix of its own under
# build/run (made on first use), as on 32-bit Windows by default or as on
# 64-bit Windows with WINDOWS=64. Where this machine executes 32-bit x86 code
# that is the shipped i686 exe itself (a win32 prefix, or a win64 prefix with
# WOW64); elsewhere the x86_64 twin that stands for it (see subject.sh).
# With a display ($DISPLAY) the installer runs there until it ends; without
# one it runs in a private Xvfb, a screenshot of its first window is saved,
# and the program is ended.
set -u
source "$(dirname "$0")/lib.sh"
KIND=${WINDOWS:-32}
acc_choose_windows "$KIND" || exit 2
OUT=$ACC_BUILD/run/$ACC_MODE-$KIND
mkdir -p "$OUT"
echo "Starting the installer: $ACC_SUBJECT, as on $KIND-bit Windows"

export WINEPREFIX=$OUT/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME=$OUT/xdg
mkdir -p "$XDG_DATA_HOME/Trash/files"

if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "Making the wine prefix $WINEPREFIX ..."
    "$ACC_WINE" wineboot --init >"$OUT/wineboot.log" 2>&1
    ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # The session wineboot started may lack the display chosen below: end it.
    "$ACC_WINESERVER" -k 2>/dev/null
    "$ACC_WINESERVER" -w 2>/dev/null
fi
if [ "$KIND" = 64 ] && ! ls "$WINEPREFIX/drive_c/Program Files (x86)"/*[Dd][Oo][Ss][Bb][Oo][Xx]*/dosbox.exe >/dev/null 2>&1; then
    echo "Note: no DOSBox in this prefix's Program Files (x86), so the installer shows its"
    echo "64-bit advice. Install DOSBox 0.74 there, or use 'make run' (32-bit Windows)."
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    "$ACC_WINE" "$ACC_INSTALLER" "$@"
    status=$?
    "$ACC_WINESERVER" -w
    exit $status
fi

# No display: a private Xvfb, a screenshot, then the end.
ACC_OUT=$OUT
acc_start_xvfb || exit 1
XVFB=$ACC_XVFB_PID
trap 'kill $XVFB 2>/dev/null; "$ACC_WINESERVER" -k 2>/dev/null' EXIT
"$ACC_WINE" "$ACC_INSTALLER" "$@" >"$OUT/installer.log" 2>&1 &
PID=$!
window=$(acc_wait_window_matching '.+' 60)
if [ -z "$window" ]; then
    echo "The installer showed no window within 60 s." >&2
    exit 1
fi
# Let the first paint land before the picture is taken.
sleep 1
import -window root "$OUT/screenshot.png"
echo "No display: the installer ran in Xvfb; its first window ('$(xdotool getwindowname "$window")')"
echo "is in $OUT/screenshot.png"
kill $PID 2>/dev/null
exit 0
