#!/bin/bash
# Runs every acceptance suite (tests/acceptance/*_test.sh) and the static
# checks of the shipped exe; fails when any of them fails.
#
# Suites are independent (each has its own Xvfb, prefixes and output
# folder) and spend most of their time waiting on windows, so they run in
# ACC_JOBS lanes at once (2 by default), the longest of the last run first.
# Each suite's output is printed whole when it ends.
set -u
cd "$(dirname "$0")"
source ./subject.sh
printf 'subject: %s\n' "$ACC_SUBJECT"
mkdir -p "$ACC_BUILD/acceptance"
# Prefixes are copies of a template whose system files are shared (lib.sh);
# what the run needs on disk is about the templates, 2 GB at most.
printf 'disk: %s free under %s\n' "$(df -h --output=avail "$ACC_BUILD/acceptance" | tail -n 1 | tr -d ' ')" \
    "$ACC_BUILD"
JOBS=${ACC_JOBS:-2}
LOGS=$ACC_BUILD/acceptance/logs
TIMES=$ACC_BUILD/acceptance/last-times.txt
mkdir -p "$LOGS"
touch "$TIMES"

# The suites, longest first by the last run's times (new ones first of all).
mapfile -t suites < <(
    for suite in *_test.sh; do
        printf '%s %s\n' "$(awk -v s="$suite" '$1 == s { print $2 }' "$TIMES" | tail -n 1)" "$suite"
    done | sort -k1,1nr | awk '{ print $NF }'
)

status=0
start=$SECONDS
declare -A pids=() begun=()
times=()

# Waits for one running suite to end and reports it.
reap() {
    local pid suite code
    wait -n -p pid "${!pids[@]}"
    code=$?
    suite=${pids[$pid]}
    unset "pids[$pid]"
    cat "$LOGS/$suite.log"
    local took=$((SECONDS - begun[$suite]))
    if [ $code -eq 0 ]; then
        times+=("$(printf '  %-24s %4ds  passed' "$suite" $took)")
    else
        times+=("$(printf '  %-24s %4ds  FAILED' "$suite" $took)")
        status=1
    fi
    printf '%s %d\n' "$suite" $took >>"$TIMES.new"
}

: >"$TIMES.new"
for suite in "${suites[@]}"; do
    while [ ${#pids[@]} -ge "$JOBS" ]; do
        reap
    done
    begun[$suite]=$SECONDS
    bash "$suite" >"$LOGS/$suite.log" 2>&1 &
    pids[$!]=$suite
done
while [ ${#pids[@]} -gt 0 ]; do
    reap
done
mv "$TIMES.new" "$TIMES"

printf '%s\n' "${times[@]}" | sort
printf 'acceptance: %ds in all (%d lanes), %s; subject: %s\n' "$((SECONDS - start))" "$JOBS" \
    "$([ $status -eq 0 ] && echo passed || echo FAILED)" "$ACC_SUBJECT"
exit $status
