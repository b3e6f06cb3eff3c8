#!/bin/bash
# A reinstall into a folder whose files the user changed, through the
# windows: every file lands again with its date, and the old bytes of the
# changed one are kept: in the Recycle Bin (Wine's trash) on a fixed drive,
# in a KEPTnnnn folder beside the files, one per run, on a removable drive.
# The final message's last line says how many were kept and where.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin reinstall
export TZ=UTC  # file dates are local time: UTC keeps them comparable

# The user's work added to draws.qdb; a copy of the changed file is kept
# as draws-TAG for comparing.
change_draws() {  # linux-folder tag
    printf 'draws the user entered, %s\r\n' "$2" >>"$1/draws.qdb"
    cp "$1/draws.qdb" "$ACC_OUT/draws-$2"
}

# Expects the last box, answers it, and checks that its text ends with the
# line (as the probe prints it: CR, LF and backslashes escaped).
expect_last_line() {  # title ending
    expect_box "$1" "$2" || return
    local text
    text=$(printf '%s\n' "$BOX_TEXTS" | sed -n 's/^Static\t\(..*\)$/\1/p' | head -n 1)
    acc_log "last box: $text"
    [[ $text == *"$2" ]] || acc_fail "the box does not end with '$2'"
    acc_expect_exit 0 "exit code of the reinstall"
}

# The files in the trash that came from that path (their .trashinfo says so).
trashed_from() {  # linux-path-suffix
    local info
    for info in "$XDG_DATA_HOME"/Trash/info/*.trashinfo; do
        [ -e "$info" ] || continue
        if grep -q "^Path=.*$1\$" "$info"; then
            info=${info##*/}
            printf '%s\n' "$XDG_DATA_HOME/Trash/files/${info%.trashinfo}"
        fi
    done
}

# The installed files and their dates, and draws.qdb as the payload has it.
expect_reinstalled() {  # linux-folder
    expect_installed "$1"
    cmp -s "$(payload_source draws.qdb)" "$1/draws.qdb" || acc_fail "draws.qdb is not the new file"
}

acc_new_prefix reinstall-32 32
FOLDER=$(acc_drive_c)/kr

acc_case "32-bit Windows, drive C: the changed draws.qdb goes to the Recycle Bin"
if install_into first 'C:\kr'; then
    answer_completion first
    acc_expect_exit 0 "exit code of the first installation"
    change_draws "$FOLDER" c1
    if install_into second 'C:\kr'; then
        acc_wait_window Warning 30 >/dev/null && probe click Warning "&No"
        expect_last_line Tessaly \
            'F5.\r\n\r\nThe old copy of 1 changed file was kept in the Recycle Bin.'
        expect_reinstalled "$FOLDER"
        mapfile -t kept < <(trashed_from /kr/draws.qdb)
        acc_expect_eq 1 "${#kept[@]}" "copies of draws.qdb in the trash"
        cmp -s "$ACC_OUT/draws-c1" "${kept[0]}" || acc_fail "the trash's draws.qdb is not the user's"
        acc_expect_eq 1 "$(ls "$XDG_DATA_HOME/Trash/files" | wc -l)" "files in the trash"
        acc_log "kept: ${kept[0]#"$ACC_OUT"/}"
    fi
fi

acc_case "32-bit Windows, drive C: an unchanged folder adds nothing to the message or the trash"
if install_into third 'C:\kr'; then
    acc_wait_window Warning 30 >/dev/null && probe click Warning "&No"
    expect_last_line Tessaly 'To run Tessaly, start Corvane and press function key F5.'
    acc_expect_eq 1 "$(ls "$XDG_DATA_HOME/Trash/files" | wc -l)" "files in the trash"
fi

acc_switch_prefix reinstall-64 64
mkdir -p "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
cp "$ACC_TOOLS/probe.exe" "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74/dosbox.exe"
acc_add_drives e:floppy
FOLDER=$ACC_OUT/drive-e/kr

acc_case "64-bit Windows, a removable drive: each run's changed draws.qdb goes to its own KEPT folder"
if install_into removable-first 'E:\kr'; then
    answer_completion removable-first
    acc_expect_exit 0 "exit code of the first installation"
    for run in 1 2; do
        change_draws "$FOLDER" "e$run"
        install_into "removable-again-$run" 'E:\kr' || break
        expect_last_line "$NOTICE_TITLE" \
            "CTRL+ALT+P.\\r\\n\\r\\nThe old copy of 1 changed file was kept in e:\\\\kr\\\\KEPT000$run."
        expect_reinstalled "$FOLDER"
    done
    for run in 1 2; do
        cmp -s "$ACC_OUT/draws-e$run" "$FOLDER/KEPT000$run/draws.qdb" ||
            acc_fail "KEPT000$run/draws.qdb is not the user's of run $run"
    done
    acc_expect_eq "KEPT0001/draws.qdb KEPT0002/draws.qdb" \
        "$(cd "$FOLDER" && ls -d KEPT*/* | paste -sd ' ')" "what the KEPT folders hold"
    acc_expect_eq "" "$(trashed_from /kr/draws.qdb)" "draws.qdb in the trash"
fi

acc_end
