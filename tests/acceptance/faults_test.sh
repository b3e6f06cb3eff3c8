#!/bin/bash
# Faults the installation must survive without losing data or claiming
# success, each through the main window on 32-bit Windows: a disk that fills
# up part way, a read-only file of the same name, a file another program
# holds open without sharing, a folder where a file should go, and an install
# folder that cannot be created. Each time: the progress window says the
# installation failed, one box names what failed and the system's reason,
# 'Tessaly was not installed.' follows with the main window back on the
# folder page, a file that could not be replaced keeps its old bytes, nothing
# partial is left under a file's name nor any stray file, and a second
# Install after the cause is removed succeeds.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin faults
export TZ=UTC  # file dates are local time: UTC keeps them comparable

SMALL_DISK=""
trap '[ -n "$SMALL_DISK" ] && umount -l "$SMALL_DISK" 2>/dev/null; acc_cleanup' EXIT

# What a file that could not be replaced must still hold afterwards.
OLD_BYTES=$ACC_OUT/old-bytes
printf 'old bytes that must survive\r\n' >"$OLD_BYTES"

# A Windows path as the probe prints it (backslashes doubled).
escaped() { printf '%s' "$1" | sed 's/\\/\\\\/g'; }

# Opens the installer and goes to the folder page.
open_folder_page() {  # shot
    open_main "$1" || return 1
    click "$SETUP"
    wait_for 10 page_is 2 || { acc_fail "Setup did not open the folder page"; return 1; }
}

# Install into the folder, expecting the run to fail: "Installation failed."
# in the progress window, OK, one box with every expected line (paths as the
# folder box gives them, in lower case), then 'Tessaly was not installed.'
# over the main window, which is back on the folder page with the folder.
install_fails() {  # windows-folder expected-line...
    local folder=$1 line
    shift
    type_folder "$folder"
    click "$INSTALL"
    wait_stage "Installation failed." 60 || return 1
    acc_screenshot "failed-$ACC_CASES" >/dev/null
    click_progress btnCancel
    expect_box Tessaly "The installation failed:" || return 1
    acc_log "box: $BOX_TEXTS"
    for line in "$@"; do
        acc_expect_contains "$BOX_TEXTS" "$(escaped "$line")" "failure message"
    done
    # Every line names a reason after its colon.
    if printf '%s' "$BOX_TEXTS" | grep -q ': \(\\r\|$\)'; then
        acc_fail "a line of the failure message gives no reason"
    fi
    expect_box "$NOTICE_TITLE" "Tessaly was not installed."
    acc_expect_eq yes "$BOX_MAIN_SHOWN" "main window back behind the last notice"
    page_is 2 || acc_fail "not on the folder page after the failed run"
    acc_expect_eq "$(escaped "$(printf '%s' "$folder" | tr '[:upper:]' '[:lower:]')")" \
        "$(folder_text)" "folder text after the failed run"
}

# Install again after the cause is gone: success, the completion answered,
# exit code 0, the ten files with their bytes and dates.
install_succeeds() {  # linux-folder
    click "$INSTALL"
    wait_stage "Installation Successful." 60 || return 1
    click_progress btnCancel
    answer_completion "again-$ACC_CASES"
    acc_expect_exit 0 "exit code after the second Install"
    expect_installed "$1"
    expect_only_payload "$1"
}

# Nothing but the payload's files in the folder, each whole; a file named
# as kept must hold the old bytes instead.
expect_only_payload() {  # linux-folder [kept file name]
    local path name
    for path in "$1"/* "$1"/.[!.]*; do
        [ -e "$path" ] || continue
        name=${path##*/}
        if [ "$name" = "${2:-}" ]; then
            cmp -s "$OLD_BYTES" "$path" || acc_fail "$name lost its old bytes"
            continue
        fi
        local source
        source=$(payload_source "$name")
        if [ -z "$source" ]; then
            acc_fail "a stray file $name in ${1##*/}"
        elif [ -d "$path" ] || ! cmp -s "$source" "$path"; then
            acc_fail "$name is not the whole installed file"
        fi
    done
}

acc_new_prefix faults 32
C=$(acc_drive_c)

acc_case "A disk that fills up part way: the files that did not fit are named, old bytes stay"
acc_add_drives d:hd
SMALL_DISK=$ACC_OUT/drive-d
if mount -t tmpfs -o size=400k tessaly-small "$SMALL_DISK" 2>"$ACC_OUT/mount.log"; then
    mkdir -p "$SMALL_DISK/kr"
    cp "$OLD_BYTES" "$SMALL_DISK/kr/wheels5.qdb"
    if open_folder_page disk-full; then
        install_fails 'D:\kr' 'The file d:\kr\wheels5.qdb could not be written: ' \
            'The file d:\kr\pr32.exe could not be written: '
        expect_only_payload "$SMALL_DISK/kr" wheels5.qdb
        [ -f "$SMALL_DISK/kr/tessaly.exe" ] || acc_fail "the files that fit were not written"
        mount -o remount,size=4m "$SMALL_DISK"
        install_succeeds "$SMALL_DISK/kr"
    fi
    umount "$SMALL_DISK" && SMALL_DISK=""
else
    # Mounting needs root; without it this machine cannot make a small disk.
    acc_log "skipped: no small filesystem can be mounted here ($(cat "$ACC_OUT/mount.log"))"
fi

acc_case "A read-only file of the same name keeps its old bytes"
mkdir -p "$C/ro"
cp "$OLD_BYTES" "$C/ro/readme.txt"
acc_wine attrib +r 'C:\ro\readme.txt'
if open_folder_page read-only; then
    install_fails 'C:\ro' 'The file c:\ro\readme.txt could not be written: '
    expect_only_payload "$C/ro" readme.txt
    acc_wine attrib -r 'C:\ro\readme.txt'
    install_succeeds "$C/ro"
fi

acc_case "A file another program holds open without sharing keeps its old bytes"
mkdir -p "$C/held"
cp "$OLD_BYTES" "$C/held/tesicon.ico"
"$ACC_WINE" "$ACC_TOOLS/probe.exe" hold 'C:\held\tesicon.ico' >"$ACC_OUT/hold.log" 2>&1 &
holder=$!
if ! acc_wait_file "$ACC_OUT/hold.log" 30 || [ "$(tr -d '\r' <"$ACC_OUT/hold.log")" != held ]; then
    acc_fail "the file could not be held open: $(cat "$ACC_OUT/hold.log")"
elif open_folder_page held; then
    install_fails 'C:\held' 'The file c:\held\tesicon.ico could not be written: '
    expect_only_payload "$C/held" tesicon.ico
    kill "$holder"
    wait "$holder" 2>/dev/null
    install_succeeds "$C/held"
fi
kill "$holder" 2>/dev/null

acc_case "A folder where a file should go is named and left alone"
mkdir -p "$C/dir/readme.txt"
: >"$C/dir/readme.txt/inside"
if open_folder_page folder-in-the-way; then
    install_fails 'C:\dir' 'The file c:\dir\readme.txt could not be written: '
    [ -f "$C/dir/readme.txt/inside" ] || acc_fail "the folder in the way was touched"
    rm -rf "$C/dir/readme.txt"
    install_succeeds "$C/dir"
fi

acc_case "An install folder that cannot be created is named, and so is every file"
printf 'a file, not a folder' >"$C/blocked"
if open_folder_page uncreatable; then
    install_fails 'C:\blocked\kr' 'The folder c:\blocked\kr\ could not be created: ' \
        'The file c:\blocked\kr\tessaly.exe could not be written: ' \
        'The file c:\blocked\kr\pr32.exe could not be written: '
    acc_expect_eq "a file, not a folder" "$(cat "$C/blocked")" "the file in the way"
    rm -f "$C/blocked"
    install_succeeds "$C/blocked/kr"
fi

acc_end
