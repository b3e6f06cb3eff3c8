#!/bin/bash
# Start-up and platform check: which window the installer opens first on
# 32-bit and 64-bit Windows, with and without DOSBox and the /t switch, what
# the advice box says, and what each way of closing it does.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin startup

MAIN_TITLE="Vantrel Tessaly Installer"
ADVICE_TITLE="Corvane355 Installer"
ADVICE_TEXT='This computer has a 64 bit operating system which cannot directly execute DOS programs.\n\nTessaly cannot run on this operating system except in XP Mode (which requires upgrading to Windows 7 Professional) or by using the free program, DOSbox, which does not appear to be installed on this computer.\n\nClick OK to go to the DOSbox website.  Download, and install DOSbox to it'"'"'s default location then start this installer again.'
DOSBOX_PAGE="https://www.dosbox.com/download.php?main=1"

# Starts the exe, expects the main window, closes it with Alt+F4; exit 0.
expect_main_window() {  # exe shot args...
    local exe=$1 shot=$2
    shift 2
    acc_start_window "$MAIN_TITLE" "$shot" "$exe" "$@" || return
    acc_screenshot "$shot" >/dev/null
    if acc_window_shown "$ADVICE_TITLE"; then
        acc_fail "an advice box is shown as well"
    fi
    acc_key "$ACC_WINDOW" alt+F4
    acc_expect_exit 0 "exit code after closing the main window"
}

# Starts the exe, expects the advice box with its exact text, closes it with
# the given action; checks the exit code and whether the browser was asked.
expect_advice() {  # exe shot action(ok|cancel|escape|close) args...
    local exe=$1 shot=$2 action=$3
    shift 3
    : >"$ACC_BROWSER_LOG"
    acc_start_window "$ADVICE_TITLE" "$shot" "$exe" "$@" || return
    acc_screenshot "$shot" >/dev/null
    local texts
    texts=$(acc_window_texts "$ADVICE_TITLE")
    acc_expect_contains "$texts" "$ADVICE_TEXT" "advice text"
    acc_expect_contains "$texts" $'Button\tOK' "OK button"
    acc_expect_contains "$texts" $'Button\tCancel' "Cancel button"
    if acc_window_shown "$MAIN_TITLE"; then
        acc_fail "the main window is shown before the advice is answered"
    fi
    case $action in
        ok) acc_key "$ACC_WINDOW" Return ;;
        cancel) acc_wine "$ACC_TOOLS/probe.exe" click "$ADVICE_TITLE" Cancel ;;
        escape) acc_key "$ACC_WINDOW" Escape ;;
        close) acc_key "$ACC_WINDOW" alt+F4 ;;
    esac
    acc_expect_exit 0 "exit code after $action"
    if [ "$action" = ok ]; then
        acc_wait_file "$ACC_BROWSER_LOG" 20
        acc_expect_eq "$DOSBOX_PAGE" "$(head -n 1 "$ACC_BROWSER_LOG")" "page opened on OK"
    else
        # The process has ended, so nothing it asked for can still arrive.
        acc_expect_eq "" "$(cat "$ACC_BROWSER_LOG")" "nothing opened on $action"
    fi
    if acc_window_shown "$MAIN_TITLE"; then
        acc_fail "the main window appeared after the advice"
    fi
}

acc_new_prefix startup-32 32

acc_case "32-bit Windows, no switch: the main window, closed with exit code 0"
expect_main_window "$ACC_INSTALLER" main-window-32bit

acc_case "32-bit Windows with /T: advice, Cancel opens nothing"
expect_advice "$ACC_INSTALLER" advice-32bit cancel /T

acc_case "32-bit Windows with /T: advice, Esc opens nothing"
expect_advice "$ACC_INSTALLER" advice-32bit-escape escape /T

acc_case "32-bit Windows with /T: advice, the close box opens nothing"
expect_advice "$ACC_INSTALLER" advice-32bit-close close /T

acc_case "32-bit Windows with /T: advice, OK opens the DOSBox page"
expect_advice "$ACC_INSTALLER" advice-32bit-ok ok /T

acc_switch_prefix startup-64 64

# The entries named like DOSBox under the 32-bit Program Files, in the order
# Wine lists them (by name, as NTFS does; cmd's dir adds no sorting).
listed_dosbox_entries() {
    acc_wine cmd /c dir /b 'C:\Program Files (x86)' | tr -d '\r' | grep -i dosbox | paste -sd ' '
}
# Where a 32-bit program's Program Files is on 64-bit Windows.
X86_PROGRAMS="$(acc_drive_c)/Program Files (x86)"

acc_case "64-bit Windows without DOSBox: advice"
expect_advice "$ACC_INSTALLER" advice-64bit cancel

acc_case "64-bit Windows, a hidden DOSBox folder only: advice"
mkdir -p "$X86_PROGRAMS/DOSBox-0.74"
: >"$X86_PROGRAMS/DOSBox-0.74/dosbox.exe"
acc_wine attrib +h 'C:\Program Files (x86)\DOSBox-0.74' >/dev/null
if acc_wine attrib 'C:\Program Files (x86)\DOSBox-0.74' | grep -q '^ *H '; then
    expect_advice "$ACC_INSTALLER" advice-hidden-dosbox cancel
else
    acc_fail "could not mark the DOSBox folder hidden"
fi
acc_wine attrib -h 'C:\Program Files (x86)\DOSBox-0.74' >/dev/null

acc_case "64-bit Windows with DOSBox installed: the main window"
expect_main_window "$ACC_INSTALLER" main-window-64bit

acc_case "64-bit Windows with DOSBox and /t: advice"
expect_advice "$ACC_INSTALLER" advice-64bit-switch cancel /t

acc_case "64-bit Windows, only a plain file named like DOSBox: advice"
rm -rf "$X86_PROGRAMS/DOSBox-0.74"
: >"$X86_PROGRAMS/DOSBox-0.74-2-win32-installer.exe"
expect_advice "$ACC_INSTALLER" advice-dosbox-setup-file cancel

acc_case "64-bit Windows, a plain file named like DOSBox listed first, then DOSBox: the main window"
mkdir -p "$X86_PROGRAMS/DOSBox-0.74-3"
: >"$X86_PROGRAMS/DOSBox-0.74-3/dosbox.exe"
acc_expect_eq "DOSBox-0.74-2-win32-installer.exe DOSBox-0.74-3" "$(listed_dosbox_entries)" "listing order"
expect_main_window "$ACC_INSTALLER" main-window-64bit-after-setup-file
rm -f "$X86_PROGRAMS/DOSBox-0.74-2-win32-installer.exe"

acc_case "64-bit Windows, an older DOSBox's leftover folder listed first: an installation's launcher starts the real one"
mkdir -p "$X86_PROGRAMS/DOSBox-0.74"
printf '[sdl]\r\n' >"$X86_PROGRAMS/DOSBox-0.74/dosbox-0.74.conf"
acc_expect_eq "DOSBox-0.74 DOSBox-0.74-3" "$(listed_dosbox_entries)" "listing order"
if setup_and_install leftover; then
    answer_completion leftover
    acc_expect_exit 0 "exit code of the installation"
    launcher="$(acc_drive_c)/users/$(id -un)/Desktop/Tesicon DOSbox.lnk"
    acc_expect_eq 'c:\program files (x86)\dosbox-0.74-3\dosbox.exe' \
        "$(lnk_field "$launcher" 'Local path')" "the launcher's target"
    acc_log "launcher target: $(lnk_field "$launcher" 'Local path')"
fi
rm -rf "$X86_PROGRAMS/DOSBox-0.74" "$X86_PROGRAMS/DOSBox-0.74-3"

acc_case "64-bit Windows, DOSBox in a folder of another case: the main window"
rm -f "$X86_PROGRAMS/DOSBox0.74-win32-installer.exe"
mkdir -p "$X86_PROGRAMS/MyDosBOX"
: >"$X86_PROGRAMS/MyDosBOX/dosbox.exe"
expect_main_window "$ACC_INSTALLER" main-window-64bit-mixed-case

acc_end
