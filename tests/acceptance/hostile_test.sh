#!/bin/bash
# Hostile payloads under Wine: copies of the suite's subject (the shipped exe,
# or the 32-bit twin where the twins stand in), each with one payload item
# damaged, are made in this suite's own output folder (never in a build's) by
# taking the item out of the copy's resources (pe_inspect.py), damaging it
# with the installer's own key (damage_item, from the native build) and
# putting it back in its place. Each copy is driven as a user would: Setup,
# Install into the default folder. Every damage must be refused before any
# file is written, with a message that names the item, then the main window
# back with "Tessaly was not installed."; no file may appear outside the
# install folder, which stays empty; and the program ends in order when its
# window is closed, without a crash.
#
# The programs run in a Wine virtual desktop, where a window hides at once.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin hostile
acc_new_prefix hostile 32
acc_virtual_desktop 800x600

DAMAGE=$ACC_BUILD/native/acceptance/damage_item
PE_INSPECT=$ACC_SOURCE_DIR/tests/acceptance/pe_inspect.py
if [ ! -x "$DAMAGE" ]; then
    echo "missing $DAMAGE: build it first (make build)" >&2
    exit 2
fi
ERROR_TITLE="Tessaly Installer Version 3.24" # the application's error box
C=$(acc_drive_c)
DESKTOP=$(acc_search_windows --name '^Default - Wine desktop$' | head -n 1)

# A copy of the installer, under the shipped exe's file name (which boxes
# without a caption of their own show), whose item carries the damage (see
# damage_item.cpp).
make_variant() {  # name item damage
    local stored=$ACC_OUT/exe/$1.stored
    mkdir -p "$ACC_OUT/exe/$1"
    python3 "$PE_INSPECT" resource "$ACC_INSTALLER" 10 "$2" >"$stored" &&
        "$DAMAGE" "$stored" "$stored.damaged" "$3" &&
        python3 "$PE_INSPECT" replace "$ACC_INSTALLER" 10 "$2" "$stored.damaged" \
            "$ACC_OUT/exe/$1/tessaly-setup.exe"
}

# Every file and folder of drive C: and of the folders the runs start in.
snapshot() {
    find "$C" "$ACC_OUT/start" -mindepth 1 2>/dev/null | sort
}

# In the virtual desktop the installer's windows are no X windows of their
# own: the probe finds them and says where they are (its exit code says
# whether it found them, so it is not piped here).
main_shown() { acc_wine "$ACC_TOOLS/probe.exe" client "$TITLE" >/dev/null; }

# Clicks a point of the main window's client area.
click_main() {  # x y
    local x y w h
    read -r x y w h <<<"$(probe client "$TITLE")"
    xdotool mousemove --window "$DESKTOP" $((x + $1)) $((y + $2)) click 1 \
        mousemove --window "$DESKTOP" 2 2
}

# Waits for a box with this title; BOX_TEXTS are its texts (escaped, one line
# per child window) and BOX_MAIN_SHOWN whether the main window showed with
# it. Screenshots it and presses its OK.
answer_box() {  # title shot-name
    local deadline=$((SECONDS + 20))
    until BOX_TEXTS=$(acc_wine "$ACC_TOOLS/probe.exe" texts "$1"); do
        if [ $SECONDS -ge $deadline ]; then
            acc_fail "no box titled '$1'"
            acc_screenshot "$2-missing" >/dev/null
            return 1
        fi
        sleep 0.1
    done
    BOX_TEXTS=${BOX_TEXTS//$'\r'/}
    BOX_MAIN_SHOWN=no
    main_shown && BOX_MAIN_SHOWN=yes
    acc_screenshot "$2" >/dev/null
    acc_wine "$ACC_TOOLS/probe.exe" click "$1" OK || acc_fail "no OK on the box titled '$1'"
}

# Runs one damaged copy from an empty folder of its own (where a name with a
# drive but no folder part would land): Setup, Install into the default
# folder, the error shown, the main window back with its notice, then its
# close. Checks the messages, the exit code and that the empty install folder
# is all the run made.
run_variant() {  # name item damage expected-text
    local name=$1 before
    if ! make_variant "$name" "$2" "$3"; then
        acc_fail "could not damage $2 ($3)"
        return 1
    fi
    mkdir -p "$ACC_OUT/start/$name"
    before=$(snapshot)
    (cd "$ACC_OUT/start/$name" && exec "$ACC_WINE" "$ACC_OUT/exe/$name/tessaly-setup.exe") \
        >"$ACC_OUT/run-$name.log" 2>&1 &
    ACC_PID=$!
    if ! wait_for 30 main_shown; then
        acc_fail "no main window"
        acc_screenshot "$name-no-main-window" >/dev/null
        return 1
    fi
    click_main $SETUP
    wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
    click_main $INSTALL
    if [ "$name" = empty ]; then
        # An unreadable item: the run's own message, at once and again at
        # the end with its own caption.
        answer_box "$NOTICE_TITLE" "$name-read-error"
        acc_expect_contains "$BOX_TEXTS" "$4" "message"
        answer_box Tessaly "$name-final-message"
    else
        answer_box "$ERROR_TITLE" "$name-error"
    fi
    acc_expect_contains "$BOX_TEXTS" "$4" "message"
    acc_log "message: $(grep -m1 -o 'Resource.*\|Error Reading.*' <<<"$BOX_TEXTS")"
    acc_expect_eq no "$BOX_MAIN_SHOWN" "main window shown with the error"
    answer_box "$NOTICE_TITLE" "$name-not-installed"
    acc_expect_contains "$BOX_TEXTS" "Tessaly was not installed." "notice"
    acc_expect_eq yes "$BOX_MAIN_SHOWN" "main window back with the notice"
    wait_for 10 page_is 2 || acc_fail "the main window is not back on its folder page"
    click_main $CANCEL2
    acc_expect_exit 0 "exit code after the main window's Cancel" 30
    if grep -qi 'unhandled\|exception\|crash' "$ACC_OUT/run-$name.log"; then
        acc_fail "crashed: $(grep -m1 -i 'unhandled\|exception\|crash' "$ACC_OUT/run-$name.log")"
    fi
    acc_expect_eq "$C/kr" "$(comm -13 <(printf '%s\n' "$before") <(snapshot))" \
        "what the run added"
    rm -rf "$C/kr"
}

mkdir -p "$ACC_OUT/start"

acc_case "A truncated item"
run_variant truncated rs_qdb1 truncated \
    'Error\r\n\r\nResource rs_qdb1 is damaged: its stream is corrupt or cut short.'

acc_case "A corrupt stream"
run_variant corrupt rs_pr32 corrupt \
    'Error\r\n\r\nResource rs_pr32 is damaged: its stream is corrupt or cut short.'

acc_case "A size field larger than the stream gives"
run_variant larger rs_readme size+1 'Resource rs_readme is damaged: it unpacks to '

acc_case "A size field smaller than the stream gives"
run_variant smaller rs_exe size-1 'Resource rs_exe is damaged: it unpacks to '

acc_case "A file name that climbs out of the folder"
run_variant dotdot rs_hlp 'name=..\escaped.txt' \
    'Resource rs_hlp is damaged: its file name holds a folder part.'

acc_case "A file name with a drive"
run_variant drive rs_icon 'name=C:escaped.txt' \
    'Resource rs_icon is damaged: its file name names a drive or a stream.'

acc_case "A device name"
run_variant device rs_qdbv4 'name=CON' 'Resource rs_qdbv4 is damaged: its file name is a device name.'

acc_case "An item of 47 bytes: a header and no stream"
run_variant header-only rs_cmd header-only \
    'Error\r\n\r\nResource rs_cmd is damaged: its stream is corrupt or cut short.'

acc_case "An item that unpacks to nothing"
run_variant empty rs_qdbv4add empty 'Error Reading resource item rs_qdbv4add, Filename drawsadd.qdb'

acc_end
