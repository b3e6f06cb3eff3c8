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
acc_begin desktop-setup

TOOL=$ACC_TOOLS/desktop_setup_gui.exe
LAUNCH=$ACC_SOURCE_DIR/tests/acceptance/dosbox_launch.py
TEMPLATE=$ACC_SOURCE_DIR/resources/rs_conf.conf
INSTRUCTIONS='Tessaly has been installed and shortcuts created to run it in DOSbox and another to Print to File F.\r\rClick the Tesicon DOSbox Icon to start Tessaly.  To print from Tessaly, choose "print to file" and always name it the single letter "f".\n\nTo send the file F to the default printer,\n    click "Print F" icon or \r    press CTRL+ALT+P.'
if [ ! -x "$TOOL" ]; then
    echo "build the twins first (make win64)" >&2
    exit 2
fi

# --- Helpers -------------------------------------------------------------------

# A Windows path on drive C: as a Linux path in the current prefix.
linux_path() { printf '%s/%s' "$(acc_drive_c)" "$(printf '%s' "${1#C:\\}" | tr '\\' /)"; }

# Fills a folder with the installer's ten payload files.
install_payload() {  # windows-folder
    mkdir -p "$(linux_path "$1")"
    timeout 60 "$ACC_WINE" "$ACC_TOOLS/payload_probe.exe" unpack "$1" >/dev/null 2>&1 ||
        acc_fail "payload not unpacked into $1"
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

# Runs the completion step on a folder. With a box title, waits for the box,
# keeps its texts in BOX_TEXTS, takes a screenshot, answers with the keys and
# expects the tool to end; without one, expects it to end with no box.
complete() {  # folder shot [title keys...]
    local folder=$1 shot=$2
    shift 2
    BOX_TEXTS=""
    if [ $# -eq 0 ]; then
        acc_start "$TOOL" complete "$folder"
        acc_expect_exit 0 "ends with no box" 30
        return
    fi
    local title=$1
    shift
    acc_start_window "$title" "$shot" "$TOOL" complete "$folder" || return 1
    BOX_TEXTS=$(acc_window_texts "$title")
    acc_screenshot "$shot" >/dev/null
    local key
    for key in "$@"; do
        acc_key "$ACC_WINDOW" "$key"
    done
    acc_expect_exit 0 "exit code" 30
}

# The static text of the box shown last (the probe escapes CR, LF and \).
box_text() { printf '%s\n' "$BOX_TEXTS" | sed -n 's/^Static\t\(..*\)$/\1/p' | head -n 1; }

# One string field of a shortcut as lnkinfo prints it.
lnk_field() {  # lnk field-name
    lnkinfo "$1" 2>/dev/null | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -n 1
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

# --- 64-bit Windows ----------------------------------------------------------------

acc_new_prefix win64
install_dosbox
DOSBOX_EXE='c:\program files (x86)\dosbox-0.74\dosbox.exe'
TRASH=$XDG_DATA_HOME/Trash/files

acc_case "64-bit: dosbox.conf, the old .conf files in the bin, both shortcuts, the instructions"
install_payload 'C:\kr'
KR=$(linux_path 'C:\kr')
printf 'old configuration\r\n' >"$KR/dosbox.conf"
printf 'mine\r\n' >"$KR/other.conf"
mkdir -p "$(linux_path 'C:\elsewhere')"
printf 'kept\r\n' >"$(linux_path 'C:\elsewhere')/keep.conf"
complete 'C:\kr' win64-instructions desktop_setup_gui.exe Return
acc_expect_eq "$INSTRUCTIONS" "$(box_text)" "instruction text"
{ cat "$TEMPLATE"; printf 'mount c C:\\kr\r\nc:\r\ndel f\r\ndornw.exe /ns\r\nexit\r\n'; } \
    >"$ACC_OUT/expected.conf"
cmp -s "$ACC_OUT/expected.conf" "$KR/dosbox.conf" || acc_fail "dosbox.conf differs from the template plus the five lines"
acc_expect_eq "old configuration" "$(tr -d '\r' <"$TRASH/dosbox.conf" 2>/dev/null)" "old dosbox.conf in the bin"
acc_expect_eq "mine" "$(tr -d '\r' <"$TRASH/other.conf" 2>/dev/null)" "other.conf in the bin"
[ -f "$(linux_path 'C:\elsewhere')/keep.conf" ] || acc_fail "a .conf elsewhere was touched"
expect_lnk "$(DESKTOP)/Tesicon DOSbox.lnk" "$DOSBOX_EXE" '-noconsole -conf C:\kr\dosbox.conf' \
    'c:\program files (x86)\dosbox-0.74\' 'C:\kr\tesicon.ico' Tessaly 0x0000
expect_lnk "$(DESKTOP)/Print F.lnk" 'C:\kr\pr32.exe' f 'C:\kr\' 'C:\kr\tesicon.ico' \
    'Print File f (CTRL+ALT+P)' 0x0650

acc_case "64-bit: the launcher starts DOSBox 0.74, which runs the installed program"
boot_dosbox "$(DESKTOP)/Tesicon DOSbox.lnk" 'C:\kr'

acc_case "64-bit: a second set-up leaves exactly one of each shortcut"
complete 'C:\kr' win64-second desktop_setup_gui.exe Return
acc_expect_eq "Print F.lnk|Tesicon DOSbox.lnk" "$(cd "$(DESKTOP)" && ls -1 | paste -sd '|')" \
    "desktop"
cmp -s "$ACC_OUT/expected.conf" "$KR/dosbox.conf" || acc_fail "dosbox.conf after the second set-up"

acc_case "64-bit: a folder whose path holds a space is quoted for DOSBox, and DOSBox runs it"
install_payload 'C:\my games\kr'
complete 'C:\my games\kr' win64-space desktop_setup_gui.exe Return
acc_expect_eq "$INSTRUCTIONS" "$(box_text)" "instruction text"
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

acc_case "64-bit: dorn.exe in the folder: nothing is written or shown"
rm -f "$(DESKTOP)"/*.lnk
install_payload 'C:\corv'
: >"$(linux_path 'C:\corv')/dorn.exe"
complete 'C:\corv' win64-corvane
[ ! -e "$(linux_path 'C:\corv')/dosbox.conf" ] || acc_fail "dosbox.conf written"
acc_expect_eq "" "$(ls "$(DESKTOP)")" "desktop"

acc_case "64-bit: krmenu.exe in the parent: the menu text and no shortcut"
install_payload 'C:\vantrel\kr'
: >"$(linux_path 'C:\vantrel')/krmenu.exe"
complete 'C:\vantrel\kr' win64-menu Tessaly Return
acc_expect_eq '\r\n\r\nTo run Tessaly, start the Vantrel Menu program,\r\nand click the T+ icon.' \
    "$(box_text)" "menu text"
acc_expect_eq "" "$(ls "$(DESKTOP)")" "desktop"
[ ! -e "$(linux_path 'C:\vantrel\kr')/dosbox.conf" ] || acc_fail "dosbox.conf written"

acc_case "64-bit: a shortcut that cannot be written is named with the system's reason"
mkdir -p "$(DESKTOP)/Print F.lnk"  # a folder in its place: neither deleted nor replaced
complete 'C:\kr' win64-unwritten desktop_setup_gui.exe Return
acc_log "box: $(box_text)"
acc_expect_contains "$(box_text)" \
    "Tessaly has been installed, but its DOSbox set-up is not complete. These files could not be created:\\r\\n\\r\\nC:\\\\users\\\\$(id -un)\\\\Desktop\\\\Print F.lnk\\r\\n    " \
    "failure text"
acc_expect_contains "$(box_text)" '\r\n\r\nClick the Tesicon DOSbox Icon to start Tessaly.' \
    "start instruction"
rmdir "$(DESKTOP)/Print F.lnk"

acc_end
