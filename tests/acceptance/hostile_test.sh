#!/bin/bash
# Hostile payloads under Wine: copies of a program that carries the
# installer's payload, each with one item damaged, are made in this suite's
# own output folder (never in a build's) by taking the item out of the copy's
# resources (pe_inspect.py), damaging it with the installer's own key
# (damage_item, from the native build) and putting it back in its place.
# Each copy runs an installation; every damage must be refused before any
# file is written, with a message that names the item, no file may appear
# outside the install folder (the folder itself stays empty), and the
# program must end in order, without a crash.
#
# The copies are of the test-only driver run_installation_gui.exe, which runs
# the installation as the installer's Install button does and shows an error
# that escapes the run in the application's error box.
source "$(dirname "$0")/lib.sh"
acc_begin hostile
acc_new_prefix hostile 32
acc_virtual_desktop 800x600

SUBJECT=$ACC_TOOLS/run_installation_gui.exe
DAMAGE=$ACC_BUILD/native/acceptance/damage_item
PE_INSPECT=$ACC_SOURCE_DIR/tests/acceptance/pe_inspect.py
PROBE=$ACC_TOOLS/probe.exe
for needed in "$SUBJECT" "$DAMAGE"; do
    if [ ! -x "$needed" ]; then
        echo "missing $needed: build it first (make build)" >&2
        exit 2
    fi
done
ERROR_TITLE="Tessaly Installer Version 3.24" # the application's error box
NOTICE_TITLE="Tessaly"                       # the run's final message
C=$(acc_drive_c)
mkdir -p "$ACC_OUT/exe"

# A copy of the subject whose item carries the damage (see damage_item.cpp).
make_variant() {  # name item damage
    local stored=$ACC_OUT/exe/$1.stored
    python3 "$PE_INSPECT" resource "$SUBJECT" 10 "$2" >"$stored" &&
        "$DAMAGE" "$stored" "$stored.damaged" "$3" &&
        python3 "$PE_INSPECT" replace "$SUBJECT" 10 "$2" "$stored.damaged" "$ACC_OUT/exe/$1.exe"
}

# Every file and folder of drive C: and of the folders the runs start in.
snapshot() {
    find "$C" "$ACC_OUT/start" -mindepth 1 2>/dev/null | sort
}

# Waits for a box with this title; BOX_TEXTS are its texts (escaped, one line
# per child window). Screenshots it and presses its OK.
answer_box() {  # title shot-name
    local deadline=$((SECONDS + 20))
    until BOX_TEXTS=$(acc_wine "$PROBE" texts "$1"); do
        if [ $SECONDS -ge $deadline ]; then
            acc_fail "no box titled '$1'"
            acc_screenshot "$2-missing" >/dev/null
            return 1
        fi
        sleep 0.2
    done
    BOX_TEXTS=${BOX_TEXTS//$'\r'/}
    acc_screenshot "$2" >/dev/null
    acc_wine "$PROBE" click "$1" OK || acc_fail "no OK on the box titled '$1'"
}

# Runs one damaged copy into C:\hostile\NAME from an empty folder of its own
# (where a name with a drive but no folder part would land), reads what it
# shows, and checks how it ended and that the empty install folder is all it
# made.
run_variant() {  # name item damage expected-text expected-exit
    local name=$1 before
    if ! make_variant "$name" "$2" "$3"; then
        acc_fail "could not damage $2 ($3)"
        return 1
    fi
    mkdir -p "$ACC_OUT/start/$name"
    before=$(snapshot)
    (cd "$ACC_OUT/start/$name" && exec "$ACC_WINE" "$ACC_OUT/exe/$name.exe" "C:\\hostile\\$name") \
        >"$ACC_OUT/run-$name.log" 2>&1 &
    ACC_PID=$!
    if [ "$5" = 2 ]; then
        answer_box "$ERROR_TITLE" "$name-error"
    else
        # An unreadable item: the run's own message, at once with the box's
        # default caption and again at the end with its own.
        answer_box "$name.exe" "$name-read-error"
        acc_expect_contains "$BOX_TEXTS" "$4" "message"
        answer_box "$NOTICE_TITLE" "$name-notice"
    fi
    acc_expect_contains "$BOX_TEXTS" "$4" "message"
    acc_log "message: $(grep -m1 -o 'Resource.*\|Error Reading.*' <<<"$BOX_TEXTS")"
    acc_expect_exit "$5" "exit code" 30
    if grep -qi 'unhandled\|exception\|crash' "$ACC_OUT/run-$name.log"; then
        acc_fail "crashed: $(grep -m1 -i 'unhandled\|exception\|crash' "$ACC_OUT/run-$name.log")"
    fi
    acc_expect_eq "$C/hostile/$name" "$(comm -13 <(printf '%s\n' "$before") <(snapshot))" \
        "what the run added"
}

mkdir -p "$C/hostile" "$ACC_OUT/start"

acc_case "A truncated item"
run_variant truncated rs_qdb1 truncated \
    'Error\r\n\r\nResource rs_qdb1 is damaged: its stream is corrupt or cut short.' 2

acc_case "A corrupt stream"
run_variant corrupt rs_pr32 corrupt \
    'Error\r\n\r\nResource rs_pr32 is damaged: its stream is corrupt or cut short.' 2

acc_case "A size field larger than the stream gives"
run_variant larger rs_readme size+1 'Resource rs_readme is damaged: it unpacks to ' 2

acc_case "A size field smaller than the stream gives"
run_variant smaller rs_exe size-1 'Resource rs_exe is damaged: it unpacks to ' 2

acc_case "A file name that climbs out of the folder"
run_variant dotdot rs_hlp 'name=..\escaped.txt' \
    'Resource rs_hlp is damaged: its file name holds a folder part.' 2

acc_case "A file name with a drive"
run_variant drive rs_icon 'name=C:escaped.txt' \
    'Resource rs_icon is damaged: its file name names a drive or a stream.' 2

acc_case "A device name"
run_variant device rs_qdbv4 'name=CON' 'Resource rs_qdbv4 is damaged: its file name is a device name.' 2

acc_case "An item of 47 bytes: a header and no stream"
run_variant header-only rs_cmd header-only \
    'Error\r\n\r\nResource rs_cmd is damaged: its stream is corrupt or cut short.' 2

acc_case "An item that unpacks to nothing"
run_variant empty rs_qdbv4add empty 'Error Reading resource item rs_qdbv4add, Filename drawsadd.qdb' 1

acc_end
