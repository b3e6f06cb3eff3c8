#!/bin/bash
# Start-up time of the installer: from starting the process to its main
# window being visible, against a bare Win32 program that opens one empty
# window (bare_window.exe, linked the same way), both in the same fresh
# prefix and in alternating runs under one running wineserver. Prints each
# run, the medians and their ratio. Run after `make build`:
#
#   tests/bench/start_time.sh [RUNS] [32|64] [DPI]
#
# INSTALLER in the environment times another build of the installer (an
# earlier commit's, say) in its place, for a before and after.
# DPI (also taken from the environment; 96 when neither says) is the
# screen's pixels per inch that the prefix's programs see: both places where
# Windows keeps it are set and the wineserver restarted before timing.
#
# Timings are noisy on a shared machine; the ratio of medians is the figure.
source "$(dirname "$0")/../acceptance/lib.sh"
source "$(dirname "$0")/timing.sh"
RUNS=${1:-9}
DPI=${3:-${DPI:-96}}
case $DPI in
    '' | *[!0-9]*) echo "the dpi is a whole number, not '$DPI'" >&2; exit 2 ;;
esac
acc_begin start_time
acc_new_prefix bench "${2:-32}"
acc_screen_dpi "$DPI"
if [ "$ACC_WINDOWS" = 64 ]; then  # the installer shows its main window only with DOSBox
    mkdir -p "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
    : >"$(acc_drive_c)/Program Files (x86)/DOSBox-0.74/dosbox.exe"
fi
ACC_INSTALLER=${INSTALLER:-$ACC_INSTALLER}
BARE=$ACC_TOOLS_BUILD/bench/bare_window.exe
[ -x "$BARE" ] || { echo "missing $BARE: make build first" >&2; exit 2; }

# One run of each first, not counted: fonts and DLLs come into the cache.
time_to_window "Vantrel Tessaly Installer" "$ACC_INSTALLER" >/dev/null
time_to_window "Bare window" "$BARE" >/dev/null
installer=()
bare=()
for run in $(seq 1 "$RUNS"); do
    installer+=("$(time_to_window "Vantrel Tessaly Installer" "$ACC_INSTALLER")")
    bare+=("$(time_to_window "Bare window" "$BARE")")
    printf '  run %d: installer %5d ms   bare window %5d ms\n' "$run" "${installer[-1]}" "${bare[-1]}"
done
mi=$(printf '%s\n' "${installer[@]}" | median)
mb=$(printf '%s\n' "${bare[@]}" | median)
printf 'median: installer %d ms, bare window %d ms, ratio %s (%d runs, %s-bit Windows, %d dpi, %s)\n' \
    "$mi" "$mb" "$(ratio "$mi" "$mb")" "$RUNS" "$ACC_WINDOWS" "$DPI" "$ACC_SUBJECT"
acc_end
