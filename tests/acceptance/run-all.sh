#!/bin/bash
# Runs every acceptance suite (tests/acceptance/*_test.sh) and the static
# checks of the shipped exe; fails when any of them fails.
set -u
cd "$(dirname "$0")"
status=0
start=$SECONDS
for suite in ./*_test.sh; do
    if ! bash "$suite"; then
        status=1
    fi
done
printf 'acceptance: %ds in all, %s\n' "$((SECONDS - start))" "$([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
