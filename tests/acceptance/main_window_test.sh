#!/bin/bash
# The main window on 32-bit and 64-bit Windows: both pages against the
# headless rendering of the same window (side panel, backgrounds, buttons,
# logo; the labels' texts and positions read back from the running window),
# the folder box in lower case with the keyboard focus, the drive check, the
# shell's folder browser, a run cancelled in the progress window, every way
# of closing, and a whole installation from the welcome page to the files.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin main_window
export TZ=UTC  # file dates are local time: UTC keeps them comparable

require_expect_tools

# Screenshots the page until it matches the headless window; the last
# screenshot stays as NAME.png, the window's description as NAME.controls.
expect_page() {  # name page
    xdotool mousemove $((ORIGIN_X + ${OFF_BUTTONS% *})) $((ORIGIN_Y + ${OFF_BUTTONS#* }))
    controls "$TITLE" >"$ACC_OUT/$1.controls"
    acc_expect_picture "$1" "$EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" "$2"
}

# Install with a folder the drive check refuses: the device message, then
# the window as it was.
expect_refused() {  # folder as typed, as shown (escaped)
    type_folder "$1"
    wait_for 5 folder_is "$2" || acc_expect_eq "$2" "$(folder_text)" "folder text"
    click "$INSTALL"
    expect_box "$NOTICE_TITLE" "Install Directory is not on a valid device."
    acc_expect_eq yes "$BOX_MAIN_SHOWN" "main window behind the device message"
    acc_expect_eq "$2" "$(folder_text)" "folder text after the refusal"
    page_is 2 || acc_fail "not on the folder page after refusing $1"
}

# Cancels a held run (acc_start_held) after its first file in the progress
# window (its Cancel button, or its close box), then expects the cancel
# notice, the main window back on the folder page and the notice that
# nothing was installed.
cancel_run() {  # how (button|close)
    PROGRESS_WINDOW=$(acc_wait_window "$PROGRESS" 30)
    if [ -z "$PROGRESS_WINDOW" ]; then
        acc_fail "no progress window"
        return 1
    fi
    if ! acc_wait_held; then
        acc_fail "the run was not held after its first file"
        return 1
    fi
    acc_window_shown "$TITLE" && acc_fail "the main window shows during the run"
    acc_screenshot "progress-$ACC_CASES" >/dev/null
    if [ "$1" = button ]; then
        # Where the layout puts Cancel while the run writes: the held
        # program cannot answer the probe.
        acc_click "$PROGRESS_WINDOW" $("$PROGRESS_EXPECT" centre btnCancel)
    else
        acc_key "$PROGRESS_WINDOW" alt+F4
    fi
    acc_release
    expect_box Tessaly "Installation cancelled. 1 of 10 files were installed."
    acc_expect_eq no "$BOX_MAIN_SHOWN" "main window hidden at the cancel notice"
    expect_box "$NOTICE_TITLE" "Tessaly was not installed."
    acc_expect_eq yes "$BOX_MAIN_SHOWN" "main window back before the last notice"
    page_is 2 || acc_fail "not on the folder page after the cancelled run"
}

# Welcome, Setup, Install with the default folder, OK in the progress
# window, answers to whatever the completion asks; exit code 0 and the files.
whole_installation() {
    open_main whole || return
    click "$SETUP"
    wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
    acc_expect_eq 'c:\\kr' "$(folder_text)" "default folder"
    click "$INSTALL"
    wait_stage "Installation Successful." || return
    acc_screenshot "whole-$ACC_WINDOWS-finished" >/dev/null
    click_progress btnCancel
    # The completion step tells how to start the program, on 32-bit Windows
    # after asking about a desktop shortcut (No); each box is screenshot.
    answer_completion "whole-$ACC_WINDOWS"
    acc_expect_exit 0 "exit code after a whole installation"
    expect_installed "$(acc_drive_c)/kr"
}

# --- 32-bit Windows -----------------------------------------------------------

acc_new_prefix main-32 32
acc_add_drives d:cdrom e:floppy f:network
acc_case "The prefix's drives: D: a CD-ROM, E: removable, F: a network drive"
acc_expect_eq "5 2 4" "$(echo $(probe drive 'd:\') $(probe drive 'e:\') $(probe drive 'f:\'))" \
    "drive types"

acc_case "Welcome page as laid out; the drag pointer over the side panel only"
if open_main welcome; then
    expect_page welcome-32 0
    report=$("$EXPECT" labels "$ACC_OUT/welcome-32.controls") || acc_fail "labels: $report"
    acc_log "labels: ${report##*$'\n'}"
    controls "$TITLE" | grep -q $'^Label15\t40\t205\t[0-9]*\t[0-9]*\t1\tVantrel\xc2\xae\t' ||
        acc_fail "Label15 is not 'Vantrel' with the registered sign (UTF-8) at 40, 205"
    # Each move waits for the pointer to change from the one before.
    xdotool mousemove $((ORIGIN_X + 400)) $((ORIGIN_Y + 200))
    on_page=$(probe cursor)
    xdotool mousemove $((ORIGIN_X + 20)) $((ORIGIN_Y + 390))
    wait_for 5 eval '[ "$(probe cursor)" != "$on_page" ]' ||
        acc_fail "the side panel shows the page's pointer"
    on_panel=$(probe cursor)
    xdotool mousemove $((ORIGIN_X + 400)) $((ORIGIN_Y + 200))
    wait_for 5 eval '[ "$(probe cursor)" = "$on_page" ]' || acc_fail "no arrow over the page"
    xdotool mousemove $((ORIGIN_X + 90)) $((ORIGIN_Y + 70))
    wait_for 5 eval '[ "$(probe cursor)" != "$on_page" ]'
    acc_expect_eq "$on_panel" "$(probe cursor)" "pointer over the logo (the panel's)"
    acc_expect_eq $'TessalyWindow\tVantrel Tessaly Installer' "$(probe focus "$TITLE")" \
        "focus on the welcome page (the window itself)"
fi

acc_case "Setup: the folder page with the default folder in lower case and the keyboard focus"
click "$SETUP"
wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
expect_page folder-32 1
acc_expect_eq 'c:\\kr' "$(folder_text)" "default folder"
acc_expect_eq $'Edit\tc:\\\\kr' "$(probe focus "$TITLE")" "focus on the folder page"

acc_case "Typed upper-case letters show in lower case"
type_folder 'C:\GAMES\KR'
wait_for 5 folder_is 'c:\\games\\kr' || acc_expect_eq 'c:\\games\\kr' "$(folder_text)" "typed folder"

acc_case "A CD-ROM drive, a network path and a relative path are refused"
expect_refused 'D:\KR' 'd:\\kr'
expect_refused '\\SERVER\share\kr' '\\\\server\\share\\kr'
expect_refused 'kr' 'kr'

acc_case "Browse: Cancel keeps the text; a chosen folder comes back in lower case"
mkdir -p "$(acc_drive_c)/Games/Pinball"
type_folder 'c:\games'
wait_for 5 folder_is 'c:\\games' || acc_expect_eq 'c:\\games' "$(folder_text)" "typed folder"
click "$BROWSE"
browser=$(acc_wait_window "Browse for Folder" 20)
if [ -n "$browser" ]; then
    acc_screenshot browser >/dev/null
    acc_key "$browser" Escape
    wait_for 10 window_gone "Browse for Folder"
    acc_expect_eq 'c:\\games' "$(folder_text)" "folder after Cancel"
    click "$BROWSE"
    browser=$(acc_wait_window "Browse for Folder" 20)
    # Preselected: C:\Games. Right opens it, Right again goes to its folder.
    acc_key "$browser" Right Right Return
    wait_for 10 folder_is 'c:\\games\\pinball' ||
        acc_expect_eq 'c:\\games\\pinball' "$(folder_text)" "folder chosen in the browser"
    acc_expect_eq $'Edit\tc:\\\\games\\\\pinball' "$(probe focus "$TITLE")" "focus after browsing"
else
    acc_fail "no folder browser"
fi

acc_case "BtnCancel2 ends the program with exit code 0"
click "$CANCEL2"
acc_expect_exit 0 "exit code after Cancel on the folder page"

acc_case "A removable drive is accepted; Cancel in the progress window brings the window back"
# This run and the next are held after their first file (date calls 1 and 2).
if open_main removable acc_start_held 1..2; then
    click "$SETUP"
    wait_for 10 page_is 2
    type_folder 'E:\KR'
    click "$INSTALL"
    cancel_run button
    [ -f "$ACC_OUT/drive-e/kr/tessaly.exe" ] || acc_fail "nothing was written to e:\\kr"
fi

acc_case "A network drive is accepted; closing the progress window cancels; Install works again"
type_folder 'F:\KR'
click "$INSTALL"
cancel_run close
acc_key "$WINDOW" alt+F4
acc_expect_exit 0 "exit code after the close box"

acc_case "btnCancel on the welcome page ends the program with exit code 0"
if open_main welcome-cancel; then
    click "$CANCEL"
    acc_expect_exit 0 "exit code after Cancel on the welcome page"
fi

acc_case "32-bit Windows: a whole installation"
whole_installation

# --- 64-bit Windows -----------------------------------------------------------

acc_switch_prefix main-64 64
mkdir -p "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
: >"$(acc_drive_c)/Program Files (x86)/DOSBox-0.74/dosbox.exe"

acc_case "64-bit Windows: the welcome page as laid out"
if open_main welcome-64; then
    expect_page welcome-64 0
    acc_key "$WINDOW" alt+F4
    acc_expect_exit 0 "exit code after the close box"
fi

acc_case "64-bit Windows: a whole installation"
whole_installation

# --- Another ANSI code page ---------------------------------------------------

# Wine takes the ANSI code page from the locale of the programs it runs: under
# 932 the byte 0xAE is a katakana, so the registered sign shows as it is only
# where the text reaches the system as UTF-16.
acc_case "Code page 932: the welcome page as laid out, the registered sign included"
if ! locale -a | grep -qix 'ja_JP\.utf-\?8'; then
    acc_fail "the locale ja_JP.UTF-8 is not generated (/etc/locale.gen, then locale-gen)"
else
    export LC_ALL=ja_JP.UTF-8
    acc_switch_prefix main-932 32
    acc_expect_eq 932 "$(acc_wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' \
        /v ACP | tr -d '\r' | awk '$1 == "ACP" { print $3 }')" "the prefix's ANSI code page"
    if open_main welcome-932; then
        expect_page welcome-932 0
        # The text too, which the comparison with the headless window leaves
        # out: every pixel as under code page 1252.
        acc_expect_eq 0 "$(/usr/bin/compare -metric AE "$ACC_OUT/welcome-32.png" \
            "$ACC_OUT/welcome-932.png" null: 2>&1)" "pixels unlike welcome-32.png"
        grep -q $'^Label15\t40\t205\t[0-9]*\t[0-9]*\t1\tVantrel\xc2\xae\t' "$ACC_OUT/welcome-932.controls" ||
            acc_fail "Label15 is not 'Vantrel' with the registered sign under code page 932"
        acc_key "$WINDOW" alt+F4
        acc_expect_exit 0 "exit code after the close box"
    fi
fi

acc_end
