#!/bin/bash
# Files planted beside the installer: a Downloads folder holds the installer
# and a DLL under each name that a program or the system's libraries may
# look for beside a program (tools/planted: each records the load in
# planted.log with the module that asked for it, and forwards its exports to
# the real library). The installer is started from there and taken through
# a whole installation; none of the planted DLLs may run because of the
# installer's own code.
#
# Wine runs its own builtin DLL even when a file of that name lies beside
# the program, so every planted name gets a native-first override: then the
# first file on the search path wins, as on Windows for DLLs that are not
# KnownDLLs. Wine's own libraries load some of these names where Windows'
# do not (its user32 imports version and loads uxtheme, its uxtheme imports
# msimg32); such loads name a Wine library, or nothing during start-up, as
# their requester and are listed, not counted. Two controls keep the suite
# honest: a program loading uxtheme.dll by its bare name is caught, the same
# program narrowing the search first is not.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin dll_planting
export TZ=UTC

PLANTED=$ACC_TOOLS/planted
mapfile -t PLANTED_NAMES < <(cd "$PLANTED" && ls -1 ./*.dll 2>/dev/null | sed 's|^\./||; s/\.dll$//')
if [ "${#PLANTED_NAMES[@]}" -lt 20 ]; then
    echo "missing the planted DLLs in $PLANTED: build them first (make build)" >&2
    exit 2
fi

# The user's Downloads folder, as Windows and as Linux path, and the desktop.
DOWNLOADS_WIN="C:\\users\\$(id -un)\\Downloads"
downloads() { printf '%s/users/%s/Downloads' "$(acc_drive_c)" "$(id -un)"; }
DESKTOP() { printf '%s/users/%s/Desktop' "$(acc_drive_c)" "$(id -un)"; }

# Whether a path names a library in the system folder (syswow64 is that of
# 32-bit programs on 64-bit Windows).
in_system_folder() {  # path name
    case $(printf '%s' "$1" | tr '[:upper:]' '[:lower:]') in
        'c:\windows\system32\'"$2" | 'c:\windows\syswow64\'"$2") return 0 ;;
    esac
    return 1
}

# A new prefix whose Downloads folder holds the planted DLLs, the installer
# for that kind of Windows and the control program, with a native-first
# override for every planted name.
plant() {  # prefix-name 32|64
    acc_switch_prefix "$1" "$2"
    mkdir -p "$(downloads)"
    cp "$PLANTED"/*.dll "$ACC_INSTALLER" "$(acc_tool planting_control.exe)" "$(downloads)/"
    rm -f "$(downloads)/planted.log"
    local name
    for name in "${PLANTED_NAMES[@]}"; do
        WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$name=n,b"
    done
    export WINEDLLOVERRIDES
}

# Starts a program of the Downloads folder from there, as a user does: its
# output in run-CASE.log, Wine's trace of the libraries it loads in
# run-CASE.trace.
start_downloaded() {  # exe-name args...
    local exe=$1 log=$ACC_OUT/run-$ACC_CASES
    shift
    (cd "$(downloads)" && WINEDEBUG=+loaddll exec "$ACC_WINE" "$DOWNLOADS_WIN\\$exe" "$@") \
        >"$log.log" 2>"$log.trace" &
    ACC_PID=$!
}

# The planted DLLs that ran in the program's process, one verdict each:
# "own" when the program's code asked for the load at run time, or the
# program imports the name itself; else "system", with the system library
# that asked for it. Exit code 1 when any is the program's own. The log is
# the one in the Downloads folder unless named, and the program may be
# named by a pattern (a temporary copy's name is not known beforehand).
verdicts() {  # exe-name [planted.log [program-pattern]]
    python3 - "${2:-$(downloads)/planted.log}" "$(downloads)/$1" "$ACC_SOURCE_DIR/tests/acceptance" \
        "${3:-$1}" <<'PY'
import fnmatch, ntpath, os, sys
log, exe, here, pattern = sys.argv[1:5]
sys.path.insert(0, here)
from pe_inspect import PE
pattern = pattern.lower()
with open(exe, "rb") as handle:
    imports = {name.lower() for name in PE(handle.read()).imports()}
own = 0
lines = open(log, encoding="utf-8", errors="replace").read().splitlines() if os.path.exists(log) else []
for line in lines:
    fields = line.split("\t")
    if len(fields) != 5:
        continue
    program = ntpath.basename(fields[3]).lower()
    if not fnmatch.fnmatch(program, pattern):
        continue
    name, when, requester, _, stack = fields
    if when == "start-up":
        # The program's imports and theirs, resolved before it runs: its
        # own only when it imports the name itself.
        if name.lower() in imports:
            own += 1
            print("own     %s (imported by the program)" % name)
        else:
            print("system  %s (imported at start-up by a system library; stack: %s)" % (name, stack))
    elif requester.lower() == program:
        own += 1
        print("own     %s (requested by %s; stack: %s)" % (name, requester, stack))
    else:
        print("system  %s (requested by %s)" % (name, requester))
sys.exit(1 if own else 0)
PY
}

# Checks the verdicts for the installer (or one of its copies): none of its own.
expect_no_own_loads() {  # [planted.log program-pattern]
    local report
    report=$(verdicts tessaly-setup.exe "$@")
    local code=$?
    [ -n "$report" ] && printf '%s\n' "$report" | sed 's/^/    planted /'
    [ $code -eq 0 ] || acc_fail "a planted DLL ran because of the installer's own code"
}

# The libraries the installer loads itself, as its process has them: every
# uxtheme.dll the system's, and the common controls version 6 from the
# side-by-side store (the manifest's choice), none from anywhere else.
expect_system_modules() {  # title of one of its windows
    local modules path lower comctl32=""
    modules=$(probe modules "$1")
    printf '%s\n' "$modules" >"$ACC_OUT/modules-$ACC_CASES.txt"
    while IFS= read -r path; do
        lower=$(printf '%s' "$path" | tr '[:upper:]' '[:lower:]')
        case $lower in
            *'\uxtheme.dll')
                acc_log "loaded: $path"
                in_system_folder "$path" uxtheme.dll ||
                    acc_fail "the installer has a theme library that is not the system's: '$path'"
                ;;
            *'\comctl32.dll')
                acc_log "loaded: $path"
                case $lower in
                    'c:\windows\winsxs\'*) comctl32=$path ;;
                    *) in_system_folder "$path" comctl32.dll ||
                        acc_fail "the installer has common controls from outside the system: '$path'" ;;
                esac
                ;;
        esac
    done <<<"$modules"
    [ -n "$comctl32" ] || acc_fail "the common controls version 6 are not loaded"
}

# The whole installation through the windows from the Downloads folder: on
# 32-bit Windows Yes to the desktop shortcut, so the shell link is made.
install_from_downloads() {  # 32|64
    xdotool mousemove 1023 767
    start_downloaded tessaly-setup.exe
    WINDOW=$(acc_wait_window "$TITLE" 30)
    if [ -z "$WINDOW" ]; then
        acc_fail "no main window"
        acc_screenshot "planted-$1-missing" >/dev/null
        return 1
    fi
    click "$SETUP"
    wait_for 10 page_is 2 || acc_fail "Setup did not open the folder page"
    click "$INSTALL"
    wait_stage "Installation Successful." || return 1
    click_progress btnCancel
    if [ "$1" = 32 ]; then
        answer_box Warning "planted-$1-question" || return 1
        expect_system_modules Warning
        probe click Warning "&Yes" >/dev/null
        answer_box Tessaly "planted-$1-final" || return 1
    else
        answer_box "$NOTICE_TITLE" "planted-$1-instructions" || return 1
        expect_system_modules "$NOTICE_TITLE"
    fi
    acc_key "$ACC_WINDOW" Return
    acc_expect_exit 0 "exit code of the installation"
    expect_installed "$(acc_drive_c)/kr"
}

acc_case "64-bit Windows: a whole installation from a Downloads folder full of planted DLLs"
plant win64 64
mkdir -p "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
: >"$(acc_drive_c)/Program Files (x86)/DOSBox-0.74/dosbox.exe"
install_from_downloads 64
[ -f "$(DESKTOP)/Print F.lnk" ] || acc_fail "no Print F shortcut"
expect_no_own_loads

acc_case "64-bit Windows: the uninstall, with DLLs planted beside its program and in %TEMP%, where its copy runs"
PROFILE="$(acc_drive_c)/users/$(id -un)/AppData/Local/Tessaly/Vantrel Tessaly"
TEMP_FOLDER="$(acc_drive_c)/users/$(id -un)/Temp"
cp "$PLANTED"/*.dll "$PROFILE/"
mkdir -p "$TEMP_FOLDER"
cp "$PLANTED"/*.dll "$TEMP_FOLDER/"
rm -f "$PROFILE/planted.log" "$TEMP_FOLDER/planted.log"
(cd "$TEMP_FOLDER" && exec "$ACC_WINE" "C:\\users\\$(id -un)\\AppData\\Local\\Tessaly\\Vantrel Tessaly\\uninstall.exe" \
    /uninstall /quiet) >"$ACC_OUT/uninstall.log" 2>&1 &
ACC_PID=$!
acc_expect_exit 0 "exit code of the quiet uninstall" 60
[ -e "$(acc_drive_c)/kr/tessaly.exe" ] && acc_fail "the uninstall left tessaly.exe"
[ -e "$(DESKTOP)/Print F.lnk" ] && acc_fail "the uninstall left the Print F shortcut"
expect_no_own_loads "$PROFILE/planted.log" uninstall.exe
expect_no_own_loads "$TEMP_FOLDER/planted.log" 'tsun*.exe'

acc_case "control: a program loading uxtheme.dll by its bare name is caught"
rm -f "$(downloads)/planted.log"
start_downloaded planting_control.exe bare
acc_expect_exit 0 "exit code of the control"
acc_log "loaded: $(tr -d '\r' <"$ACC_OUT/run-$ACC_CASES.log")"
report=$(verdicts planting_control.exe) && acc_fail "the bare load was not caught"
printf '%s\n' "$report" | sed 's/^/    planted /'
acc_expect_contains "$report" "own     uxtheme.dll (requested by planting_control.exe" "the caught load"

acc_case "control: the same program narrowing the search first loads the system's uxtheme.dll"
rm -f "$(downloads)/planted.log"
start_downloaded planting_control.exe narrowed
acc_expect_exit 0 "exit code of the control"
loaded=$(tr -d '\r' <"$ACC_OUT/run-$ACC_CASES.log")
acc_log "loaded: $loaded"
in_system_folder "$loaded" uxtheme.dll || acc_fail "the library loaded is not the system's: '$loaded'"
verdicts planting_control.exe >/dev/null || acc_fail "the narrowed load was counted as planted"

acc_case "32-bit Windows: a whole installation from a Downloads folder full of planted DLLs"
plant win32 32
install_from_downloads 32
[ -f "$(DESKTOP)/tessaly.lnk" ] || acc_fail "no desktop shortcut"
expect_no_own_loads

acc_end
