#!/bin/sh
# Prints the size of the shipped exe and of the twins, and what the shipped
# exe imports, so a change that bloats it or adds a dependency is seen.
set -eu
cd "$(dirname "$0")/../.."
for exe in build/windows/tessaly-setup.exe build/win64/twin64/tessaly-setup.exe \
           build/win64/twin32/tessaly-setup.exe; do
    [ -f "$exe" ] && printf '%8d bytes  %s\n' "$(stat -c %s "$exe")" "$exe"
done
printf 'imports of the shipped exe:'
python3 tests/acceptance/pe_inspect.py summary build/windows/tessaly-setup.exe |
    sed -n 's/^import: / /p' | tr -d '\n'
printf '\n'
