#!/bin/bash
# The desktop set-up after an installation, with the installer's own code on
# real Wine: a test-only tool (desktop_setup_gui.exe) fills nothing itself; the
# folder is filled from the installer's payload, then the tool runs the
# completion step as the installation run ends and shows the final message.
# Checked: dosbox.conf byte for byte, the old *.conf files in the recycle bin,
# the shortcuts read back with lnkinfo and from their header words, the boxes'
# texts read back with the probe, and real DOSBox 0.74 started the way the
# launcher shortcut starts it, running the installed program.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin desktop-setup

LAUNCH=$ACC_SOURCE_DIR/tests/acceptance/dosbox_launch.py
TEMPLATE=$ACC_SOURCE_DIR/resources/rs_conf.conf
INSTRUCTIONS='Tessaly has been installed and shortcuts created to run it in DOSbox and another to Print to File F.\r\rClick the Tesicon DOSbox Icon to start Tessaly.  To print from Tessaly, choose "print to file" and always name it the single letter "f".\n\nTo send the file F to the default printer,\n    click "Print F" icon or \r    press CTRL+ALT+P.'
if [ ! -x "$ACC_TOOLS/desktop_setup_gui.exe" ]; then
    echo "build the test tools first (make build)" >&2
    exit 2
fi

# --- Helpers -------------------------------------------------------------------

# A Windows path on drive C: as a Linux path in the current prefix.
linux_path() { printf '%s/%s' "$(acc_drive_c)" "$(printf '%s' "${1#C:\\}" | tr '\\' /)"; }

# Fills a folder with the installer's ten payload files, unpacked once by the
# installer's own loader and copied from then on.
install_payload() {  # windows-folder
    local folder unpacked=$ACC_OUT/payload
    folder=$(linux_path "$1")
    mkdir -p "$folder"
    if [ ! -d "$unpacked" ]; then
        timeout 60 "$ACC_WINE" "$ACC_TOOLS/payload_probe.exe" unpack "$1" >/dev/null 2>&1 &&
            mkdir -p "$unpacked" && cp "$folder"/* "$unpacked/"
    else
        cp "$unpacked"/* "$folder/"
    fi
    [ "$(ls "$folder" | wc -l)" -ge 10 ] || acc_fail "payload not unpacked into $1"
}

# Puts a stand-in dosbox.exe where the start-up looks for it: the 32-bit
# program's Program Files on 64-bit Windows.
install_dosbox() {
    local folder
    folder="$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
    mkdir -p "$folder"
    cp "$ACC_TOOLS/probe.exe" "$folder/dosbox.exe"
}

DESKTOP() { printf '%s/users/%s/Desktop' "$(acc_drive_c)" "$(id -un)"; }

# Starts the completion step on a folder; answer its boxes with answer_box,
# then expect its end.
start_completion() { acc_start "$(acc_tool desktop_setup_gui.exe)" complete "$1"; }

# The completion step with one box, answered with Enter.
complete_with_box() {  # folder title shot
    start_completion "$1"
    answer_box "$2" "$3" Return
    acc_expect_exit 0 "exit code" 30
}

# The whole installation through the run's test-only driver, as the Install
# button starts it: waits until the progress window says the run finished,
# then clicks OK. Answer the completion's boxes afterwards with answer_box.
run_installation() {  # folder shot
    acc_start_window "$PROGRESS" "$2" "$(acc_tool run_installation_gui.exe)" "$1" || return 1
    wait_stage "Installation Successful." 60 || return 1
    acc_screenshot "$2" >/dev/null
    click_progress btnCancel
}

# Checks a shortcut: strings through lnkinfo, icon index, show command and
# hot key from the header words (lnkinfo names those two wrongly).
expect_lnk() {  # lnk target arguments folder icon description hotkey
    local lnk=$1
    if [ ! -f "$lnk" ]; then
        acc_fail "no shortcut ${lnk##*/}"
        return
    fi
    acc_expect_eq "$2" "$(lnk_field "$lnk" 'Local path')" "${lnk##*/}: target"
    acc_expect_eq "$3" "$(lnk_field "$lnk" 'Command line arguments')" "${lnk##*/}: arguments"
    acc_expect_eq "$4" "$(lnk_field "$lnk" 'Working directory')" "${lnk##*/}: working folder"
    acc_expect_eq "$5" "$(lnk_field "$lnk" 'Icon location')" "${lnk##*/}: icon file"
    acc_expect_eq "$6" "$(lnk_field "$lnk" 'Description')" "${lnk##*/}: description"
    acc_expect_eq "icon=0 show=1 hotkey=$7" "$(python3 "$LAUNCH" header "$lnk")" \
        "${lnk##*/}: header words"
}

# Starts Debian's DOSBox as Windows would start the launcher shortcut: its
# argument text split by the C runtime's rules, the -conf path and the
# configuration's mount path moved from C: to the prefix's drive_c. Checks
# that the installed dornw.exe ran and left its print file.
boot_dosbox() {  # launcher-lnk install-folder
    local args=() arg previous="" conf="" mapped=$ACC_OUT/boot-$ACC_CASES.conf
    local home=$ACC_OUT/dosbox-home
    local folder
    folder=$(linux_path "$2")
    mkdir -p "$home"
    printf 'stale\r\n' >"$folder/f"
    while IFS= read -r arg; do
        if [ "$previous" = -conf ]; then
            conf=$(linux_path "$arg")
            python3 "$LAUNCH" map-conf "$conf" "$mapped" "$(acc_drive_c)" || acc_fail "map-conf"
            arg=$mapped
        fi
        args+=("$arg")
        previous=$arg
    done < <(python3 "$LAUNCH" split "$(lnk_field "$1" 'Command line arguments')")
    acc_expect_eq 3 "${#args[@]}" "arguments after splitting"
    [ -f "$conf" ] || acc_fail "the -conf argument names no file: '$conf'"
    (cd "$ACC_OUT" && HOME=$home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
        timeout 30 dosbox "${args[@]}" >"$ACC_OUT/dosbox-$ACC_CASES.log" 2>&1)
    acc_expect_contains "$(cat "$ACC_OUT/dosbox-$ACC_CASES.log")" \
        "CONFIG:Loading primary settings from config file $mapped" "DOSBox log"
    [ ! -e "$folder/f" ] || acc_fail "the old print file f is still there"
    # DOSBox names a new file in capitals on the host.
    acc_expect_contains "$(tr -d '\r' <"$folder/F" 2>/dev/null)" \
        "TESSALY 3.24 DEMO  -  SAMPLE WHEEL LISTING" "print file F written by dornw.exe"
    rm -f "$folder/F"
}

# --- 64-bit Windows ----------------------------------------------------------

acc_new_prefix win64 64
install_dosbox
DOSBOX_EXE='c:\program files (x86)\dosbox-0.74\dosbox.exe'
TRASH=$XDG_DATA_HOME/Trash/files
BOX=desktop_setup_gui.exe  # the instructions' caption: the executable's name

acc_case "64-bit: dosbox.conf, the old .conf files in the bin, both shortcuts, the instructions"
install_payload 'C:\kr'
KR=$(linux_path 'C:\kr')
printf 'old configuration\r\n' >"$KR/dosbox.conf"
printf 'mine\r\n' >"$KR/other.conf"
mkdir -p "$(linux_path 'C:\elsewhere')"
printf 'kept\r\n' >"$(linux_path 'C:\elsewhere')/keep.conf"
complete_with_box 'C:\kr' "$BOX" win64-instructions
acc_expect_eq "$INSTRUCTIONS" "$BOX_TEXT" "instruction text"
{ cat "$TEMPLATE"; printf 'mount c C:\\kr\r\nc:\r\ndel f\r\ndornw.exe /ns\r\nexit\r\n'; } \
    >"$ACC_OUT/expected.conf"
cmp -s "$ACC_OUT/expected.conf" "$KR/dosbox.conf" ||
    acc_fail "dosbox.conf is not the template plus the five lines"
acc_expect_eq "old configuration" "$(tr -d '\r' <"$TRASH/dosbox.conf" 2>/dev/null)" \
    "old dosbox.conf in the bin"
acc_expect_eq "mine" "$(tr -d '\r' <"$TRASH/other.conf" 2>/dev/null)" "other.conf in the bin"
[ -f "$(linux_path 'C:\elsewhere')/keep.conf" ] || acc_fail "a .conf elsewhere was touched"
expect_lnk "$(DESKTOP)/Tesicon DOSbox.lnk" "$DOSBOX_EXE" '-noconsole -conf C:\kr\dosbox.conf' \
    'c:\program files (x86)\dosbox-0.74\' 'C:\kr\tesicon.ico' Tessaly 0x0000
expect_lnk "$(DESKTOP)/Print F.lnk" 'C:\kr\pr32.exe' f 'C:\kr\' 'C:\kr\tesicon.ico' \
    'Print File f (CTRL+ALT+P)' 0x0650

acc_case "64-bit: the launcher starts DOSBox 0.74, which runs the installed program"
boot_dosbox "$(DESKTOP)/Tesicon DOSbox.lnk" 'C:\kr'

acc_case "64-bit, the whole installation: the run's OK leads to the DOSBox set-up and its box"
rm -f "$(DESKTOP)"/*.lnk
run_installation 'C:\run' win64-run-finished
answer_box run_installation_gui.exe win64-run-instructions Return
acc_expect_exit 0 "exit code of the run" 30
acc_expect_eq "$INSTRUCTIONS" "$BOX_TEXT" "instruction text"
acc_expect_eq '-noconsole -conf C:\run\dosbox.conf' \
    "$(lnk_field "$(DESKTOP)/Tesicon DOSbox.lnk" 'Command line arguments')" "launcher arguments"
acc_expect_eq 'C:\run\pr32.exe' "$(lnk_field "$(DESKTOP)/Print F.lnk" 'Local path')" \
    "Print F target"
{ cat "$TEMPLATE"; printf 'mount c C:\\run\r\nc:\r\ndel f\r\ndornw.exe /ns\r\nexit\r\n'; } |
    cmp -s - "$(linux_path 'C:\run')/dosbox.conf" || acc_fail "dosbox.conf of the run"

acc_case "64-bit: a second set-up leaves exactly one of each shortcut"
complete_with_box 'C:\kr' "$BOX" win64-second
acc_expect_eq "Print F.lnk|Tesicon DOSbox.lnk" "$(cd "$(DESKTOP)" && ls -1 | paste -sd '|')" \
    "desktop"
cmp -s "$ACC_OUT/expected.conf" "$KR/dosbox.conf" || acc_fail "dosbox.conf after the second set-up"

acc_case "64-bit: a folder whose path holds a space is quoted for DOSBox, and DOSBox runs it"
install_payload 'C:\my games\kr'
complete_with_box 'C:\my games\kr' "$BOX" win64-space
acc_expect_eq "$INSTRUCTIONS" "$BOX_TEXT" "instruction text"
acc_expect_eq '-noconsole -conf "C:\my games\kr\dosbox.conf"' \
    "$(lnk_field "$(DESKTOP)/Tesicon DOSbox.lnk" 'Command line arguments')" "launcher arguments"
acc_expect_eq 'mount c "C:\my games\kr"' \
    "$(grep -a '^mount c ' "$(linux_path 'C:\my games\kr')/dosbox.conf" | tr -d '\r')" "mount line"
boot_dosbox "$(DESKTOP)/Tesicon DOSbox.lnk" 'C:\my games\kr'
# The control: the same configuration with the path unquoted mounts nothing.
sed 's/^mount c "\(.*\)"\r$/mount c \1\r/' "$ACC_OUT/boot-$ACC_CASES.conf" >"$ACC_OUT/unquoted.conf"
! cmp -s "$ACC_OUT/boot-$ACC_CASES.conf" "$ACC_OUT/unquoted.conf" || acc_fail "control not made"
(cd "$ACC_OUT" && HOME=$ACC_OUT/dosbox-home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    timeout 30 dosbox -conf "$ACC_OUT/unquoted.conf" >"$ACC_OUT/dosbox-unquoted.log" 2>&1)
[ ! -e "$(linux_path 'C:\my games\kr')/F" ] || acc_fail "DOSBox ran the program from an unquoted path"

acc_case "64-bit: a shortcut that cannot be written is named with the system's reason"
rm -f "$(DESKTOP)/Print F.lnk"
mkdir "$(DESKTOP)/Print F.lnk"  # a folder in its place: neither deleted nor replaced
complete_with_box 'C:\kr' "$BOX" win64-unwritten
acc_log "box: $BOX_TEXT"
acc_expect_contains "$BOX_TEXT" \
    "Tessaly has been installed, but its DOSbox set-up is not complete. These files could not be created:\\r\\n\\r\\nC:\\\\users\\\\$(id -un)\\\\Desktop\\\\Print F.lnk\\r\\n    " \
    "failure text"
acc_expect_contains "$BOX_TEXT" '\r\n\r\nClick the Tesicon DOSbox Icon to start Tessaly.' \
    "start instruction"
rmdir "$(DESKTOP)/Print F.lnk"

# Cases that both kinds of Windows share: Corvane in the folder, the menu
# program in the parent.
shared_cases() {  # bits
    rm -f "$(DESKTOP)"/*.lnk

    acc_case "$1-bit: krmenu.exe in the parent: the menu text and no shortcut"
    install_payload 'C:\vantrel\kr'
    : >"$(linux_path 'C:\vantrel')/krmenu.exe"
    complete_with_box 'C:\vantrel\kr' Tessaly "win$1-menu"
    acc_expect_eq '\r\n\r\nTo run Tessaly, start the Vantrel Menu program,\r\nand click the T+ icon.' \
        "$BOX_TEXT" "menu text"
    acc_expect_eq "" "$(ls "$(DESKTOP)")" "desktop"
    [ ! -e "$(linux_path 'C:\vantrel\kr')/dosbox.conf" ] || acc_fail "dosbox.conf written"
}

acc_case "64-bit: dorn.exe in the folder: nothing is written or shown"
rm -f "$(DESKTOP)"/*.lnk
install_payload 'C:\corv'
: >"$(linux_path 'C:\corv')/dorn.exe"
start_completion 'C:\corv'
acc_expect_exit 0 "ends at once with no box" 30
[ ! -e "$(linux_path 'C:\corv')/dosbox.conf" ] || acc_fail "dosbox.conf written"
acc_expect_eq "" "$(ls "$(DESKTOP)")" "desktop"

shared_cases 64

# --- 32-bit Windows ----------------------------------------------------------

acc_switch_prefix win32 32

acc_case "32-bit: dorn.exe in the folder: one box, the success line and the Corvane text"
install_payload 'C:\corv'
: >"$(linux_path 'C:\corv')/dorn.exe"
complete_with_box 'C:\corv' Tessaly win32-corvane
acc_expect_eq 'Tessaly, version 3.24, was installed successfully.\r\n\r\nTo run Tessaly, first run Corvane, then press the function key F5.' \
    "$BOX_TEXT" "final text"
acc_expect_eq "" "$(ls "$(DESKTOP)")" "desktop"

QUESTION='Tessaly, version 3.24, was installed successfully.\n\nNormally Tessaly is run from inside Corvane by pressing the function key, F5. If you are not \ninstalling Corvane, you need a shortcut on the \ndesktop to run this wheel program. \n\nClick NO if you do NOT want the T+ shortcut created.'

acc_case "32-bit, the whole installation: the run's OK leads to the question; Yes makes the shortcut"
rm -f "$(DESKTOP)"/*.lnk
run_installation 'C:\run' win32-run-finished
answer_box Warning win32-run-question Return
acc_expect_eq "$QUESTION" "$BOX_TEXT" "question"
answer_box Tessaly win32-run-final Return
acc_expect_eq 'To run Tessaly, click the T+ icon on your desktop.' "$BOX_TEXT" "final text"
acc_expect_exit 0 "exit code of the run" 30
expect_lnk "$(DESKTOP)/tessaly.lnk" 'C:\run\tessaly.exe' '' 'C:\run\' 'C:\run\tesicon.ico' \
    Tessaly 0x0000
acc_expect_eq "tessaly.lnk" "$(ls "$(DESKTOP)")" "desktop"

acc_case "32-bit: without Corvane, No gives no shortcut and the Corvane text"
rm -f "$(DESKTOP)"/*.lnk
install_payload 'C:\kr'
start_completion 'C:\kr'
answer_box Warning win32-question-no alt+n
answer_box Tessaly win32-no Return
acc_expect_eq 'To run Tessaly, start Corvane and press function key F5.' "$BOX_TEXT" "final text"
acc_expect_exit 0 "exit code" 30
acc_expect_eq "" "$(ls "$(DESKTOP)")" "desktop"

acc_case "32-bit: a shortcut that cannot be written is not announced as on the desktop"
mkdir "$(DESKTOP)/tessaly.lnk"
start_completion 'C:\kr'
answer_box Warning win32-question-unwritten Return
answer_box Tessaly win32-unwritten Return
acc_log "box: $BOX_TEXT"
acc_expect_contains "$BOX_TEXT" \
    "The T+ shortcut could not be created:\\r\\n\\r\\nC:\\\\users\\\\$(id -un)\\\\Desktop\\\\tessaly.lnk\\r\\n    " \
    "failure text"
acc_expect_contains "$BOX_TEXT" '\r\n\r\nTo run Tessaly, start C:\\kr\\tessaly.exe.' "what to do"
acc_expect_exit 0 "exit code" 30
rmdir "$(DESKTOP)/tessaly.lnk"

shared_cases 32

acc_end
