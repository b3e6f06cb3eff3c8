#!/bin/bash
# The shipped exe is reproducible: every date it carries, and the pr32.exe
# in its payload carries, is the source's (build/windows/source_date_epoch.txt,
# the last commit's time unless SOURCE_DATE_EPOCH said otherwise), and a
# second link of the exe's objects and of pr32's, into another folder at
# another time, gives the same bytes. Two clean builds of one commit in
# different folders are compared by tests/bench/reproducible_build.sh.
set -u
cd "$(dirname "$0")"
BUILD=$(cd ../../build/windows 2>/dev/null && pwd)
failures=0
fail() { printf '    FAIL: %s\n' "$*"; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"; }

printf 'subject: shipped exe (i686), its link repeated\n'
printf 'suite: reproducible-build\n'
if [ -z "$BUILD" ] || [ ! -f "$BUILD/tessaly-setup.exe" ] || [ ! -f "$BUILD/source_date_epoch.txt" ]; then
    echo "build the shipped exe first (make windows)" >&2
    exit 2
fi
epoch=$(cat "$BUILD/source_date_epoch.txt")
timestamp() { python3 pe_inspect.py summary "$1" | sed -n 's/^timestamp: //p'; }

printf '  case: the dates are the source'"'"'s\n'
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git -C .. rev-parse --git-dir >/dev/null 2>&1; then
    expect "source date (the last commit's time; after a new commit, make build)" \
        "$(git -C .. log -1 --format=%ct)" "$epoch"
fi
expect "time stamp of the exe" "$epoch" "$(timestamp "$BUILD/tessaly-setup.exe")"
expect "time stamp of pr32.exe" "$epoch" "$(timestamp "$BUILD/demo/pr32.exe")"

# Runs a target's link again, its output in another folder; the same bytes?
relink() {  # target output-as-linked
    local link out=$ACC_RELINK/$1 started=$SECONDS
    mkdir -p "$out"
    link=$(grep -F -- "-o $2 " "$BUILD/CMakeFiles/$1.dir/link.txt")
    [ -n "$link" ] || { fail "$1: no link command in its link.txt"; return; }
    link=${link/ -o $2 / -o $out/$(basename "$2") }
    link=${link/ -Wl,--out-implib,lib$(basename "$2" .exe).dll.a/}
    if ! (cd "$BUILD" && SOURCE_DATE_EPOCH=$epoch sh -c "$link") >"$out/link.log" 2>&1; then
        fail "$1: the second link failed (see $out/link.log)"
        return
    fi
    if cmp -s "$BUILD/$2" "$out/$(basename "$2")"; then
        printf '    %s: the same %d bytes (second link: %ds)\n' "$2" "$(stat -c %s "$out/$(basename "$2")")" \
            $((SECONDS - started))
    else
        fail "$2: the second link differs in $(cmp -l "$BUILD/$2" "$out/$(basename "$2")" | wc -l) bytes"
    fi
}

printf '  case: a second link gives the same bytes\n'
ACC_RELINK=$(mktemp -d "${TMPDIR:-/tmp}/relink.XXXXXX")
trap 'rm -rf "$ACC_RELINK"' EXIT
relink tessaly_setup tessaly-setup.exe
relink pr32 demo/pr32.exe

printf 'suite reproducible-build: %d failures, %ds\n' "$failures" "$SECONDS"
[ "$failures" -eq 0 ]
