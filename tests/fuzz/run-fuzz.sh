#!/bin/bash
# Builds the payload fuzzer (clang, ASan + UBSan, libFuzzer) in build/fuzz and
# runs it for the given number of seconds (default 600) on all cores but one,
# or until it has run RUNS inputs, whichever comes first.
#
#   tests/fuzz/run-fuzz.sh [SECONDS [RUNS]]
#
# The kept seeds (tests/fuzz/seeds) start the corpus; the corpus grows in
# build/fuzz/corpus and is kept between runs. Findings land in
# build/fuzz/findings; the exit code is libFuzzer's (0: nothing found).
set -eu
cd "$(dirname "$0")/../.."
seconds=${1:-600}
runs=${2:--1}
out=build/fuzz
mkdir -p "$out/corpus" "$out/findings"

CXX=clang++ cmake -S tests/fuzz -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j "$(nproc)" >/dev/null

# One fuzzing process per core but one, in libFuzzer's fork mode when there
# are several, so that their findings and corpus meet in one place.
workers=$(($(nproc) > 1 ? $(nproc) - 1 : 1))
parallel=()
if [ "$workers" -gt 1 ]; then
    parallel=(-fork="$workers" -ignore_crashes=1)
fi
# Items beyond 64 KiB are not worth mutating whole; the seeds stay below it.
exec "$out/payload_fuzz" "$out/corpus" tests/fuzz/seeds "${parallel[@]}" \
    -max_len=65536 -rss_limit_mb=2048 -max_total_time="$seconds" -runs="$runs" \
    -artifact_prefix="$out/findings/" -print_final_stats=1
