#!/bin/bash
# Install time and peak memory against payload size, on the acceptance
# suite's subject under Wine (32-bit Windows, in a virtual desktop), through
# the run's test-only driver: the one built with the demo payload, and the
# test-only builds of tests/bench/growth.cmake carrying synthetic payloads of
# 1, 10 and 100 MiB in the same ten-item layout (built here when missing).
#
#   tests/bench/payload_growth.sh [RUNS]      (default 3 runs of each)
#
# Each run installs into a new folder under strace, which timestamps the
# program's start (execve), the write of the first file's bytes and the date
# of the last file (one utimensat per file under Wine), after which the run
# only says "Installation Successful." and waits for OK:
#   start+load  start to the first file's write: Wine's start, the progress
#               window, every item unpacked into memory
#   write       first file's write to the last file's date
#   peak        the process's peak working set (VmHWM of the Wine process,
#               which is what Wine reports as PeakWorkingSetSize), read while
#               the window waits for OK; its growth over the demo payload's
#               run is set beside what cannot be avoided at the peak: every
#               file in memory, and the exe's image with the stored items,
#               which Wine reads whole when the program starts (its sections
#               are not page-aligned in the file) and which reading them
#               would bring in anyway
# Times are medians of the runs with their range; figures only, nothing is
# judged. The machine is shared, so expect noise.
source "$(dirname "$0")/../acceptance/lib.sh"
export TZ=UTC
RUNS=${1:-3}
MEGABYTES=(1 10 100)

cmake --build "$ACC_BUILD/native" --target make_growth_payload >/dev/null &&
    cmake --build "$ACC_TOOLS_BUILD" --target growth_payload_builds >/dev/null || exit 2

acc_begin bench-growth
acc_new_prefix growth 32
acc_virtual_desktop 800x600
C=$(acc_drive_c)

# The file sizes of a payload: its files folder (or the demo's files and the
# manifest's neighbours), in the installer's order.
payload_files() {  # files-folder
    local item name rest
    grep -v '^#' "$ACC_SOURCE_DIR/resources/payload/manifest.txt" | while read -r item name rest; do
        [ -z "$item" ] && continue
        if [ -f "$1/$name" ]; then
            stat -c %s "$1/$name"
        else
            stat -c %s "$ACC_SOURCE_DIR/resources/payload/$name"
        fi
    done
}

kib() { echo $((($1 + 1023) / 1024)); }

# Median and range of numbers, as "median (min-max)".
summary() {
    printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.2f (%.2f-%.2f)", m, v[1], v[NR]}'
}

# One run: LOAD, WRITE (seconds) and PEAK, RSS (KiB) of the installer.
measure_run() {  # exe folder first-file-size
    local log=$ACC_OUT/run-$ACC_RUN.strace installer deadline t0 first last
    ACC_RUN=$((ACC_RUN + 1))
    strace -f --seccomp-bpf -ttt -o "$log" -e trace=execve,write,utimensat \
        "$ACC_WINE" "$1" "$2" >/dev/null 2>&1 &
    ACC_PID=$!
    deadline=$((SECONDS + 300))
    until [ "$(cat "$log" 2>/dev/null | grep -c 'utimensat(')" -ge 10 ]; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$ACC_PID" 2>/dev/null; then
            echo "the run into $2 did not finish" >&2
            return 1
        fi
        sleep 0.1
    done
    installer=$(pgrep -P "$ACC_PID" | head -n 1)
    PEAK=$(awk '/^VmHWM:/ {print $2}' "/proc/$installer/status")
    RSS=$(awk '/^VmRSS:/ {print $2}' "/proc/$installer/status")
    kill "$installer"
    acc_wait_exit 30
    t0=$(grep -m1 'execve(' "$log" | awk '{print $2}')
    first=$(grep -m1 -E "write\(.*, $3\) = $3\$" "$log" | awk '{print $2}')
    last=$(grep 'utimensat(' "$log" | tail -n 1 | awk '{print $2}')
    LOAD=$(awk "BEGIN {printf \"%.3f\", $first - $t0}")
    WRITE=$(awk "BEGIN {printf \"%.3f\", $last - $first}")
}

printf '%-6s %9s %9s %9s  %-18s %-18s %9s %9s %9s\n' payload "files KiB" "stored" "largest" \
    "start+load s" "write s" "peak KiB" "growth" "expected"
ACC_RUN=0
BASE_PEAK="" BASE_BYTES=0
for mb in demo "${MEGABYTES[@]}"; do
    if [ "$mb" = demo ]; then
        exe=$ACC_TOOLS/run_installation_gui.exe files=$ACC_TOOLS_BUILD/demo
        stored=$ACC_TOOLS_BUILD/payload
    else
        exe=$ACC_TOOLS_BUILD/bench/growth-$mb/run_installation_gui.exe
        files=$ACC_TOOLS_BUILD/bench/growth-$mb/files stored=$ACC_TOOLS_BUILD/bench/growth-$mb/payload
    fi
    sizes=($(payload_files "$files"))
    total=0
    for size in "${sizes[@]}"; do total=$((total + size)); done
    stored_sizes=($(stat -c %s "$stored"/rs_*.bin | sort -n))
    stored_total=0
    for size in "${stored_sizes[@]}"; do stored_total=$((stored_total + size)); done
    loads=() writes=() peaks=()
    for ((run = 1; run <= RUNS; run++)); do
        measure_run "$exe" "C:\\growth-$mb-$run" "${sizes[0]}" || exit 1
        loads+=("$LOAD") writes+=("$WRITE") peaks+=("$PEAK")
    done
    peak=$(printf '%s\n' "${peaks[@]}" | sort -n | tail -n 1)
    if [ -z "$BASE_PEAK" ]; then
        BASE_PEAK=$peak BASE_BYTES=$((total + stored_total))
    fi
    printf '%-6s %9d %9d %9d  %-18s %-18s %9d %9d %9d\n' "$mb" "$(kib $total)" \
        "$(kib $stored_total)" "$(kib "${stored_sizes[-1]}")" "$(summary "${loads[@]}")" \
        "$(summary "${writes[@]}")" "$peak" "$((peak - BASE_PEAK))" \
        "$(kib $((total + stored_total - BASE_BYTES)))"
done
acc_log "files: the ten files; stored: the ten items in the exe; largest: the largest of them;"
acc_log "peak: the highest of $RUNS runs; growth: peak over the demo run's; expected: files and"
acc_log "stored items over the demo's (the files in memory, the exe's image read whole by Wine)"
acc_end
