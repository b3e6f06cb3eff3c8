#!/bin/bash
# The progress window and the installation run under Wine, through the
# test-only driver run_installation_gui.exe (built like the suite's subject,
# linking the installer's own objects and payload): all ten files land with
# their items' bytes and dates; Pause, Resume, Cancel, the maximise box and
# the close box are driven with the real mouse between files; the cancel
# notice and the failure message are read back from their boxes; and each
# window state is screenshot and compared with the headless rendering of the
# same state (progress_expect, from the native build).
#
# The programs run in a Wine virtual desktop, which draws real title bars
# with their buttons. To click between files, the run is held after a chosen
# file (acc_start_held: strace stops it after that file's date step, which
# leaves the program itself unchanged) while the click is made.
source "$(dirname "$0")/lib.sh"
export TZ=UTC  # the files' dates are local times; stat reads them back in UTC
acc_begin progress
acc_new_prefix progress 32

DRIVER=$(acc_tool run_installation_gui.exe)
EXPECT=$ACC_BUILD/native/acceptance/progress_expect
PROBE=$ACC_TOOLS/probe.exe
for needed in "$DRIVER" "$EXPECT" "$ACC_TOOLS/payload_probe.exe"; do
    if [ ! -x "$needed" ]; then
        echo "missing $needed: build it first (make build)" >&2
        exit 2
    fi
done
TITLE="Installation Progress"
NOTICE_TITLE="Tessaly"
C=$(acc_drive_c)

# Every program of this prefix opens in an 800x600 virtual desktop, whose
# process is no child of a traced run (strace would wait for it).
acc_virtual_desktop 800x600

# What the installer carries: each item's file name, date, length and bytes,
# unpacked by the installer's own loader into C:\expected.
mkdir -p "$C/expected"
ITEMS=$(acc_wine "$ACC_TOOLS/payload_probe.exe" unpack 'C:\expected' | tr -d '\r')
NAMES=() DATES=() SIZES=() TOTAL=0
while IFS=$'\t' read -r _ name date size; do
    NAMES+=("$name") DATES+=("$date") SIZES+=("$size")
    TOTAL=$((TOTAL + size))
done <<<"$ITEMS"
if [ ${#NAMES[@]} -ne 10 ]; then
    echo "payload_probe did not unpack ten items: $ITEMS" >&2
    exit 2
fi

# --- Helpers -----------------------------------------------------------------

# Starts the driver on a folder; with a file's number, the run is held after
# that file until acc_release. The pointer waits in the desktop's corner.
start_run() {  # folder [file number]
    xdotool mousemove 2 2
    if [ -n "${2:-}" ]; then
        acc_start_held "$2" "$DRIVER" "$1"
    else
        acc_start "$DRIVER" "$1"
    fi
}

# Waits until the run is held after its file.
run_held() {
    acc_wait_held && return 0
    acc_fail "the run was not held"
    return 1
}

# Waits for a window to show and learns where its client area is on the
# desktop: CLIENT_X, CLIENT_Y, CLIENT_W, CLIENT_H.
locate() {  # title [timeout]
    local deadline=$((SECONDS + ${2:-30})) client
    until client=$(acc_wine "$PROBE" client "$1"); do
        if [ $SECONDS -ge $deadline ]; then
            acc_fail "no window titled '$1'"
            return 1
        fi
        sleep 0.1
    done
    read -r CLIENT_X CLIENT_Y CLIENT_W CLIENT_H <<<"${client//$'\r'/}"
    DESKTOP=$(acc_search_windows --name '^Default - Wine desktop$' | head -n 1)
}

# Clicks a title-bar button (close, maximize) of the window; it must be
# pumping messages, since it is asked where its buttons are.
click_title_button() {  # title button
    local x y
    read -r _ x y <<<"$(acc_wine "$PROBE" buttons "$1" | tr -d '\r' | grep "^$2 ")"
    if [ -z "$x" ]; then
        acc_fail "no $2 button on '$1'"
        return 1
    fi
    click "$x" "$y"
}

# Clicks at desktop coordinates, then parks the pointer in the desktop's
# corner, away from the window, so that no button stays hot.
click() {  # x y
    xdotool mousemove --window "$DESKTOP" "$1" "$2" click 1 mousemove --window "$DESKTOP" 2 2
}

# Clicks the middle of a control of the progress window (in a state, for a
# control that moves).
click_control() {  # name [state]
    local x y
    read -r x y <<<"$("$EXPECT" centre "$@")"
    click $((CLIENT_X + x)) $((CLIENT_Y + y))
}

files_in() { find "$C/$1" -maxdepth 1 -type f 2>/dev/null | wc -l; }

wait_files() {  # folder count [timeout]
    local deadline=$((SECONDS + ${3:-30}))
    while [ "$(files_in "$1")" -lt "$2" ]; do
        [ $SECONDS -ge $deadline ] && { acc_fail "fewer than $2 files in $1"; return 1; }
        sleep 0.05
    done
}

# Waits until no file is added to the folder for a while: the run is paused.
wait_paused() {  # folder
    local count last=-1 since=$SECONDS deadline=$((SECONDS + 20))
    while :; do
        count=$(files_in "$1")
        [ "$count" != "$last" ] && { last=$count; since=$SECONDS; }
        [ $((SECONDS - since)) -ge 2 ] && return 0
        [ $SECONDS -ge $deadline ] && { acc_fail "the run in $1 does not stop"; return 1; }
        sleep 0.1
    done
}

# Keeps a crop of the window from a screenshot (NAME-window.png) for looking at.
crop_window() {  # path without .png
    /usr/bin/convert "$1.png" -crop "$((CLIENT_W + 8))x$((CLIENT_H + 30))+$((CLIENT_X - 4))+$((CLIENT_Y - 26))" \
        +repage "$1-window.png" 2>/dev/null
}

# Screenshots the desktop (NN-name.png) with a crop of the window.
SHOTS=0
shot() {  # name
    SHOTS=$((SHOTS + 1))
    SHOT=$ACC_OUT/$(printf '%02d' $SHOTS)-$1
    import -window root "$SHOT.png" 2>/dev/null
    crop_window "$SHOT"
}

# Screenshots until the window shows what the headless window shows in that
# state (painting is asynchronous), or fails after a deadline; the matching
# screenshot stays as NN-name.png with its crop.
expect_window() {  # state name
    SHOTS=$((SHOTS + 1))
    local name status
    name=$(printf '%02d' $SHOTS)-$2
    acc_expect_picture "$name" "$EXPECT" compare SHOT "$CLIENT_X" "$CLIENT_Y" "$1"
    status=$?
    crop_window "$ACC_OUT/$name"
    return $status
}

# The bytes of the first n items, in the installer's order.
bytes_of_first() {  # n
    local i sum=0
    for ((i = 0; i < $1; i++)); do sum=$((sum + SIZES[i])); done
    echo $sum
}

# The first n files of the installer's order are in the folder, and no other.
expect_first_files() {  # folder n
    local i
    for ((i = 0; i < 10; i++)); do
        if [ $i -lt "$2" ] && [ ! -f "$C/$1/${NAMES[i]}" ]; then
            acc_fail "${NAMES[i]} is missing from $1"
        elif [ $i -ge "$2" ] && [ -e "$C/$1/${NAMES[i]}" ]; then
            acc_fail "${NAMES[i]} is in $1 although the run stopped before it"
        fi
    done
}

# Seconds since 1970 of an MS-DOS date-time (8 hex digits) taken as UTC.
dos_date_epoch() {
    local v=$((16#$1))
    date -u -d "$(printf '%04d-%02d-%02d %02d:%02d:%02d' $(((v >> 25) + 1980)) $(((v >> 21) & 15)) \
        $(((v >> 16) & 31)) $(((v >> 11) & 31)) $(((v >> 5) & 63)) $(((v & 31) * 2)))" +%s
}

# Waits for the box captioned "Tessaly" and prints its texts.
notice_texts() {
    local deadline=$((SECONDS + 20)) texts
    until texts=$(acc_wine "$PROBE" texts "$NOTICE_TITLE"); do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
    printf '%s' "${texts//$'\r'/}"
}

# Reads the box captioned "Tessaly", screenshots it and presses its OK.
answer_notice() {  # shot-name
    NOTICE=$(notice_texts) || { acc_fail "no box captioned '$NOTICE_TITLE'"; return 1; }
    shot "$1"
    acc_wine "$PROBE" click "$NOTICE_TITLE" OK || acc_fail "no OK on the box"
}

# After a run that succeeded on 32-bit Windows without Corvane, the
# completion step asks whether to make the desktop shortcut: No, then its
# final box, read back.
answer_completion() {  # shot-name
    local deadline=$((SECONDS + 20))
    until acc_wine "$PROBE" click Warning "&No"; do
        if [ $SECONDS -ge $deadline ]; then
            acc_fail "no completion question"
            return 1
        fi
        sleep 0.2
    done
    answer_notice "$1" &&
        acc_expect_contains "$NOTICE" "To run Tessaly, start Corvane and press function key F5." \
            "completion's final message"
}

# --- Cases -------------------------------------------------------------------

acc_case "Writing, paused, resumed and finished: every file with its item's bytes and date"
start_run 'C:\kr' 2
locate "$TITLE" && run_held && {
    shot writing
    click_control btnPause
    acc_release
    wait_paused kr
    expect_first_files kr 2
    expect_window "writing:2:$(bytes_of_first 2):$TOTAL" paused
    click_control btnPause # now Resume
    wait_files kr 10
    expect_window "finished:$TOTAL" finished
    for ((i = 0; i < 10; i++)); do
        cmp -s "$C/expected/${NAMES[i]}" "$C/kr/${NAMES[i]}" ||
            acc_fail "${NAMES[i]} differs from its item"
        acc_expect_eq "$(dos_date_epoch "${DATES[i]}")" "$(stat -c %Y "$C/kr/${NAMES[i]}")" \
            "date of ${NAMES[i]}"
    done
    click_control btnCancel "finished:$TOTAL" # OK
    answer_completion completion
}
acc_expect_exit 0 "exit code after OK"

acc_case "Cancel between files: the files written stay, and the notice counts them"
start_run 'C:\cancel' 3
locate "$TITLE" && run_held && {
    click_control btnCancel
    acc_release
    answer_notice cancel-notice && {
        expect_first_files cancel 3
        acc_expect_contains "$NOTICE" "Installation cancelled. 3 of 10 files were installed." \
            "cancel notice"
    }
}
acc_expect_exit 1 "exit code after a cancel"

acc_case "Paused, then the close box: the first attempt stops the run and the notice counts"
start_run 'C:\closing' 2
locate "$TITLE" && run_held && {
    click_control btnPause
    acc_release
    wait_paused closing
    shot paused-before-close
    click_title_button "$TITLE" close
    answer_notice close-notice && {
        expect_first_files closing 2
        acc_expect_contains "$NOTICE" "Installation cancelled. 2 of 10 files were installed." \
            "notice after the close box"
    }
}
acc_expect_exit 1 "exit code after the close box"

acc_case "Waiting for OK: the maximised window keeps its panels, and the close box ends the wait as OK does"
start_run 'C:\max'
locate "$TITLE" && wait_files max 10 && expect_window "finished:$TOTAL" finished-before-maximise && {
    click_title_button "$TITLE" maximize
    locate "$TITLE"
    sleep 0.5 # painting after the resize; the picture is only looked at
    shot maximised
    acc_expect_eq "800" "$CLIENT_W" "client width when maximised"
    click_title_button "$TITLE" close
    answer_completion completion-after-close
}
acc_expect_exit 0 "exit code after the close box at the end"

acc_case "A read-only file of the same name: the failure message names it with the system's reason"
mkdir -p "$C/ro"
printf 'old' >"$C/ro/readme.txt"
chmod a-w "$C/ro/readme.txt"
start_run 'C:\ro'
locate "$TITLE" && expect_window "finished:$TOTAL" failed && {
    click_control btnCancel "finished:$TOTAL" # OK
    answer_notice failure-message && {
        acc_expect_contains "$NOTICE" "The installation failed:" "failure message"
        acc_expect_contains "$NOTICE" 'The file C:\\ro\\readme.txt could not be written: ' \
            "failed file"
        acc_log "message: $(grep -o 'The file.*' <<<"$NOTICE")"
    }
}
acc_expect_exit 1 "exit code after a failed write"
acc_expect_eq "old" "$(cat "$C/ro/readme.txt")" "the read-only file"
acc_expect_eq 10 "$(files_in ro)" "files in the folder"

acc_end
