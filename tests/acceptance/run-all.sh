#!/bin/bash
# Runs every acceptance suite (tests/acceptance/*_test.sh) and the static
# checks of the shipped exe; fails when any of them fails.
set -u
cd "$(dirname "$0")"
source ./subject.sh
printf 'subject: %s\n' "$ACC_SUBJECT"
status=0
start=$SECONDS
times=()
for suite in ./*_test.sh; do
    suite_start=$SECONDS
    if bash "$suite"; then
        result=passed
    else
        result=FAILED
        status=1
    fi
    times+=("$(printf '  %-24s %4ds  %s' "${suite#./}" "$((SECONDS - suite_start))" "$result")")
done
printf '%s\n' "${times[@]}"
printf 'acceptance: %ds in all, %s; subject: %s\n' "$((SECONDS - start))" \
    "$([ $status -eq 0 ] && echo passed || echo FAILED)" "$ACC_SUBJECT"
exit $status
