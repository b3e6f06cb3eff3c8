#!/bin/bash
# The installer by keyboard alone: not one mouse event, only key presses
# through the X server's test input to the window holding the X focus. A
# whole installation on both kinds of Windows; Escape on each page and in
# the progress window between files and while paused; and the focus cue and
# access-key underlines on each button of the main window, compared with the
# headless rendering (hidden until the first Tab, as for the mouse user).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin keyboard
export TZ=UTC  # file dates are local time: UTC keeps them comparable

require_expect_tools

# Key presses as the keyboard makes them, to the window with the X focus.
keys() { xdotool key --delay 60 "$@"; }

# Gives a window the X focus, which Wine takes as its activation.
focus_window() {  # title
    local window
    window=$(acc_wait_window "$1" 30) || return 1
    [ -n "$window" ] || { acc_fail "no window '$1'"; return 1; }
    timeout 30 xdotool windowfocus --sync "$window" 2>/dev/null ||
        { acc_fail "the window '$1' did not get the focus"; return 1; }
    WINDOW=$window
}

# Starts the installer (or a start command's) and gives the main window
# the focus: ORIGIN_X/Y is its client area on the screen.
open_by_keyboard() {  # [start command]
    "${@:-acc_start}" "$ACC_INSTALLER"
    focus_window "$TITLE" || { acc_fail "no main window"; return 1; }
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    ORIGIN_X=$X
    ORIGIN_Y=$Y
}

# The screenshot against the headless window with that control focused and
# the cues on (none: the mouse user's look); for a button, also its dots.
expect_look() {  # name page [focused]
    acc_expect_picture "$1" "$EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" "$2" ${3:+"$3"} ||
        return
    case ${3:-} in
        "") expect_dots "$1" 000 "$EXPECT" cue btnSetup 0 ;;  # none where Tab puts them
        edInstallDir) ;;
        *) expect_dots "$1" 101 "$EXPECT" cue "$3" "$2" ;;
    esac
}

# The first three pixels of a button's focus rectangle in a screenshot of
# the window at ORIGIN_X/Y (the expect tool's cue says where): 1 where
# white, as the dots are.
expect_dots() {  # shot expected cue-command...
    local shot=$1 expected=$2 left top right bottom x p dots=""
    shift 2
    read -r left top right bottom <<<"$("$@")"
    for x in $left $((left + 1)) $((left + 2)); do
        p="p{$((ORIGIN_X + x)),$((ORIGIN_Y + top))}"
        dots+=$(convert "$ACC_OUT/$shot.png" -format "%[fx:($p.r+$p.g+$p.b)>2.99?1:0]" info:)
    done
    acc_expect_eq "$expected" "$dots" "the first dots of $3's focus rectangle in $shot"
}

acc_new_prefix keyboard-32 32

acc_case "32-bit Windows: a whole installation by keyboard, each button's cue looked at"
if open_by_keyboard; then
    expect_look welcome-mouse-look 0
    keys Tab
    expect_look welcome-cancel 0 btnCancel
    keys shift+Tab
    expect_look welcome-setup 0 btnSetup
    keys Return
    wait_for 10 page_is 2 || acc_fail "Return did not open the folder page"
    expect_look folder-edit 1 edInstallDir
    for button in btnBrowse btnInstall BtnCancel2; do
        keys Tab
        expect_look "folder-$button" 1 "$button"
    done
    keys Tab Return  # back in the folder box, Return presses Install
    if wait_stage "Installation Successful." 60; then
        # OK, the only button, has the focus; Tab shows its cue.
        keys Tab
        read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(probe client "$PROGRESS")"
        total=$(field "$PROGRESS" lbStatus 7 | sed 's/ of .*//; s/,//g')
        acc_expect_picture progress-ok "$PROGRESS_EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" \
            "finished:$total" btnCancel &&
            expect_dots progress-ok 101 "$PROGRESS_EXPECT" cue btnCancel "finished:$total"
    fi
    keys Return      # OK
    focus_window Warning && keys n
    focus_window Tessaly && keys Return
    acc_expect_exit 0 "exit code"
    expect_installed "$(acc_drive_c)/kr"
fi

acc_case "32-bit Windows: Escape closes the window on the welcome page and on the folder page"
for page in 1 2; do
    open_by_keyboard || continue
    [ $page = 2 ] && keys alt+s && { wait_for 10 page_is 2 || acc_fail "Alt+S did not open the folder page"; }
    keys Escape
    acc_expect_exit 0 "exit code after Escape on page $page"
done

# The user's choice of keyboard cues, read by the prefix's wineserver when
# it starts (a persistent one again afterwards).
keyboard_cues() {  # on|off
    "$ACC_WINESERVER" -k >/dev/null 2>&1
    "$ACC_WINESERVER" -w >/dev/null 2>&1
    acc_keyboard_cues "$1"
    acc_persistent_wineserver
}

acc_case "32-bit Windows, keyboard cues always on by the user's choice: shown from the start"
keyboard_cues on
if open_by_keyboard; then
    acc_expect_picture always-cues "$EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" 0 btnSetup &&
        expect_dots always-cues 101 "$EXPECT" cue btnSetup 0
    keys Escape
    acc_expect_exit 0 "exit code after Escape"
fi
keyboard_cues off

# The run held after a file (strace, attached once the main window shows,
# stops it after that file's date), a key pressed while it is held, then
# released: the key acts between files. A run that goes wrong is ended with
# every program of the prefix, so that none shows a window late and takes
# the next case's keys.
held_run() {  # files-before-the-keys keys...
    rm -rf "$(acc_drive_c)/kr"
    held_keys "$@" && return 0
    acc_restart_wineserver
    return 1
}
held_keys() {  # files-before-the-keys keys...
    local files=$1
    shift
    open_by_keyboard || return 1
    acc_hold "$files" || { acc_fail "strace did not attach to the installer"; return 1; }
    keys Return Return  # Setup, Install
    acc_wait_held || { acc_fail "the run was not held"; return 1; }
    focus_window "$PROGRESS" || return 1
    keys "$@"
    acc_release
}

pause_reads() { [ "$(field "$PROGRESS" btnPause 7)" = "$1" ]; }

# The notice that the run was cancelled, and the main window's notice after it.
expect_cancelled() {  # files
    expect_box Tessaly "Installation cancelled. $1 of 10 files were installed."
    expect_box "$NOTICE_TITLE" "Tessaly was not installed."
    acc_expect_eq "$1" "$(find "$(acc_drive_c)/kr" -maxdepth 1 -type f | wc -l)" "files left"
    focus_window "$TITLE" && keys Escape
    acc_expect_exit 0 "exit code after the cancelled run"
}

acc_case "32-bit Windows: Escape in the progress window between files cancels as a click does"
held_run 3 Escape && expect_cancelled 3

acc_case "32-bit Windows: P pauses, and Escape while paused cancels"
if held_run 2 Tab p; then  # Tab: the cues show, the focus moves to Cancel
    wait_for 10 pause_reads Resume || acc_fail "P did not pause"
    acc_screenshot paused >/dev/null  # looked at: Resume's R underlined, Cancel's cue
    keys Escape
    expect_cancelled 2
fi

acc_switch_prefix keyboard-64 64
mkdir -p "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
cp "$ACC_TOOLS/probe.exe" "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74/dosbox.exe"

acc_case "64-bit Windows with DOSBox: a whole installation by keyboard"
if open_by_keyboard; then
    keys Return Return
    wait_stage "Installation Successful." 60 && keys Return
    focus_window "$NOTICE_TITLE" && keys Return
    acc_expect_exit 0 "exit code"
    expect_installed "$(acc_drive_c)/kr"
    desktop="$(acc_drive_c)/users/$(id -un)/Desktop"
    for made in "$(acc_drive_c)/kr/dosbox.conf" "$desktop/Tesicon DOSbox.lnk" "$desktop/Print F.lnk"; do
        [ -f "$made" ] || acc_fail "${made##*/} was not made"
    done
fi

acc_end
