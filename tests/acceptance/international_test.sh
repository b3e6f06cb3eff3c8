#!/bin/bash
# Profiles and folders named in other scripts. Wine names the Windows user,
# and so its profile folder, after the Unix account that runs it: the
# installer runs as the accounts łukasz and 王伟 (made when missing, as root)
# in prefixes they own, every Wine program through runuser with the suite's
# environment passed on. The locale of the prefix's wineserver and programs
# sets the ANSI code page: C.UTF-8 gives 1252, pl_PL.UTF-8 1250.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
ACC_XVFB_OPTIONS=-ac  # the accounts' programs are clients of the suite's Xvfb
acc_begin international
export TZ=UTC
require_expect_tools

ENTRY="Vantrel Tessaly"
STAGING='AppData\Local\Programs\DOSBox Staging'
MENU='AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessaly'
REAL_WINESERVER=$ACC_WINESERVER
for account in łukasz 王伟; do
    id -u "$account" >/dev/null 2>&1 || useradd -m --badname "$account" || exit 2
done

# Wine's loader and server as ACC_ACCOUNT under ACC_LOCALE: lib.sh's helpers
# start every program through these.
cat >"$ACC_OUT/as-account" <<'SCRIPT'
#!/bin/sh
exec runuser -u "$ACC_ACCOUNT" -- env -i PATH="$PATH" USER="$ACC_ACCOUNT" HOME="$HOME" \
    DISPLAY="$DISPLAY" WINEPREFIX="$WINEPREFIX" WINEARCH="$WINEARCH" WINELOADER="$WINELOADER" \
    WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" XDG_DATA_HOME="$XDG_DATA_HOME" \
    LC_ALL="$ACC_LOCALE" TZ="$TZ" "$@"
SCRIPT
chmod +x "$ACC_OUT/as-account"
wrap() {  # name program
    printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$ACC_OUT/as-account" "$2" >"$ACC_OUT/$1"
    chmod +x "$ACC_OUT/$1"
    printf '%s' "$ACC_OUT/$1"
}

# A fresh prefix of the account's own for the kind of Windows, made by
# wineboot (lib.sh's templates belong to root), with a running wineserver.
account_prefix() {  # 32|64 account name
    acc_remove_prefix
    acc_choose_windows "$1" || exit 2
    export ACC_ACCOUNT=$2 ACC_LOCALE=C.UTF-8 ACC_PREFIX_NAME=$3-$1
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEPREFIX=$ACC_OUT/prefix-$ACC_PREFIX_NAME XDG_DATA_HOME=$ACC_OUT/xdg-$ACC_PREFIX_NAME \
        HOME=$ACC_OUT/home-$ACC_PREFIX_NAME
    mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME/Trash/files" "$HOME"
    chown -R "$ACC_ACCOUNT:" "$WINEPREFIX" "$XDG_DATA_HOME" "$HOME"
    ACC_WINE=$(wrap wine "$ACC_WINE")
    ACC_WINESERVER=$(wrap wineserver "$REAL_WINESERVER")
    "$ACC_WINESERVER" -k >/dev/null 2>&1  # one left from a removed folder of this inode
    acc_remove_server_folder
    "$ACC_WINE" wineboot --init >"$ACC_OUT/wineboot-$ACC_PREFIX_NAME.log" 2>&1
    "$ACC_WINESERVER" -w
    ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    acc_keyboard_cues off
    chown "$ACC_ACCOUNT:" "$WINEPREFIX/user.reg"  # sed made it root's
    acc_check_prefix_kind
    "$ACC_WINESERVER" -p
}

# Restarts the prefix's wineserver under the locale; Wine must then report
# the code page.
code_page() {  # locale code-page
    export ACC_LOCALE=$1
    acc_restart_wineserver
    acc_expect_eq "$2" "$(acc_wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' \
        /v ACP | tr -d '\r' | awk '$1 == "ACP" { print $3 }')" "ANSI code page under $1"
}

profile() { printf '%s/users/%s' "$(acc_drive_c)" "$ACC_ACCOUNT"; }
profile_win() { printf 'C:\\users\\%s' "$ACC_ACCOUNT"; }
lower() { tr 'A-Z' 'a-z'; }  # ASCII letters only, as the installer lowers paths
listed() { acc_wine uninstaller --list | tr -d '\r' | grep -F "$ENTRY"; }
# Only the account's own profile and Public: no look-alike such as
# C:\users\lukasz or C:\users\??.
expect_only_profile() {
    acc_expect_eq "$(printf '%s\n' Public "$ACC_ACCOUNT" | sort | paste -sd ' ')" \
        "$(ls "$(acc_drive_c)/users" | sort | paste -sd ' ')" "folders under C:\\users $1"
}

# The stand-in DOSBox where its installer puts it for one user.
put_stand_in() {
    PROGRAM="$(profile_win)\\$STAGING\\dosbox.exe"
    STAND_IN="$(profile)/$(printf '%s' "$STAGING" | tr '\\' /)"
    mkdir -p "$STAND_IN"
    cp "$(acc_tool record_start.exe)" "$STAND_IN/dosbox.exe"
    chown -R "$ACC_ACCOUNT:" "$(profile)/AppData/Local/Programs"
}

# Each shortcut on the desktop and in the Start menu: working folder and
# arguments as the .lnk keeps them (UTF-16), read back with lnkinfo.
expect_shortcuts() {  # folder name arguments [name arguments]...
    local folder=$1 lnk
    shift
    while [ $# -gt 0 ]; do
        for lnk in "$(profile)/Desktop/$1" "$(profile)/$MENU/$1"; do
            acc_expect_eq "$folder" "$(lnk_field "$lnk" 'Working directory' | lower)" "$lnk: folder"
            acc_expect_eq "$2" "$(lnk_field "$lnk" 'Command line arguments')" "$lnk: arguments"
        done
        shift 2
    done
}

# A whole installation into c:\kr through the windows, its shortcuts and
# entry read back, then the uninstall through Wine's uninstaller with Yes,
# which must leave nothing of ours and no look-alike profile.
install_and_remove() {  # 32|64
    acc_case "$1-bit Windows, the account $ACC_ACCOUNT: a whole installation, its shortcuts and entry, and the uninstall"
    if setup_and_install "install-$ACC_CASES"; then
        if [ "$1" = 32 ] && acc_wait_window Warning 30 >/dev/null; then
            probe click Warning '&Yes'
            wait_for 10 window_gone Warning
        fi
        answer_completion "install-$ACC_CASES"
        acc_expect_exit 0 "exit code of the installation"
    fi
    expect_installed "$(acc_drive_c)/kr"
    if [ "$1" = 64 ]; then
        expect_shortcuts "$(printf '%s' "${PROGRAM%\\*}\\" | lower)" \
            "Tesicon DOSbox.lnk" '-noconsole -conf c:\kr\dosbox.conf'
        expect_shortcuts 'c:\kr\' "Print F.lnk" f
    else
        expect_shortcuts 'c:\kr\' tessaly.lnk ''
    fi
    acc_expect_eq "$ENTRY|||$ENTRY 3.24 (c:\\kr)" "$(listed)" "the entry Wine's uninstaller lists"
    grep -qF "$(profile_win)\\Desktop\\" "$(profile)/AppData/Local/Tessaly/$ENTRY/uninstall.dat" ||
        acc_fail "the record names no shortcut in $(profile_win)\\Desktop"
    acc_start uninstaller --remove "$ENTRY"
    if answer_box Tessaly "uninstall-$ACC_CASES" Return; then
        wait_for 10 window_gone Tessaly
        expect_box Tessaly 'Tessaly was removed from c:\\kr\\.'
    fi
    acc_expect_exit 0 "exit code of the uninstall"
    acc_expect_eq "" "$(find "$(acc_drive_c)/kr" "$(profile)/Desktop/" "$(profile)/$MENU" \
        "$(profile)/AppData/Local/Tessaly" -mindepth 1 2>/dev/null | paste -sd ' ')" "left behind"
    acc_expect_eq "" "$(listed)" "the entry after the uninstall"
    expect_only_profile "after the uninstall"
}

account_prefix 32 łukasz lukasz
install_and_remove 32

account_prefix 64 王伟 wang
put_stand_in
install_and_remove 64

account_prefix 64 łukasz lukasz
put_stand_in
acc_case "64-bit Windows, the account łukasz: c:\\łódź\\kr refused under code page 1252, installed under 1250, its launcher started"
before=$(ls "$(acc_drive_c)" | paste -sd ' ')
for cp in 1252 1250; do
    [ $cp = 1250 ] && code_page pl_PL.UTF-8 1250
    open_main "folder-$cp" || continue
    click "$SETUP"
    wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
    probe settext "$TITLE" Edit 'c:\łódź\kr'
    click "$INSTALL"
    [ $cp = 1250 ] && break
    expect_box "$NOTICE_TITLE" 'Tessaly is a DOS program, and a DOS program cannot open a folder whose name has the character "ł" in it.\r\n\r\nPlease choose a folder whose name is written with the letters A to Z, digits and spaces, such as c:\\kr.'
    acc_key "$WINDOW" alt+F4
    acc_expect_exit 0 "exit code after the close box"
    acc_expect_eq "$before" "$(ls "$(acc_drive_c)" | paste -sd ' ')" "folders on C: after the refusal"
done
if wait_stage "Installation Successful." 60; then
    click_progress btnCancel
    answer_completion folder-1250
    acc_expect_exit 0 "exit code of the installation"
fi
expect_installed "$(acc_drive_c)/łódź/kr"
mount=$(printf 'mount c c:\\łódź\\kr\r\n' | iconv -f UTF-8 -t CP1250)
LC_ALL=C grep -qaF "$mount" "$(acc_drive_c)/łódź/kr/dosbox.conf" || acc_fail "no mount line in code page 1250"
expect_shortcuts "$(printf '%s' "${PROGRAM%\\*}\\" | lower)" \
    "Tesicon DOSbox.lnk" '-noconsole -conf c:\łódź\kr\dosbox.conf'
acc_start start /unix "$(profile)/Desktop/Tesicon DOSbox.lnk"
if acc_wait_file "$STAND_IN/started.txt" 20; then
    acc_log "started: $(tr -d '\r' <"$STAND_IN/started.txt" | paste -sd ';')"
    acc_expect_eq "\"$(printf '%s' "$PROGRAM" | lower)\" -noconsole -conf c:\\łódź\\kr\\dosbox.conf" \
        "$(sed -n 1p "$STAND_IN/started.txt" | tr -d '\r' | lower)" "the stand-in's command line"
else
    acc_fail "the launcher did not start the stand-in"
fi
acc_wait_exit 30

acc_end
