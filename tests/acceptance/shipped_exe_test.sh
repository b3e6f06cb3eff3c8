#!/bin/bash
# Static checks of the shipped 32-bit exe, whatever this machine can run:
# its format, subsystem, imports, version block, manifest and icon.
set -u
cd "$(dirname "$0")"
EXE=../../build/windows/tessaly-setup.exe
failures=0
fail() { printf '    FAIL: %s\n' "$*"; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"; }

printf 'subject: shipped exe (i686), its file read statically\n'
printf 'suite: shipped-exe\n'
if [ ! -f "$EXE" ]; then
    echo "build the shipped exe first (make windows)" >&2
    exit 2
fi
summary=$(python3 pe_inspect.py summary "$EXE")
value() { printf '%s\n' "$summary" | sed -n "s/^$1: //p"; }

printf '  case: a 32-bit Windows GUI program\n'
expect machine 0x14c "$(value machine)"
expect format PE32 "$(value format)"
expect subsystem gui "$(value subsystem)"

printf '  case: imports only KnownDLLs, and nothing delay-loaded\n'
# Windows loads a KnownDLL only from the system folder, whatever lies beside
# the program; any other DLL in the import table would be looked for in the
# program's folder (a Downloads folder, say) before the entry point can
# narrow the search. These are KnownDLLs on every Windows from 7 to 11.
known=" $(echo ADVAPI32 CLBCATQ COMDLG32 DIFXAPI GDI32 IMAGEHLP IMM32 KERNEL32 MSCTF MSVCRT NORMALIZ \
    NSI OLE32 OLEAUT32 PSAPI RPCRT4 SECHOST SETUPAPI SHELL32 SHLWAPI USER32 WLDAP32 WS2_32) "
for dll in $(value import); do
    upper=$(printf '%s' "${dll%.*}" | tr '[:lower:]' '[:upper:]')
    case $known in
        *" $upper "*) ;;
        *) fail "import of $dll, which is no KnownDLL" ;;
    esac
done
for dll in $(value delay-import); do
    fail "delay-loaded $dll: its load searches the program's folder"
done

printf '  case: version block\n'
python3 pe_inspect.py resource "$EXE" 16 1 >"$EXE.version" || fail "no version resource"
read -r file_version product_version strings < <(python3 - "$EXE.version" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.index(struct.pack("<I", 0xFEEF04BD))
fms, fls, pms, pls = struct.unpack_from("<IIII", data, at + 8)
def v(ms, ls): return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
text = data.decode("utf-16-le", "replace")
def string(key):
    start = text.find(key + "\0")
    if start < 0: return ""
    rest = text[start + len(key) + 1:].lstrip("\0")
    return rest[:rest.index("\0")]
keys = ["FileDescription", "FileVersion", "ProductName", "ProductVersion"]
print(v(fms, fls), v(pms, pls), "|".join(string(k) for k in keys))
PY
)
rm -f "$EXE.version"
expect "fixed file version" 2.0.0.83 "$file_version"
expect "fixed product version" 2.0.0.0 "$product_version"
expect "version strings" "CD Install Program|2.0.0.83|CD Installer|2.0.0.0" "$strings"

printf '  case: manifest asks for common controls 6, the invoker'"'"'s rights and dpi awareness\n'
manifest=$(python3 pe_inspect.py resource "$EXE" 24 1) || fail "no manifest"
printf '%s' "$manifest" | grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' ||
    fail "manifest lacks common controls 6"
printf '%s' "$manifest" | grep -q 'requestedExecutionLevel level="asInvoker"' ||
    fail "manifest lacks asInvoker"
printf '%s' "$manifest" | grep -q '>true</dpiAware>' || fail "manifest lacks system dpi awareness"
printf '%s' "$manifest" | grep -q '>PerMonitorV2, PerMonitor</dpiAwareness>' ||
    fail "manifest lacks per-monitor dpi awareness"

printf '  case: main icon\n'
printf '%s\n' "$summary" | grep -q '^resource: GROUP_ICON MAINICON ' || fail "no MAINICON"

printf '  case: the main window'"'"'s texts, byte for byte\n'
missing=$(python3 - "$EXE" <<'PY'
import sys
import zlib
from pe_inspect import PE
data = open(sys.argv[1], "rb").read()
# The window layouts are stored as zlib streams; their texts count as they
# unpack.
for type_key, name_key, _, stream, _ in PE(data).resources():
    if type_key == 10 and str(name_key).startswith("LAYOUT_"):
        data += zlib.decompress(stream)
texts = [b"Vantrel ", b"Vantrel %s Installer", b"Tessaly", b"3.24", b"INSTALLING", b"Vantrel\xc2\xae",
         b"This will install Vantrel Tessaly", b"Version 3.24 05/11/04",
         b"Click SETUP to install this program, CANCEL to close", b"without installing.",
         b"Install Folder:", b"c:\\kr", b"vantrel\\kr", b"Setup", b"Cancel", b"Browse", b"Install",
         b"T+", b"Change Install Folder. Standard Vantrel folders are kr and vantrel\\kr. To install "
         b"directly to a Vantrel flash drive, select the drive, then the kr folder.",
         b"%s was not installed.", b"Install Directory is not on a valid device."]
print("|".join(t.decode("latin-1") for t in texts if t not in data))
PY
)
expect "texts missing from the exe" "" "$missing"

printf '    size: %d bytes\n' "$(stat -c %s "$EXE")"
printf 'suite shipped-exe: %d failures\n' "$failures"
[ "$failures" -eq 0 ]
