#!/bin/bash
# Two clean builds of one commit compared byte for byte: the repository is
# cloned twice, into folders of different names and depths, and each clone
# builds the shipped exe from scratch (make windows, the native tools
# included), one after the other, so the builds also run at different
# times. Compared: the shipped exe, the pr32.exe it carries and the ten
# payload items.
#
#   tests/bench/reproducible_build.sh [COMMIT]    (HEAD by default)
#
# KEEP=1 keeps the clones (in a folder under /tmp, printed).
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
commit=$(git -C "$source_dir" rev-parse "${1:-HEAD}")
work=$(mktemp -d "${TMPDIR:-/tmp}/reproducible.XXXXXX")
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT

first=$work/a
second=$work/another/deeper/checkout-of-tessaly
printf 'commit %s\n' "$commit"
for clone in "$first" "$second"; do
    mkdir -p "$(dirname "$clone")"
    git clone -q --no-local "$source_dir" "$clone"
    git -C "$clone" checkout -q "$commit"
    started=$SECONDS
    if ! make -C "$clone" windows >"$clone.log" 2>&1; then
        echo "the build in $clone failed (see $clone.log)" >&2
        exit 1
    fi
    printf 'built in %-60s %4ds, at %s\n' "$clone" $((SECONDS - started)) "$(date -u +%H:%M:%S)"
done

status=0
compare() {  # path under build/windows
    local a=$first/build/windows/$1 b=$second/build/windows/$1 differ
    if cmp -s "$a" "$b"; then
        printf '  same   %-28s %8d bytes  sha256 %s\n' "$1" "$(stat -c %s "$a")" \
            "$(sha256sum <"$a" | cut -c1-16)"
    else
        differ=$(cmp -l "$a" "$b" 2>/dev/null | wc -l)
        printf '  DIFFER %-28s %8d bytes differ\n' "$1" "$differ"
        status=1
    fi
}
compare tessaly-setup.exe
compare demo/pr32.exe
for item in "$first"/build/windows/payload/*.bin; do
    compare "payload/$(basename "$item")"
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same bytes" || echo "NOT reproducible"
exit $status
