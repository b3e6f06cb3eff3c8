#!/bin/bash
# What the progress window's waits cost, and how long writing the payload
# takes, measured on the acceptance suite's subject under Wine through the
# test-only driver run_installation_gui.exe (build it first: make build):
#
#   1. processor time of the installer's process and of the wineserver over
#      SECONDS seconds (default 10) while paused, and again while waiting
#      for OK: a wait that only pumps in a loop keeps a core busy;
#   2. wall time of the write phase for the demo payload, from the write of
#      the first file's bytes (just after SetTotalBytes and the first
#      SetCurrentFile) to the date of the last file (just before its
#      SetBytesDone and "Installation Successful."), read from strace's
#      timestamps of the installer's own calls (the wineserver, which opens
#      the files, is not traced); three runs, each printed.
#
#   tests/bench/progress_waits.sh [SECONDS]
#
# Figures only; nothing is judged. The machine is shared, so expect noise.
source "$(dirname "$0")/../acceptance/lib.sh"
export TZ=UTC
WINDOW_SECONDS=${1:-10}
acc_begin bench-progress
acc_new_prefix bench 32
DRIVER=$ACC_TOOLS/run_installation_gui.exe
C=$(acc_drive_c)
TICKS=$(getconf CLK_TCK)

# Processor time (user + system) of a process so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

# The wineserver of this prefix: the one whose folder is named after the
# prefix's device and inode.
wineserver_pid() {
    local id pid
    id=$(stat -c '%d-%i' "$WINEPREFIX" | awk -F- '{printf "server-%x-%x", $1, $2}')
    for pid in $(pgrep -x 'wineserver|wineserver64'); do
        case $(readlink "/proc/$pid/cwd" 2>/dev/null) in
            *"/$id") echo "$pid" && return 0 ;;
        esac
    done
}

# Processor seconds used by the installer and the wineserver over the
# window, and the files in the folder before and after it (the run is held).
measure() {  # label installer-pid folder
    local server a0 s0 a1 s1 f0 f1
    server=$(wineserver_pid)
    a0=$(cpu_ticks "$2") s0=$(cpu_ticks "$server") f0=$(find "$3" -type f | wc -l)
    sleep "$WINDOW_SECONDS"
    a1=$(cpu_ticks "$2") s1=$(cpu_ticks "$server") f1=$(find "$3" -type f | wc -l)
    printf '%s, %ss: installer %s s, wineserver %s s of processor time (files %d, then %d)\n' \
        "$1" "$WINDOW_SECONDS" "$(awk "BEGIN {printf \"%.2f\", ($a1 - $a0) / $TICKS}")" \
        "$(awk "BEGIN {printf \"%.2f\", ($s1 - $s0) / $TICKS}")" "$f0" "$f1"
}

click() {  # window x y
    xdotool mousemove --window "$1" "$2" "$3" click 1 mousemove 0 0
}

# --- 1. The waits -------------------------------------------------------------
xdotool mousemove 0 0
strace -f --seccomp-bpf -o /dev/null -e trace=utimensat -e inject=utimensat:delay_enter=300000 \
    "$ACC_WINE" "$DRIVER" 'C:\waits' >"$ACC_OUT/waits.log" 2>&1 &
ACC_PID=$!
window=$(acc_wait_window "Installation Progress" 30)
installer=$(pgrep -P "$ACC_PID" | head -n 1)
printf 'installer process %s: %s; wineserver %s\n' "$installer" \
    "$(tr '\0' ' ' <"/proc/$installer/cmdline")" "$(wineserver_pid)"
until [ -e "$C/waits/dornw.exe" ]; do sleep 0.05; done
click "$window" 111 148 # Pause
sleep 1                 # the click is seen between files
measure "paused" "$installer" "$C/waits"
click "$window" 111 148 # Resume
until [ "$(find "$C/waits" -type f | wc -l)" -eq 10 ]; do sleep 0.1; done
sleep 1
measure "waiting for OK" "$installer" "$C/waits"
click "$window" 223 148 # OK
acc_wait_exit 30

# --- 2. The write phase -------------------------------------------------------
# The first item's length tells its one write apart from the wineserver
# requests, which travel by write() as well.
first_size=$(acc_wine "$ACC_TOOLS/payload_probe.exe" load rs_cmd | tr -d '\r' | cut -f4)
for run in 1 2 3; do
    log=$ACC_OUT/write-$run.strace
    strace -f --seccomp-bpf -ttt -o "$log" -e trace=write,utimensat \
        "$ACC_WINE" "$DRIVER" "C:\\write$run" >/dev/null 2>&1 &
    ACC_PID=$!
    window=$(acc_wait_window "Installation Progress" 30)
    until [ "$(find "$C/write$run" -type f | wc -l)" -eq 10 ]; do sleep 0.1; done
    sleep 1
    click "$window" 223 148 # OK
    acc_wait_exit 30
    first=$(grep -m1 -E "write\(.*, $first_size\) = $first_size\$" "$log" | awk '{print $2}')
    last=$(grep 'utimensat(' "$log" | tail -n 1 | awk '{print $2}')
    printf 'write phase, run %d: %s s (first file written to last file dated)\n' "$run" \
        "$(awk "BEGIN {printf \"%.3f\", $last - $first}")"
done
