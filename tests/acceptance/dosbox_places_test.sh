#!/bin/bash
# Today's DOSBox found wherever it installs, on 64-bit Windows: for each
# place, a stand-in program (tools/record_start.cpp, which writes its
# command line and working folder beside itself) under the fork's file name
# is put there, with the records its installer would write (the 64-bit
# registry view written by the prefix's 64-bit reg), and nothing in Program
# Files for 32-bit programs. A whole installation through the windows, then
# the launcher read back with lnkinfo and started through the shell: the
# stand-in must see "-noconsole -conf c:\kr\dosbox.conf" and its own folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin dosbox_places

LAUNCHER_NAME="Tesicon DOSbox.lnk"

acc_new_prefix places-64 64
STAND_IN=$(acc_tool record_start.exe)
user_win="C:\\users\\$(id -un)"
desktop() { printf '%s/users/%s/Desktop' "$(acc_drive_c)" "$(id -un)"; }
# A Windows path of drive C: as a Linux path.
linux_path() { printf '%s/%s' "$(acc_drive_c)" "$(printf '%s' "${1#C:\\}" | tr '\\' '/')"; }

# Puts the stand-in at the Windows path.
put_program() {  # windows-path
    mkdir -p "$(dirname "$(linux_path "$1")")"
    cp "$STAND_IN" "$(linux_path "$1")" || acc_fail "cannot put the stand-in at $1"
}

# One place: arrange it, install, read the launcher back, start it.
place_case() {  # name program-windows-path arrange-command...
    local name=$1 program=$2
    shift 2
    acc_case "64-bit Windows, DOSBox in $name"
    put_program "$program"
    "$@"
    if setup_and_install "place-$ACC_CASES"; then
        answer_completion "place-$ACC_CASES"
        acc_expect_exit 0 "exit code of the installation"
    fi
    local lnk target
    lnk="$(desktop)/$LAUNCHER_NAME"
    target=$(lnk_field "$lnk" "Local path")
    acc_log "launcher: $target $(lnk_field "$lnk" "Command line arguments")"
    acc_expect_eq "$(printf '%s' "$program" | tr '[:upper:]' '[:lower:]')" "$target" "launcher target"
    acc_expect_eq "$(printf '%s' "${program%\\*}\\" | tr '[:upper:]' '[:lower:]')" \
        "$(lnk_field "$lnk" "Working directory")" "launcher working folder"
    local record
    record="$(dirname "$(linux_path "$program")")/started.txt"
    rm -f "$record"
    acc_wine start /unix "$lnk" >/dev/null
    if acc_wait_file "$record" 20; then
        local line folder
        line=$(sed -n 1p "$record" | tr -d '\r')
        folder=$(sed -n 2p "$record" | tr -d '\r')
        acc_log "started: $line (in $folder)"
        acc_expect_contains "$line" ' -noconsole -conf c:\kr\dosbox.conf' "the stand-in's command line"
        acc_expect_eq "$(printf '%s' "${program%\\*}" | tr '[:upper:]' '[:lower:]')" \
            "$(printf '%s' "$folder" | tr '[:upper:]' '[:lower:]')" "the stand-in's working folder"
    else
        acc_fail "the launcher did not start the stand-in"
    fi
    # Nothing of this place is left for the next.
    rm -rf "$(dirname "$(linux_path "$program")")"
}

reg64() { "$ACC_WINE64" reg "$@" >/dev/null 2>&1; }
nothing() { :; }
staging_path() { reg64 add 'HKCU\Software\dosbox-staging' /v Path /t REG_SZ /d 'C:\Tools\Staging' /f; }
x_path() { reg64 add 'HKLM\Software\DOSBox-X' /v Path /t REG_SZ /d 'C:\Tools\X\' /f; }
staging_entry() {
    local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{587471B7-02F6-4F25-8D00-70006790653C}_is1'
    reg64 add "$key" /v DisplayName /t REG_SZ /d 'DOSBox Staging' /f
    reg64 add "$key" /v InstallLocation /t REG_SZ /d 'C:\Tools\Entry\' /f
}
menu_link() {
    local menu="C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\DOSBox-0.74-3"
    mkdir -p "$(linux_path "$menu")"
    acc_wine "$STAND_IN" link "$menu\\DOSBox 0.74-3.lnk" 'C:\Games\DB\dosbox.exe'
}
forget_records() {
    reg64 delete 'HKCU\Software\dosbox-staging' /f
    reg64 delete 'HKLM\Software\DOSBox-X' /f
    reg64 delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{587471B7-02F6-4F25-8D00-70006790653C}_is1' /f
    rm -rf "$(linux_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\DOSBox-0.74-3')"
}

place_case "the 64-bit Program Files" 'C:\Program Files\DOSBox Staging\dosbox.exe' nothing
place_case "the user's own Programs folder" \
    "$user_win\\AppData\\Local\\Programs\\DOSBox Staging\\dosbox.exe" nothing
place_case "a folder that DOSBox Staging's Path value in HKCU names" \
    'C:\Tools\Staging\dosbox.exe' staging_path
forget_records
place_case "a folder that DOSBox-X's Path value in HKLM's 64-bit view names" \
    'C:\Tools\X\dosbox-x.exe' x_path
forget_records
place_case "the folder of an Uninstall entry of HKLM's 64-bit view" \
    'C:\Tools\Entry\dosbox.exe' staging_entry
forget_records
place_case "C:\\DOSBox-X" 'C:\DOSBox-X\dosbox-x.exe' nothing
place_case "a folder only the all-users Start menu's shortcut names" \
    'C:\Games\DB\dosbox.exe' menu_link
forget_records

# At the drive's root only what the user put there counts: the same folder
# that another account owns (Wine reads a file whose Unix owner is another
# account as owned by S-1-5-7) is passed over, and with no other DOSBox the
# advice comes instead of the main window.
acc_case "64-bit Windows, C:\\dosbox of another account: passed over; the user's own: found"
ADVICE_TITLE="Corvane355 Installer"
put_program 'C:\dosbox\dosbox.exe'
ROOT_FOLDER=$(linux_path 'C:\dosbox')
if chown -R nobody "$ROOT_FOLDER" 2>/dev/null; then
    if acc_start_window "$ADVICE_TITLE" root-of-another "$ACC_INSTALLER"; then
        acc_screenshot root-of-another >/dev/null
        acc_window_shown "$TITLE" && acc_fail "the main window is shown as well"
        probe click "$ADVICE_TITLE" Cancel >/dev/null
        acc_expect_exit 0 "exit code after the advice"
    fi
    chown -R "$(id -u)" "$ROOT_FOLDER"
    if acc_start_window "$TITLE" root-of-user "$ACC_INSTALLER"; then
        acc_screenshot root-of-user >/dev/null
        acc_key "$ACC_WINDOW" alt+F4
        acc_expect_exit 0 "exit code after the main window"
    fi
else
    acc_log "skipped: files cannot be given to another account here (not root)"
fi
rm -rf "$ROOT_FOLDER"

acc_end
