#!/bin/bash
# Builds the peer installer for the side-by-side benchmark: a plain NSIS 3
# installer of the same ten files, zlib-compressed, silent (/S /D=folder),
# from the payload manifest and the sources of the given Windows build. Each
# file gets its manifest date first, since NSIS keeps a file's date.
#   make_peer_installer.sh [--target x86-ansi|amd64-unicode] BUILD_DIR OUT_EXE [STAGING_DIR]
# The target picks makensis's stub: x86-ansi (the default) is a 32-bit
# program like the shipped exe; amd64-unicode (NSIS has no amd64 ANSI stub)
# a 64-bit one, for machines that run no 32-bit code.
set -eu
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
TARGET=x86-ansi
if [ "${1:-}" = --target ]; then
    TARGET=$2
    shift 2
fi
case $TARGET in
    x86-ansi | amd64-unicode) ;;
    *) echo "the target is x86-ansi or amd64-unicode, not '$TARGET'" >&2; exit 2 ;;
esac
BUILD=$1
OUT=$2
STAGE=${3:-$(dirname "$OUT")/peer-files}
MANIFEST=$ROOT/resources/payload/manifest.txt

rm -rf "$STAGE"
mkdir -p "$STAGE"
files=()
while read -r _item name date time source; do
    case $source in
        build:*) from=$BUILD/demo/${source#build:} ;;
        *) from=$ROOT/resources/payload/$source ;;
    esac
    cp "$from" "$STAGE/$name"
    TZ=UTC touch -d "$date $time" "$STAGE/$name"
    files+=("$name")
done < <(grep -v '^[[:space:]]*\(#\|$\)' "$MANIFEST")

script=$STAGE/peer.nsi
{
    echo "Target $TARGET"
    echo 'SetCompressor zlib'
    echo 'Name "Tessaly"'
    echo "OutFile \"$OUT\""
    echo 'InstallDir "C:\kr"'
    echo 'RequestExecutionLevel user'
    echo 'SilentInstall silent'
    echo 'Section'
    echo '  SetOutPath "$INSTDIR"'
    for name in "${files[@]}"; do
        echo "  File \"$STAGE/$name\""
    done
    echo 'SectionEnd'
} >"$script"
makensis -V2 "$script" >/dev/null
