#!/bin/bash
# Where the shipped exe's bytes go, and its overhead against the peer installer.
#   tests/bench/exe_size.sh [--no-peer] [--no-map]
# Prints the sizes of the shipped exe and the twins and the shipped exe's
# imports; the shipped exe's sections; its stored payload (the manifest's items)
# and its overhead, the exe's size less that payload. Then, unless told not
# to, it builds the peer installer (a plain NSIS build of the same ten files,
# tests/bench/peer/) and prints the peer's overhead measured the same way (its
# size less our stored payload) and the ratio of the two; and it links the
# shipped exe once more with a link map, into a temporary folder, and prints
# what each object file and library puts into each section
# (tests/bench/link_map_sizes.py). Needs a finished `make windows`; another
# i686 build folder can be named in TESSALY_WINDOWS_BUILD (to compare two).
set -eu
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
BUILD=$(realpath "${TESSALY_WINDOWS_BUILD:-build/windows}")
EXE=$BUILD/tessaly-setup.exe
PEER=1
MAP=1
for arg in "$@"; do
    case $arg in
        --no-peer) PEER= ;;
        --no-map) MAP= ;;
        *) echo "usage: $0 [--no-peer] [--no-map]" >&2; exit 2 ;;
    esac
done
[ -f "$EXE" ] || { echo "no $EXE: run make windows first" >&2; exit 1; }

for exe in $EXE $ROOT/build/win64/twin64/tessaly-setup.exe $ROOT/build/win64/twin32/tessaly-setup.exe; do
    [ -f "$exe" ] && printf '%8d bytes  %s\n' "$(stat -c %s "$exe")" "$exe"
done
summary=$(python3 tests/acceptance/pe_inspect.py summary $EXE)
printf 'imports of the shipped exe:'
sed -n 's/^import: / /p' <<<"$summary" | tr -d '\n'
printf '\n\nsections of the shipped exe (bytes in the file):\n'
python3 tests/acceptance/pe_inspect.py sections $EXE | awk '{printf "  %-9s %8d\n", $1, $2}'
printf '\nresources:\n'
awk '$1 == "resource:" {printf "  %-10s %-24s %8d\n", $2, $3, $5}' <<<"$summary"

size=$(stat -c %s $EXE)
# The payload is the manifest's ten items; other RCDATA (layouts, the
# configuration template) belong to the installer itself.
items=$(grep -v '^[[:space:]]*\(#\|$\)' resources/payload/manifest.txt | awk '{print toupper($1)}')
payload=$(awk -v items="$items" 'BEGIN {n = split(items, list, "\n"); for (i = 1; i <= n; i++) item[list[i]] = 1}
    $1 == "resource:" && $2 == "RCDATA" && ($3 in item) {s += $5} END {print s + 0}' <<<"$summary")
overhead=$((size - payload))
printf '\n'
printf '%-34s %8d\n' "shipped exe" "$size" "stored payload (the ten items)" "$payload" \
    "overhead (exe less payload)" "$overhead"

if [ -n "$PEER" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    tests/bench/peer/make_peer_installer.sh "$BUILD" "$work/peer-setup.exe" "$work/files"
    peer=$(stat -c %s "$work/peer-setup.exe")
    printf '%-34s %8d\n' "peer installer" "$peer" "peer overhead (less our payload)" \
        "$((peer - payload))"
    peer_overhead=$((peer - payload))
    awk -v a="$overhead" -v b="$peer_overhead" \
        'BEGIN {printf "%-34s %8.2f\n", "overhead ratio (ours / peer)", a / b}'
fi

if [ -n "$MAP" ]; then
    map=$(mktemp -d)
    trap 'rm -rf "$map" ${work:+"$work"}' EXIT
    # The exe's own link command, unstripped and with a map, into $map.
    link=$(grep -e '-o tessaly-setup.exe' $BUILD/CMakeFiles/tessaly_setup.dir/link.txt |
        sed -e 's/ -s / /' -e 's/-Wl,--out-implib,[^ ]*//' \
            -e "s#-o tessaly-setup.exe#-o $map/tessaly-setup.exe -Wl,-Map,$map/link.map#")
    (cd $BUILD && eval "$link")
    printf '\nwhat the link puts into each section (bytes before alignment):\n'
    python3 tests/bench/link_map_sizes.py "$map/link.map" 25 | tee "$map/sizes.txt"
    # The overhead without the exception machinery, which the peer (plain C)
    # does not carry: how far the rest of the exe is from the peer's.
    eh=$(sed -n 's/^exception handling, all told: \([0-9]*\).*/\1/p' "$map/sizes.txt")
    printf '%-34s %8d\n' "overhead less exception handling" "$((overhead - eh))"
    if [ -n "$PEER" ]; then
        awk -v a="$((overhead - eh))" -v b="$peer_overhead" \
            'BEGIN {printf "%-34s %8.2f\n", "  its ratio to the peer overhead", a / b}'
    fi
fi
