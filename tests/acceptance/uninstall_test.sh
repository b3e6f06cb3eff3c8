#!/bin/bash
# Finding the program and removing it again, as Windows users do: after a
# whole installation through the windows the shortcuts are in the Start menu
# too and the per-user Apps & Features entry lists the folder (read with the
# prefix's 64-bit reg under WOW64); Wine's own uninstaller program runs the
# entry's command as Apps & Features does and waits for it. The uninstall
# removes what the installer made and nothing the user changed or made,
# names what it kept, and leaves nothing of its own anywhere: not in the
# folder, on the desktop, in the Start menu, in the registry or in %TEMP%.
# A folder out of reach (a stick pulled out, another in its place) is never
# taken for one deleted, an entry is uninstalled by one run at a time, and a
# folder that is a link stays while what was ours in its target goes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin uninstall
export TZ=UTC

ENTRIES='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
ENTRY="Vantrel Tessaly"

user_folder() { printf '%s/users/%s' "$(acc_drive_c)" "$(id -un)"; }
desktop() { printf '%s/Desktop' "$(user_folder)"; }
start_menu() { printf '%s/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessaly' "$(user_folder)"; }
profile_folder() { printf '%s/AppData/Local/Tessaly' "$(user_folder)"; }
temp_folder() { printf '%s/Temp' "$(user_folder)"; }

# One value of an entry as the prefix's own reg (the 64-bit one under
# WOW64) reads it; empty when there is none.
entry_value() {  # key value
    "$ACC_WINE" reg query "$ENTRIES\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
entry_exists() { "$ACC_WINE" reg query "$ENTRIES\\$1" >/dev/null 2>&1; }

# Runs the entry's command through Wine's uninstaller program, which waits
# for it as Apps & Features does.
start_uninstall() { acc_start uninstaller --remove "$1"; }

# The program an entry's command starts, as a Windows path.
command_program() {  # command
    local program=${1#\"}
    printf '%s' "${program%%\"*}"
}

# Nothing the uninstaller ran from the temp folder is left once it ended.
temp_is_clean() { [ -z "$(ls "$(temp_folder)" 2>/dev/null | grep -i '^ts')" ]; }
expect_no_residue() {  # key
    wait_for 15 temp_is_clean || acc_fail "left in %TEMP%: $(ls "$(temp_folder)" | paste -sd ' ')"
    entry_exists "$1" && acc_fail "the entry $1 is still there"
    [ -e "$(profile_folder)/$1" ] && acc_fail "the uninstaller's folder for $1 is still there"
    return 0
}

# Two desktop shortcuts and their Start menu copies point at one target.
expect_both_copies() {  # lnk-name
    local on_desktop in_menu
    on_desktop=$(lnk_field "$(desktop)/$1" "Local path")
    in_menu=$(lnk_field "$(start_menu)/$1" "Local path")
    [ -n "$on_desktop" ] || acc_fail "no $1 on the desktop"
    acc_expect_eq "$on_desktop" "$in_menu" "the Start menu's $1 target"
}

acc_new_prefix uninstall-64 64
DOSBOX="$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
mkdir -p "$DOSBOX"
cp "$ACC_TOOLS/probe.exe" "$DOSBOX/dosbox.exe"

acc_case "64-bit Windows: two folders give two entries, each listed with its folder, the shortcuts in the Start menu"
if install_into first 'C:\kr'; then
    answer_completion first
    acc_expect_exit 0 "exit code of the first installation"
fi
if install_into second 'C:\kr2'; then
    answer_completion second
    acc_expect_exit 0 "exit code of the second installation"
fi
acc_log "listed: $(acc_wine uninstaller --list | tr -d '\r' | grep -i tessaly | paste -sd ';')"
acc_expect_eq "Vantrel Tessaly 3.24 (c:\\kr)" "$(entry_value "$ENTRY" DisplayName)" "DisplayName"
acc_expect_eq "Vantrel Tessaly 3.24 (c:\\kr2)" "$(entry_value "$ENTRY 2" DisplayName)" \
    "the second entry's DisplayName"
for value in "DisplayVersion 3.24" "Publisher Vantrel" "InstallLocation c:\\kr\\" \
    "DisplayIcon c:\\kr\\tesicon.ico" "MajorVersion 0x3" "MinorVersion 0x18" "VersionMajor 0x3" \
    "VersionMinor 0x18" "NoModify 0x1" "NoRepair 0x1" "InstallDate $(date +%Y%m%d)"; do
    acc_expect_eq "${value#* }" "$(entry_value "$ENTRY" "${value%% *}")" "${value%% *}"
done
uninstall=$(entry_value "$ENTRY" UninstallString)
acc_log "UninstallString: $uninstall; EstimatedSize $(entry_value "$ENTRY" EstimatedSize)"
acc_expect_eq "$uninstall /quiet" "$(entry_value "$ENTRY" QuietUninstallString)" "QuietUninstallString"
expect_both_copies "Tesicon DOSbox.lnk"
expect_both_copies "Print F.lnk"
acc_expect_contains "$(lnk_field "$(start_menu)/Print F.lnk" "Local path")" 'kr2\pr32.exe' \
    "the second installation's Print F"

acc_case "64-bit Windows, DOSBox removed since: the question, then what was removed and what was kept"
# The user's own work, an edited configuration and a shortcut of the same
# name that is not the installer's (a copy of the launcher).
printf 'new draws\r\n' >>"$(acc_drive_c)/kr/draws.qdb"
printf 'printed\r\n' >"$(acc_drive_c)/kr/f"
cp "$(start_menu)/Tesicon DOSbox.lnk" "$(start_menu)/Print F.lnk"
rm -rf "$DOSBOX"
start_uninstall "$ENTRY 2"
if answer_box Tessaly uninstall-question; then
    acc_expect_contains "$BOX_TEXT" 'Remove Tessaly 3.24 from c:\\kr2\\?' "the question"
    acc_key "$ACC_WINDOW" Return
    wait_for 10 window_gone Tessaly
    expect_box Tessaly 'Tessaly was removed from c:\\kr2\\.'
    acc_log "answer: $(printf '%s\n' "$BOX_TEXTS" | sed -n 's/^Static\t\(..*\)$/\1/p' | head -n 1)"
    acc_expect_contains "$BOX_TEXTS" 'These shortcuts were kept, because they were changed' \
        "the kept shortcut"
fi
acc_expect_exit 0 "exit code of the uninstall"
[ -e "$(acc_drive_c)/kr2" ] && acc_fail "c:\\kr2 is still there: $(ls "$(acc_drive_c)/kr2")"
[ -e "$(desktop)/Print F.lnk" ] && acc_fail "the desktop's Print F is still there"
acc_expect_eq "Print F.lnk" "$(ls "$(start_menu)" | paste -sd ' ')" "what stays in the Start menu"
expect_no_residue "$ENTRY 2"
entry_exists "$ENTRY" || acc_fail "the first installation's entry went too"

acc_case "64-bit Windows: the first folder, its changed files kept and named"
start_uninstall "$ENTRY"
if answer_box Tessaly uninstall-first-question Return; then
    wait_for 10 window_gone Tessaly
    expect_box Tessaly 'These were kept in c:\\kr\\, because they were changed or made after the installation:\r\n    draws.qdb\r\n    f'
fi
acc_expect_exit 0 "exit code of the uninstall"
acc_expect_eq "draws.qdb f" "$(ls "$(acc_drive_c)/kr" | paste -sd ' ')" "what stays in c:\\kr"
acc_expect_eq "Print F.lnk" "$(ls "$(start_menu)" | paste -sd ' ')" "what stays in the Start menu"
expect_no_residue "$ENTRY"
[ -e "$(profile_folder)" ] && acc_fail "the uninstallers' folder is still there"
acc_expect_eq "" "$(acc_wine uninstaller --list | grep -i tessaly)" "the entries listed"

# The box answered goes before the next of the same title comes.
box_gone() { ! acc_search_windows --onlyvisible --name '^Tessaly$' | grep -qx "$1"; }

acc_case "64-bit Windows, a removable drive out of reach: quiet 7 changes nothing; another stick there: Yes 8 removes only the shortcuts and the entry"
mkdir -p "$DOSBOX" "$ACC_OUT/drive-e"
cp "$ACC_TOOLS/probe.exe" "$DOSBOX/dosbox.exe"
# Wine takes a drive's volume serial from this file in its root when its
# server starts (without one: the letter in the top byte, 45000000 for E:).
echo 5EED0001 >"$ACC_OUT/drive-e/.windows-serial"
acc_add_drives e:floppy
if install_into stick 'E:\kr'; then
    answer_completion stick
    acc_expect_exit 0 "exit code of the installation on the stick"
fi
uninstaller=$(command_program "$(entry_value "$ENTRY" UninstallString)")
mv "$ACC_OUT/drive-e" "$ACC_OUT/stick-out"  # unplugged
acc_start "$uninstaller" /uninstall /quiet
acc_expect_exit 7 "exit code of the quiet uninstall with the stick out"
entry_exists "$ENTRY" && [ -f "$(profile_folder)/$ENTRY/uninstall.exe" ] && [ -f "$(desktop)/Print F.lnk" ] ||
    acc_fail "the quiet uninstall removed the entry, the uninstaller or a shortcut"
# Another stick at E:, with a folder kr of the same files.
mkdir -p "$ACC_OUT/drive-e"
cp -a "$ACC_OUT/stick-out/kr" "$ACC_OUT/drive-e/kr"
echo 5EED0002 >"$ACC_OUT/drive-e/.windows-serial"
acc_restart_wineserver
acc_start "$uninstaller" /uninstall
if answer_box Tessaly stick-question; then
    acc_expect_contains "$BOX_TEXT" "Tessaly's folder e:\\\\kr\\\\ cannot be reached" "the question"
    probe click Tessaly "&Yes" >/dev/null
    wait_for 10 box_gone "$ACC_WINDOW"
fi
expect_box Tessaly 'Its files in e:\\kr\\ were not touched, since the folder could not be reached.'
acc_expect_exit 8 "exit code of Yes with the stick out"
diff -r "$ACC_OUT/stick-out/kr" "$ACC_OUT/drive-e/kr" >/dev/null || acc_fail "the other stick's kr changed"
[ -e "$(desktop)/Print F.lnk" ] || [ -e "$(start_menu)" ] && acc_fail "a shortcut stays"
expect_no_residue "$ENTRY"
rm -rf "$ACC_OUT/drive-e"
mv "$ACC_OUT/stick-out" "$ACC_OUT/drive-e"  # plugged back
acc_restart_wineserver
if install_into stick-back 'E:\kr'; then
    answer_completion stick-back
    acc_expect_exit 0 "exit code of the installation on the stick plugged back"
fi

acc_case "64-bit Windows, two uninstalls at once: the second ends with 6 while the question is open; the first completes"
acc_start "$uninstaller" /uninstall
first=$ACC_PID
if answer_box Tessaly two-first; then
    question=$ACC_WINDOW
    acc_start "$uninstaller" /uninstall /quiet
    acc_expect_exit 6 "exit code of the second uninstall"
    ACC_PID=$first
    acc_key "$question" Return
    wait_for 10 box_gone "$question"
    expect_box Tessaly 'Tessaly was removed from e:\\kr\\.'
fi
ACC_PID=$first
acc_expect_exit 0 "exit code of the first uninstall"
[ -e "$ACC_OUT/drive-e/kr" ] && acc_fail "e:\\kr is still there"
expect_no_residue "$ENTRY"
rm -rf "$ACC_OUT/drive-e"

acc_switch_prefix uninstall-32 32
FOLDER=$(acc_drive_c)/kr

acc_case "32-bit Windows: No changes nothing, a file held open stays and is named, a second quiet uninstall removes the rest"
if install_into third 'C:\kr'; then
    acc_wait_window Warning 30 >/dev/null && probe click Warning "&Yes"
    answer_completion third
    acc_expect_exit 0 "exit code of the installation"
fi
[ -f "$(start_menu)/tessaly.lnk" ] || acc_fail "no tessaly.lnk in the Start menu"
# No, and the close box (Wine's task dialog ignores Escape without a Cancel
# button; Windows' gives what the close box gives).
for answer in no close; do
    start_uninstall "$ENTRY"
    if answer_box Tessaly "uninstall-$answer"; then
        case $answer in
            no) probe click Tessaly "&No" >/dev/null ;;
            close) acc_key "$ACC_WINDOW" alt+F4 ;;
        esac
    fi
    acc_expect_exit 0 "exit code of Wine's uninstaller after '$answer'"
    acc_expect_eq 10 "$(ls "$FOLDER" | wc -l)" "files left after '$answer'"
    entry_exists "$ENTRY" || acc_fail "'$answer' removed the entry"
done
wait_for 15 temp_is_clean || acc_fail "a declined uninstall left its copy in %TEMP%"
"$ACC_WINE" "$ACC_TOOLS/probe.exe" hold 'C:\kr\tessaly.exe' >"$ACC_OUT/hold.log" 2>&1 &
holder=$!
wait_for 10 grep -q held "$ACC_OUT/hold.log" || acc_fail "tessaly.exe could not be held"
uninstaller=$(command_program "$(entry_value "$ENTRY" UninstallString)")
acc_start "$uninstaller" /uninstall /quiet
acc_expect_exit 1 "exit code of the quiet uninstall beside a held file"
acc_expect_eq "tessaly.exe" "$(ls "$FOLDER" | paste -sd ' ')" "what stays beside the held file"
entry_exists "$ENTRY" || acc_fail "the entry went while a file of ours stayed"
[ -f "$(desktop)/tessaly.lnk" ] && acc_fail "the desktop shortcut stays"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
acc_start "$uninstaller" /uninstall /quiet
acc_expect_exit 0 "exit code of the second quiet uninstall"
[ -e "$FOLDER" ] && acc_fail "c:\\kr is still there"
[ -e "$(start_menu)" ] && acc_fail "the Start menu folder is still there"
expect_no_residue "$ENTRY"
[ -e "$(profile_folder)" ] && acc_fail "the uninstallers' folder is still there"

acc_case "32-bit Windows: the copy's switch typed by hand changes nothing"
if install_into fourth 'C:\kr'; then
    answer_completion fourth
    acc_expect_exit 0 "exit code of the installation"
fi
uninstaller=$(command_program "$(entry_value "$ENTRY" UninstallString)")
# Handle values and an original's path on the command line, its own
# included, are nobody's word.
acc_start "$uninstaller" /uninstall-copy 4 8 "$uninstaller" /quiet
acc_expect_exit 4 "exit code of the switch typed by hand, naming the uninstaller"
acc_expect_eq 10 "$(ls "$FOLDER" | wc -l)" "files left after the switch typed by hand"
entry_exists "$ENTRY" || acc_fail "the switch typed by hand removed the entry"

acc_case "32-bit Windows: the copy, private and in the system folder, killed after its first removal: code 5, and a second uninstall from inside the folder removes the rest"
# Wine's server deletes the files. Run under strace, it waits 5 seconds
# before it deletes the second payload file: time to kill the copy with the
# first one gone. (Only unlink stops it, and only for these paths.)
"$ACC_WINESERVER" -k >/dev/null 2>&1
"$ACC_WINESERVER" -w >/dev/null 2>&1
payload_paths=()
for file in "$FOLDER"/*; do
    payload_paths+=(-P "$(realpath "$file")")
done
strace -f --seccomp-bpf -o "$ACC_OUT/server.strace" "${payload_paths[@]}" -e trace=unlink \
    -e inject=unlink:delay_enter=5000000:when=2 "$ACC_WINESERVER" -f -p >/dev/null 2>&1 &
acc_wait_wineserver || acc_fail "the wineserver under strace does not listen"
acc_start "$uninstaller" /uninstall
answer_box Tessaly killed-question Return
if wait_for 30 eval '[ "$(ls "$FOLDER" | wc -l)" -lt 10 ]'; then
    acc_expect_eq 9 "$(ls "$FOLDER" | wc -l)" "files left when the copy was killed"
    copy=$(ls "$(temp_folder)" | grep '^tsun')
    acc_log "the copy: $copy, $(stat -c %A "$(temp_folder)/$copy")"
    # Wine turns the DACL into the file's mode: the user's entry gives the
    # owner's and the group's bits, and other accounts get none.
    case $(stat -c %A "$(temp_folder)/$copy") in
        *---) ;;
        *) acc_fail "other accounts may use the copy's file" ;;
    esac
    kill -9 "$(acc_prefix_processes | awk '/uninstall-copy/ { print $1; exit }')"
else
    acc_fail "the copy removed nothing"
fi
expect_box Tessaly "ended before it said what it had done"
acc_expect_exit 5 "exit code of the uninstall whose copy was killed"
entry_exists "$ENTRY" || acc_fail "the entry went with the killed copy"
(cd "$FOLDER" && exec "$ACC_WINE" "$uninstaller" /uninstall /quiet) >"$ACC_OUT/inside.log" 2>&1 &
ACC_PID=$!
acc_expect_exit 0 "exit code of the second uninstall, started from inside the folder"
[ -e "$FOLDER" ] && acc_fail "c:\\kr is still there: $(ls -A "$FOLDER" | paste -sd ' ')"
expect_no_residue "$ENTRY"
acc_restart_wineserver  # one that strace does not hold

# Wine 8 makes no junction (FSCTL_SET_REPARSE_POINT is not supported, and
# CreateSymbolicLinkW and cmd's mklink make nothing) but shows a Unix
# symbolic link to a folder as one: a folder with the reparse-point attribute.
acc_case "32-bit Windows, a folder that is a link: the files in its target go, the link and the user's file stay, named"
ln -s moved "$FOLDER"
mkdir -p "$(acc_drive_c)/moved"
if install_into junction 'C:\kr'; then
    answer_completion junction
    acc_expect_exit 0 "exit code of the installation"
fi
printf 'mine\r\n' >"$(acc_drive_c)/moved/mine.txt"
acc_start "$(command_program "$(entry_value "$ENTRY" UninstallString)")" /uninstall
if answer_box Tessaly junction-question Return; then
    wait_for 10 box_gone "$ACC_WINDOW"
    expect_box Tessaly 'installation:\r\n    mine.txt\r\n\r\nThe folder c:\\kr\\ stays, since it is a link to another folder: what was Tessaly'"'"'s in that folder was removed.'
fi
acc_expect_exit 0 "exit code of the uninstall"
[ -L "$FOLDER" ] || acc_fail "the link c:\\kr went"
acc_expect_eq "mine.txt" "$(ls "$(acc_drive_c)/moved" | paste -sd ' ')" "what stays in the link's target"
expect_no_residue "$ENTRY"
rm -rf "$FOLDER" "$(acc_drive_c)/moved"

acc_end
