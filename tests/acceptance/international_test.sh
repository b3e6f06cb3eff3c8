#!/bin/bash
# Profiles and folders named in other scripts. Wine names the Windows user,
# and so its profile folder, after the Unix account that runs it: the
# installer runs as the accounts łukasz and 王伟 (made when missing, as root)
# in prefixes they own, every Wine program through runuser with the suite's
# environment passed on. The locale of the prefix's wineserver and programs
# sets the ANSI code page: C.UTF-8 gives 1252, ja_JP.UTF-8 932, pl_PL.UTF-8
# 1250 (scripts/ensure-packages.sh generates them).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
# The accounts' programs are clients of the suite's Xvfb, whose keyboard map
# x_keymap.py changes for the whole run.
ACC_XVFB_OPTIONS="-ac -noreset"
acc_begin international
export TZ=UTC
require_expect_tools

ENTRIES='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
ENTRY="Vantrel Tessaly"
STAGING='AppData\Local\Programs\DOSBox Staging'
MENU='AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessaly'
REAL_WINESERVER=$ACC_WINESERVER
for account in łukasz 王伟; do
    id -u "$account" >/dev/null 2>&1 || useradd -m --badname "$account" || {
        echo "cannot make the account $account (root can)" >&2
        exit 2
    }
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
# wineboot, with a running wineserver (lib.sh's templates belong to root's
# profile). Where the twins stand in, both kinds share one win64 prefix.
account_prefix() {  # 32|64 account
    local name
    name=$([ "$2" = 王伟 ] && echo wang || echo lukasz)
    if [ "${ACC_PREFIX_NAME:-}" = "$name-${WINEARCH:-}" ] && acc_choose_windows "$1" &&
        [ "$ACC_PREFIX_NAME" = "$name-$WINEARCH" ]; then
        ACC_WINE=$(wrap wine "$ACC_WINE")
        return
    fi
    acc_remove_prefix
    acc_choose_windows "$1" || exit 2
    export ACC_ACCOUNT=$2 ACC_LOCALE=C.UTF-8
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    ACC_PREFIX_NAME=$name-$WINEARCH
    export WINEPREFIX=$ACC_OUT/prefix-$ACC_PREFIX_NAME XDG_DATA_HOME=$ACC_OUT/xdg-$ACC_PREFIX_NAME \
        HOME=$ACC_OUT/home-$ACC_PREFIX_NAME
    CODE_PAGE=
    rm -rf "$WINEPREFIX" "$XDG_DATA_HOME" "$HOME"
    mkdir -p "$WINEPREFIX" "$XDG_DATA_HOME/Trash/files" "$HOME"
    chown -R "$ACC_ACCOUNT:" "$WINEPREFIX" "$XDG_DATA_HOME" "$HOME"
    ACC_WINE=$(wrap wine "$ACC_WINE")
    ACC_WINESERVER=$(wrap wineserver "$REAL_WINESERVER")
    # A server left from a removed prefix whose folder's inode this one got
    # must not answer for it (as in acc_new_prefix).
    "$ACC_WINESERVER" -k >/dev/null 2>&1
    acc_remove_server_folder
    "$ACC_WINE" wineboot --init >"$ACC_OUT/wineboot-$ACC_PREFIX_NAME.log" 2>&1
    "$ACC_WINESERVER" -w
    ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    acc_keyboard_cues off
    chown "$ACC_ACCOUNT:" "$WINEPREFIX/user.reg"
    acc_check_prefix_kind
    "$ACC_WINESERVER" -p
}

# Restarts the prefix's wineserver under the locale, unless it runs under
# it; fails the case unless Wine then reports the code page.
code_page() {  # locale code-page
    [ "$CODE_PAGE" = "$2" ] && return
    export ACC_LOCALE=$1
    acc_restart_wineserver
    CODE_PAGE=$(acc_wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP |
        tr -d '\r' | awk '$1 == "ACP" { print $3 }')
    acc_expect_eq "$2" "$CODE_PAGE" "ANSI code page under $1"
}

profile() { printf '%s/users/%s' "$(acc_drive_c)" "$ACC_ACCOUNT"; }
profile_win() { printf 'C:\\users\\%s' "$ACC_ACCOUNT"; }
lower() { tr 'A-Z' 'a-z'; }  # ASCII letters only, as the installer lowers paths

# The entry's values as the prefix's reg exports them (UTF-16: every script
# whole), one "name=value" a line.
entry_values() {
    acc_wine reg export "$ENTRIES\\$ENTRY" 'C:\entry.reg' /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$(acc_drive_c)/entry.reg" 2>/dev/null | tr -d '\r' |
        sed -n 's/^"\([A-Za-z]*\)"="\(.*\)"$/\1=\2/p' | sed 's/\\\\/\\/g; s/\\"/"/g'
    rm -f "$(acc_drive_c)/entry.reg"
}
listed() { acc_wine uninstaller --list | tr -d '\r' | grep -F "$ENTRY"; }

# Only the account's own profile and Public under C:\users: nothing went to
# a look-alike of its name (C:\users\lukasz, C:\users\??).
expect_only_profile() {
    acc_expect_eq "$(printf '%s\n' Public "$ACC_ACCOUNT" | sort | paste -sd ' ')" \
        "$(ls "$(acc_drive_c)/users" | sort | paste -sd ' ')" "folders under C:\\users $1"
}

# Puts the stand-in DOSBox where its installer puts it for one user.
put_stand_in() {
    PROGRAM="$(profile_win)\\$STAGING\\dosbox.exe"
    STAND_IN="$(profile)/$(printf '%s' "$STAGING" | tr '\\' /)"
    mkdir -p "$STAND_IN"
    cp "$(acc_tool record_start.exe)" "$STAND_IN/dosbox.exe"
    chown -R "$ACC_ACCOUNT:" "$(profile)/AppData/Local/Programs"
}

# Starts the launcher on the desktop and checks what the stand-in recorded.
# Wine's shell starts a shortcut by a path it keeps only in the ANSI code
# page: through it where the code page writes the profile's name, else by
# the shortcut's ID list (as Windows keeps every name whole).
expect_launcher_starts() {  # code-page mount-folder
    local lnk="$(profile)/Desktop/Tesicon DOSbox.lnk" record="$STAND_IN/started.txt" how
    rm -f "$record"
    if printf '%s' "$ACC_ACCOUNT" | iconv -f UTF-8 -t "CP$1" >/dev/null 2>&1; then
        how="Wine's shell"
        acc_start start /unix "$lnk"
    else
        how="its ID list"
        acc_start "$(acc_tool record_start.exe)" open "$(profile_win)\\Desktop\\Tesicon DOSbox.lnk"
    fi
    if acc_wait_file "$record" 20; then
        acc_log "started by $how: $(tr -d '\r' <"$record" | paste -sd ';')"
        acc_expect_eq "\"$(printf '%s' "$PROGRAM" | lower)\" -noconsole -conf $2\\dosbox.conf" \
            "$(sed -n 1p "$record" | tr -d '\r' | lower)" "the stand-in's command line"
        acc_expect_eq "$(printf '%s' "${PROGRAM%\\*}" | lower)" \
            "$(sed -n 2p "$record" | tr -d '\r' | lower)" "the stand-in's working folder"
    else
        acc_fail "the launcher started by $how did not start the stand-in"
        acc_screenshot "launcher-$ACC_CASES" >/dev/null
    fi
    acc_wait_exit 30
}

# A shortcut on the desktop and its copy in the Start menu: working folder
# and arguments (kept in UTF-16), and the target where the code page writes
# it (Wine keeps lnkinfo's path only in the ANSI code page; the launcher's
# start checks it where not).
expect_shortcut() {  # code-page name target arguments folder
    local lnk
    for lnk in "$(profile)/Desktop/$2" "$(profile)/$MENU/$2"; do
        [ -f "$lnk" ] || { acc_fail "no $lnk"; continue; }
        acc_expect_eq "$5" "$(lnk_field "$lnk" 'Working directory')" "$2: working folder"
        acc_expect_eq "$4" "$(lnk_field "$lnk" 'Command line arguments')" "$2: arguments"
        if printf '%s' "$3" | iconv -f UTF-8 -t "CP$1" >/dev/null 2>&1; then
            acc_expect_eq "$(printf '%s' "$3" | lower)" "$(lnkinfo -c "windows-$1" "$lnk" |
                sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p' | lower)" "$2: target"
        fi
    done
}

# A whole installation through the windows into c:\kr, its shortcuts and
# entry read back, the launcher started (64-bit Windows: a stand-in DOSBox
# in the user's own Programs folder, its installer's default), then the
# uninstall through Wine's uninstaller with Yes, which must leave nothing.
install_and_remove() {  # 32|64 code-page locale
    acc_case "$1-bit Windows, code page $2, the account $ACC_ACCOUNT: a whole installation, its shortcuts, entry and launcher, and the uninstall"
    code_page "$3" "$2"
    local record
    if setup_and_install "install-$ACC_CASES"; then
        if [ "$1" = 32 ] && acc_wait_window Warning 30 >/dev/null; then
            acc_screenshot "install-$ACC_CASES-question" >/dev/null
            probe click Warning '&Yes'
            wait_for 10 window_gone Warning
        fi
        answer_completion "install-$ACC_CASES"
        acc_expect_exit 0 "exit code of the installation"
    fi
    expect_installed "$(acc_drive_c)/kr"
    if [ "$1" = 64 ]; then
        expect_shortcut "$2" "Tesicon DOSbox.lnk" "$PROGRAM" '-noconsole -conf c:\kr\dosbox.conf' \
            "$(printf '%s' "${PROGRAM%\\*}\\" | lower)"
        expect_shortcut "$2" "Print F.lnk" 'c:\kr\pr32.exe' f 'c:\kr\'
        expect_launcher_starts "$2" 'c:\kr'
    else
        expect_shortcut "$2" tessaly.lnk 'c:\kr\tessaly.exe' '' 'c:\kr\'
    fi
    local values uninstaller="$(profile_win)\\AppData\\Local\\Tessaly\\$ENTRY"
    values=$(entry_values)
    acc_expect_eq "$ENTRY|||$ENTRY 3.24 (c:\\kr)" "$(listed)" "the entry Wine's uninstaller lists"
    acc_expect_contains "$values" 'InstallLocation=c:\kr\' "InstallLocation"
    acc_expect_contains "$values" "UninstallString=\"$uninstaller\\" "UninstallString"
    record="$(profile)/AppData/Local/Tessaly/$ENTRY/uninstall.dat"
    grep -qF "$(profile_win)\\Desktop\\" "$record" ||
        acc_fail "the record names no shortcut in $(profile_win)\\Desktop in UTF-8"
    expect_only_profile "after the installation"
    acc_start uninstaller --remove "$ENTRY"
    if answer_box Tessaly "uninstall-$ACC_CASES" Return; then
        wait_for 10 window_gone Tessaly
        expect_box Tessaly 'Tessaly was removed from c:\\kr\\.'
        acc_expect_eq 'Tessaly was removed from c:\\kr\\.' \
            "$(printf '%s\n' "$BOX_TEXTS" | sed -n 's/^Static\t\(..*\)$/\1/p')" "the uninstall's answer"
    fi
    acc_expect_exit 0 "exit code of the uninstall"
    [ -e "$(acc_drive_c)/kr" ] && acc_fail "c:\\kr is still there: $(ls "$(acc_drive_c)/kr")"
    local left
    left=$(find "$(profile)/Desktop/" "$(profile)/$MENU" "$(profile)/AppData/Local/Tessaly" \
        "$(profile)/Temp" -mindepth 1 2>/dev/null | paste -sd ' ')
    acc_expect_eq "" "$left" "left in the profile"
    acc_expect_eq "" "$(listed)" "the entry after the uninstall"
    expect_only_profile "after the uninstall"
}

# The welcome page, painted as laid out, then captured for a comparison.
welcome_page() {  # name
    open_main "$1" || return 1
    xdotool mousemove $((ORIGIN_X + ${OFF_BUTTONS% *})) $((ORIGIN_Y + ${OFF_BUTTONS#* }))
    acc_expect_picture "$1" "$EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" 0
    import -window "$WINDOW" "$ACC_OUT/$1-window.png"
    controls "$TITLE" | grep -q "^Label15"$'\t'".*"$'\t'"Vantrel®"$'\t' || acc_fail "$1: Label15 is not 'Vantrel®'"
    acc_key "$WINDOW" alt+F4
    acc_expect_exit 0 "exit code after the close box"
}

export LC_ALL=C.UTF-8  # xdotool types other scripts only in a UTF-8 locale
python3 "$ACC_SOURCE_DIR/tests/acceptance/x_keymap.py" 'c:\łódź\kr' || exit 2

for account in łukasz 王伟; do
    account_prefix 32 "$account"
    install_and_remove 32 1252 C.UTF-8
    account_prefix 64 "$account"
    put_stand_in
    install_and_remove 64 1252 C.UTF-8
    if [ "$account" = 王伟 ]; then
        acc_case "64-bit Windows, the account 王伟: the welcome page under code page 932 as under 1252"
        welcome_page welcome-1252
        code_page ja_JP.UTF-8 932
        welcome_page welcome-932
        acc_expect_eq 0 "$(compare -metric AE "$ACC_OUT/welcome-1252-window.png" \
            "$ACC_OUT/welcome-932-window.png" null: 2>&1)" "pixels that differ under 1252 and 932"
        install_and_remove 64 932 ja_JP.UTF-8
        continue
    fi
    acc_case "64-bit Windows, the account łukasz: c:\\łódź\\kr refused under code page 1252, nothing written"
    before=$(ls "$(acc_drive_c)" | paste -sd ' ')
    if open_main refused; then
        click "$SETUP"
        wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
        type_folder 'c:\łódź\kr'
        wait_for 5 folder_is 'c:\\łódź\\kr' || acc_expect_eq 'c:\\łódź\\kr' "$(folder_text)" "the folder typed"
        click "$INSTALL"
        expect_box "$NOTICE_TITLE" 'Tessaly is a DOS program, and a DOS program cannot open a folder whose name has the character "ł" in it.\r\n\r\nPlease choose a folder whose name is written with the letters A to Z, digits and spaces, such as c:\\kr.'
        acc_key "$WINDOW" alt+F4
        acc_expect_exit 0 "exit code after the close box"
    fi
    acc_expect_eq "$before" "$(ls "$(acc_drive_c)" | paste -sd ' ')" "folders on C: after the refusal"
    acc_expect_eq "" "$(listed)" "entries after the refusal"

    acc_case "64-bit Windows, the account łukasz: c:\\łódź\\kr under code page 1250, a whole installation"
    code_page pl_PL.UTF-8 1250
    if install_into lodz 'c:\łódź\kr'; then
        answer_completion lodz
        acc_expect_exit 0 "exit code of the installation"
    fi
    expect_installed "$(acc_drive_c)/łódź/kr"
    acc_expect_eq "$before łódź" "$(ls "$(acc_drive_c)" | paste -sd ' ')" "folders on C:"
    mount=$(printf 'mount c c:\\łódź\\kr\r\n' | iconv -f UTF-8 -t CP1250)
    LC_ALL=C grep -qaF "$mount" "$(acc_drive_c)/łódź/kr/dosbox.conf" ||
        acc_fail "no mount line in code page 1250: $(grep -a mount "$(acc_drive_c)/łódź/kr/dosbox.conf")"
    expect_shortcut 1250 "Tesicon DOSbox.lnk" "$PROGRAM" '-noconsole -conf c:\łódź\kr\dosbox.conf' \
        "$(printf '%s' "${PROGRAM%\\*}\\" | lower)"
    expect_launcher_starts 1250 'c:\łódź\kr'
done

acc_end
