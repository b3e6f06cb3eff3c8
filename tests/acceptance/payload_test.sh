#!/bin/bash
# The payload inside real executables: the shipped exe and both twins carry
# the builder's ten containers byte for byte; on 64-bit Windows (where the
# unpacked files are used through DOSBox and Print F) all ten items load from
# an executable's own resources (payload_probe, which links the installer's
# resources and loader, built like the suite's subject) and match their
# sources in name, date and bytes; the unpacked DOS programs run in DOSBox
# 0.74 and write the print file; the unpacked pr32.exe runs and says why it
# cannot print.
source "$(dirname "$0")/lib.sh"
acc_begin payload

PROBE=$ACC_TOOLS/payload_probe.exe
MANIFEST=$ACC_SOURCE_DIR/resources/payload/manifest.txt
PE_INSPECT=$ACC_SOURCE_DIR/tests/acceptance/pe_inspect.py
if [ ! -x "$PROBE" ]; then
    echo "missing $PROBE: build it first (make build)" >&2
    exit 2
fi

# The manifest's item lines: item, file name, date, time, source.
manifest_lines() { grep -v '^[[:space:]]*\(#\|$\)' "$MANIFEST"; }

# The MS-DOS date-time of a manifest date and time, as 8 hex digits.
dos_date_hex() {  # YYYY-MM-DD HH:MM:SS
    local y m d hh mm ss
    IFS=- read -r y m d <<<"$1"
    IFS=: read -r hh mm ss <<<"$2"
    printf '%08X' $(((((10#$y - 1980) << 9 | 10#$m << 5 | 10#$d) << 16) |
        (10#$hh << 11 | 10#$mm << 5 | 10#$ss / 2)))
}

# Where a manifest source is for the build that made the given exe.
source_path() {  # source build-folder
    case $1 in
        build:*) printf '%s/demo/%s' "$2" "${1#build:}" ;;
        *) printf '%s/resources/payload/%s' "$ACC_SOURCE_DIR" "$1" ;;
    esac
}

# Runs the probe to its end (a deadline, not a sleep); output without CRs.
run_probe() {  # args...
    timeout 60 "$ACC_WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

acc_case "the shipped exe and both twins carry the ten containers byte for byte"
for exe in "$ACC_BUILD/windows/tessaly-setup.exe" "$ACC_BUILD/win64/twin64/tessaly-setup.exe" \
    "$ACC_BUILD/win64/twin32/tessaly-setup.exe" "$PROBE"; do
    case $exe in
        "$ACC_BUILD"/windows/*) payload=$ACC_BUILD/windows/payload ;;
        *) payload=$ACC_BUILD/win64/payload ;;
    esac
    if [ ! -f "$exe" ]; then
        acc_fail "missing $exe"
        continue
    fi
    while read -r item _; do
        resource=$(printf '%s' "$item" | tr '[:lower:]' '[:upper:]')
        if ! python3 "$PE_INSPECT" resource "$exe" 10 "$resource" >"$ACC_OUT/resource.bin" ||
            ! cmp -s "$ACC_OUT/resource.bin" "$payload/$item.bin"; then
            acc_fail "${exe#"$ACC_BUILD"/}: RCDATA $resource differs from $item.bin"
        fi
    done < <(manifest_lines)
    acc_log "${exe#"$ACC_BUILD"/}: $(stat -c %s "$exe") bytes"
done

acc_new_prefix payload 64
UNPACKED=$(acc_drive_c)/payload
mkdir -p "$UNPACKED"

acc_case "all ten items load from the exe's resources and match their sources"
listing=$(run_probe unpack 'C:\payload')
acc_expect_eq 0 "$?" "probe exit code"
printf '%s\n' "$listing" >"$ACC_OUT/unpack.txt"
acc_expect_eq 10 "$(printf '%s\n' "$listing" | grep -c .)" "items listed"
while read -r item name date time source; do
    source_file=$(source_path "$source" "$ACC_TOOLS_BUILD")
    expected=$(printf '%s\t%s\t%s\t%s' "$item" "$name" "$(dos_date_hex "$date" "$time")" \
        "$(stat -c %s "$source_file")")
    acc_expect_eq "$expected" "$(printf '%s\n' "$listing" | grep "^$item	")" "$item"
    cmp -s "$source_file" "$UNPACKED/$name" || acc_fail "$item: $name differs from its source"
done < <(manifest_lines)

acc_case "items are found without regard to case; a missing one names itself as asked"
acc_expect_eq "$(printf 'Rs_ReadMe\treadme.txt')" "$(run_probe load Rs_ReadMe | cut -f1,2)" \
    "Rs_ReadMe"
missing=$(run_probe load Rs_Missing)
acc_expect_eq 1 "$?" "exit code for a missing item"
acc_expect_eq "$(printf 'error\tRs_Missing\tResource Rs_Missing not found')" "$missing" \
    "missing item"

acc_case "the unpacked dornw.exe and tessaly.exe run in DOSBox 0.74 and write f"
dos=$ACC_OUT/dos
mkdir -p "$dos/c" "$dos/home"
cp "$UNPACKED/dornw.exe" "$UNPACKED/tessaly.exe" "$dos/c/"
printf 'stale\r\n' >"$dos/c/f"
cat >"$dos/dosbox.conf" <<CONF
[autoexec]
mount c "$dos/c"
c:
del f
dornw.exe /ns
if errorlevel 1 echo fail>dornw.rc
if not errorlevel 1 echo ok>dornw.rc
copy f dornw.f
del f
tessaly.exe /NS
if errorlevel 1 echo fail>tessaly.rc
if not errorlevel 1 echo ok>tessaly.rc
exit
CONF
(cd "$dos" && HOME=$dos/home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    timeout 60 dosbox -conf "$dos/dosbox.conf" >"$dos/dosbox.log" 2>&1)
acc_expect_contains "$(cat "$dos/dosbox.log")" \
    "CONFIG:Loading primary settings from config file $dos/dosbox.conf" "DOSBox log"
# DOSBox writes new names in capitals on the host.
for program in dornw tessaly; do
    rc=$(cat "$dos/c/${program^^}.RC" 2>/dev/null | tr -d '\r ')
    acc_expect_eq ok "$rc" "$program.exe /ns exit code 0"
done
for listing_file in "$dos/c/DORNW.F" "$dos/c/F"; do
    if [ ! -f "$listing_file" ]; then
        acc_fail "no print file ${listing_file##*/}"
        continue
    fi
    text=$(tr -d '\r' <"$listing_file")
    acc_expect_contains "$text" "TESSALY 3.24 DEMO  -  SAMPLE WHEEL LISTING" "${listing_file##*/}"
    acc_expect_contains "$text" "Ticket 10:" "${listing_file##*/}"
    acc_expect_contains "$text" "End of listing." "${listing_file##*/}"
done

acc_case "the unpacked pr32.exe runs and says why it cannot print"
printf 'TESSALY\r\n' >"$UNPACKED/f"
# Started in the install folder, as the Print F shortcut starts it.
cd "$UNPACKED" && acc_start "$UNPACKED/pr32.exe" f
cd "$ACC_SOURCE_DIR" || exit 2
acc_expect_exit 3 "pr32 exit code without a default printer" 60
acc_expect_contains "$(tr -d '\r' <"$ACC_OUT/run-$ACC_CASES.log")" "there is no default printer" \
    "pr32 message"

acc_end
