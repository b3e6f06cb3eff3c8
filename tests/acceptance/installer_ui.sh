#!/bin/bash
# Driving the installer through its windows as a user does, for the suites
# that install through the main window: the main window's places, the probe's
# reading of the running windows, message boxes, the progress window's end
# and the completion's questions. Source it after lib.sh.

TITLE="Vantrel Tessaly Installer"
PROGRESS="Installation Progress"
NOTICE_TITLE=tessaly-setup.exe  # the boxes without a caption of their own
MANIFEST=$ACC_SOURCE_DIR/resources/payload/manifest.txt

# Client coordinates in the main window (the pages start 185 pixels right).
SETUP="323 343"
CANCEL="542 343"
EDIT="400 48"
BROWSE="575 48"
INSTALL="430 352"
CANCEL2="564 352"
OFF_BUTTONS="20 390"  # the side panel's foot: nothing there reacts

# The headless renderings of both windows (tests/acceptance/native), for
# the suites that compare screenshots with them: EXPECT and PROGRESS_EXPECT.
require_expect_tools() {
    EXPECT=$ACC_BUILD/native/acceptance/main_window_expect
    PROGRESS_EXPECT=$ACC_BUILD/native/acceptance/progress_expect
    if [ ! -x "$EXPECT" ] || [ ! -x "$PROGRESS_EXPECT" ]; then
        echo "missing $EXPECT or $PROGRESS_EXPECT: build them first (make build)" >&2
        exit 2
    fi
}

# The probe's output without CRs; its exit code is the probe's.
probe() {
    acc_wine "$ACC_TOOLS/probe.exe" "$@" | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
click() { acc_click "$WINDOW" $1; }  # "x y"

# Polls a command until it succeeds or the deadline passes.
wait_for() {  # seconds command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}

# The running window's description of its controls (probe controls).
controls() { probe controls "$1"; }
field() { controls "$1" | awk -F'\t' -v n="$2" -v f="$3" '$1 == n { print $f }'; }
page_is() { [ "$(field "$TITLE" "TabSheet$1" 6)" = 1 ]; }
folder_text() { probe texts "$TITLE" | awk -F'\t' '$1 == "Edit" { print $2 }'; }
folder_is() { [ "$(folder_text)" = "$1" ]; }

# Starts the installer and waits for the main window: WINDOW, ORIGIN_X/Y.
open_main() {  # shot [start command]
    local shot=$1
    shift
    xdotool mousemove 1023 767
    "${@:-acc_start}" "$ACC_INSTALLER"
    WINDOW=$(acc_wait_window "$TITLE" 30)
    if [ -z "$WINDOW" ]; then
        acc_fail "no main window"
        acc_screenshot "$shot-missing" >/dev/null
        return 1
    fi
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    ORIGIN_X=$X
    ORIGIN_Y=$Y
}

# Waits for a box, keeps its text in BOX_TEXT (the probe escapes CR, LF and
# backslashes), takes a screenshot and presses the keys.
answer_box() {  # title shot keys...
    local title=$1 shot=$2 key
    shift 2
    BOX_TEXT=""
    ACC_WINDOW=$(acc_wait_window "$title" 30)
    if [ -z "$ACC_WINDOW" ]; then
        acc_fail "no box titled '$title'"
        acc_screenshot "$shot-missing" >/dev/null
        return 1
    fi
    BOX_TEXT=$(acc_window_texts "$title" | sed -n 's/^Static\t\(..*\)$/\1/p' | head -n 1)
    acc_screenshot "$shot" >/dev/null
    for key in "$@"; do
        acc_key "$ACC_WINDOW" "$key"
    done
}

# Expects a message box with the text, answers it with Enter and waits for
# it to go. Each box is screenshot as box-CASE-N.png; BOX_TEXTS keeps what
# the box said (acc_window_texts).
BOXES=0
expect_box() {  # title text
    local box
    BOXES=$((BOXES + 1))
    box=$(acc_wait_window "$1" 30)
    if [ -z "$box" ]; then
        acc_fail "no box '$1' saying '$2'"
        acc_screenshot "missing-box-$ACC_CASES" >/dev/null
        return 1
    fi
    acc_screenshot "box-$ACC_CASES-$BOXES" >/dev/null
    BOX_TEXTS=$(acc_window_texts "$1")
    acc_expect_contains "$BOX_TEXTS" "$2" "text of the box '$1'"
    BOX_MAIN_SHOWN=no
    acc_window_shown "$TITLE" && BOX_MAIN_SHOWN=yes
    acc_key "$box" Return
    wait_for 10 window_gone "$1" || acc_fail "the box '$1' stays"
}

window_gone() { ! acc_window_shown "$1"; }

# Types a folder into the box as the user would, replacing its text. Every
# key goes the same way, through the X server's test input to the window
# under the pointer (the box just clicked; with no window manager the X focus
# follows the pointer): keys sent to a window directly (xdotool --window)
# could overtake them, and lose their Shift.
type_folder() {  # text
    click "$EDIT"
    xdotool key --clearmodifiers End shift+Home BackSpace
    xdotool type --delay 15 "$1"
}

# One string field of a shortcut as lnkinfo prints it.
lnk_field() {  # lnk field-name
    lnkinfo "$1" 2>/dev/null | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -n 1
}

# The manifest's item lines: item, file name, date, time, source.
manifest_lines() { grep -v '^[[:space:]]*\(#\|$\)' "$MANIFEST"; }

# The file an installed file must equal: the payload source of the build
# whose installer runs.
payload_source() {  # file name
    local item name date time source
    while read -r item name date time source; do
        [ "$name" = "$1" ] || continue
        case $source in
            build:*) printf '%s/demo/%s' "$ACC_TOOLS_BUILD" "${source#build:}" ;;
            *) printf '%s/resources/payload/%s' "$ACC_SOURCE_DIR" "$source" ;;
        esac
    done < <(manifest_lines)
}

# The ten files of the manifest in the folder, each dated from its item.
expect_installed() {  # linux folder
    local item name date time source count=0
    while read -r item name date time source; do
        count=$((count + 1))
        if [ ! -f "$1/$name" ]; then
            acc_fail "$name is not installed in $1"
            continue
        fi
        acc_expect_eq "$(date -u -d "$date $time" +%s)" "$(stat -c %Y "$1/$name")" "date of $name"
    done < <(manifest_lines)
    acc_expect_eq 10 "$count" "files in the manifest"
}

# Waits until the progress window's stage reads the text; PROGRESS_WINDOW
# is its X id.
wait_stage() {  # text [timeout seconds]
    PROGRESS_WINDOW=$(acc_wait_window "$PROGRESS" 30)
    if [ -z "$PROGRESS_WINDOW" ]; then
        acc_fail "no progress window"
        return 1
    fi
    STAGE_WANTED=$1
    wait_for "${2:-30}" stage_is_wanted && return 0
    acc_fail "the progress window's stage does not read '$1'"
    acc_screenshot "stage-$ACC_CASES" >/dev/null
    return 1
}

stage_is_wanted() { [ "$(field "$PROGRESS" lbStage 7)" = "$STAGE_WANTED" ]; }

# Clicks a control of the progress window at its centre (btnCancel is OK
# once the run has finished).
click_progress() {  # control
    local x y w h
    read -r x y w h <<<"$(controls "$PROGRESS" | awk -F'\t' -v n="$1" '$1 == n { print $2, $3, $4, $5 }')"
    acc_click "$PROGRESS_WINDOW" $((x + w / 2)) $((y + h / 2))
}

# Starts the installer and takes it from the welcome page through Setup and
# Install with the default folder to the finished progress window, then
# presses its OK; the completion's boxes are the caller's to answer.
setup_and_install() {  # shot [start command]
    open_main "$@" || return 1
    click "$SETUP"
    wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
    click "$INSTALL"
    wait_stage "Installation Successful." || return 1
    click_progress btnCancel
}

# Opens the installer, types the folder and installs, up to the OK of the
# finished progress window; the completion's boxes are the caller's.
install_into() {  # shot windows-folder
    open_main "$1" || return 1
    click "$SETUP"
    wait_for 10 page_is 2 || { acc_fail "Setup did not open the folder page"; return 1; }
    type_folder "$2"
    click "$INSTALL"
    wait_stage "Installation Successful." 60 || return 1
    click_progress btnCancel
}

# Answers whatever the completion step shows until the installer ends: No
# to the desktop shortcut question on 32-bit Windows, OK to every notice.
# Each box is screenshot as NAME-box-N.png.
answer_completion() {  # name [timeout seconds]
    local deadline=$((SECONDS + ${2:-30})) title
    while acc_running && [ $SECONDS -lt $deadline ]; do
        for title in Warning Tessaly "$NOTICE_TITLE"; do
            if acc_window_shown "$title"; then
                BOXES=$((BOXES + 1))
                acc_screenshot "$1-box-$BOXES" >/dev/null
                if [ "$title" = Warning ]; then
                    probe click Warning "&No"
                else
                    acc_key "$(acc_wait_window "$title" 5)" Return
                fi
                wait_for 10 window_gone "$title"
            fi
        done
        sleep 0.3
    done
}
