#!/bin/bash
# Shared helpers for the acceptance tests: Windows programs (the installer and
# the test tools; subject.sh says which build of them) under Wine, in fresh
# prefixes that stand for 32-bit or 64-bit Windows, inside an Xvfb of their
# own, driven with xdotool. Source it from a test script; each script is one
# suite and calls acc_begin first and acc_end last.
#
# Waits are always on a condition (a window title, a file, a process end)
# with a deadline; a fixed sleep alone never decides anything.

set -u

source "$(dirname "${BASH_SOURCE[0]}")/subject.sh"

ACC_FAILURES=0
ACC_CASES=0
ACC_CURRENT=""
ACC_XVFB_PID=""
ACC_PID=""

# --- Reporting ---------------------------------------------------------------

acc_log() { printf '    %s\n' "$*"; }

acc_case() {
    ACC_CURRENT=$1
    ACC_CASES=$((ACC_CASES + 1))
    printf '  case: %s\n' "$1"
}

acc_fail() {
    ACC_FAILURES=$((ACC_FAILURES + 1))
    printf '    FAIL [%s]: %s\n' "$ACC_CURRENT" "$*"
}

acc_expect_eq() {  # expected actual what
    if [ "$1" != "$2" ]; then
        acc_fail "$3: expected '$1', got '$2'"
        return 1
    fi
}

acc_expect_contains() {  # haystack needle what
    case "$1" in
        *"$2"*) return 0 ;;
    esac
    acc_fail "$3: '$2' not found"
    return 1
}

# --- Display -----------------------------------------------------------------

# Starts a private Xvfb (a screen of ACC_SCREEN, 1024x768 unless set; more
# options in ACC_XVFB_OPTIONS, such as -ac for clients of other accounts).
# Xvfb picks a free display number itself and says which (-displayfd) once it
# listens there, so suites starting at once, or just after another's Xvfb
# ended, never end up talking to one X server.
acc_start_xvfb() {
    local numbers=$ACC_OUT/xvfb-display
    : >"$numbers"
    # shellcheck disable=SC2086
    Xvfb -displayfd 3 -screen 0 "${ACC_SCREEN:-1024x768}x24" -nolisten tcp ${ACC_XVFB_OPTIONS:-} \
        3>"$numbers" >"$ACC_OUT/xvfb.log" 2>&1 &
    ACC_XVFB_PID=$!
    local deadline=$((SECONDS + 20)) n=""
    while [ $SECONDS -lt $deadline ] && kill -0 "$ACC_XVFB_PID" 2>/dev/null; do
        n=$(head -n 1 "$numbers" | tr -dc '0-9')
        if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
            export DISPLAY=":$n"
            return 0
        fi
        sleep 0.1
    done
    echo "cannot start Xvfb (see $ACC_OUT/xvfb.log)" >&2
    return 1
}

# --- Wine --------------------------------------------------------------------

# Makes a fresh prefix standing for 32-bit or 64-bit Windows (see
# acc_choose_windows: ACC_INSTALLER is the installer to run there) with
# Tahoma, a private trash folder and a recording browser, and starts a
# persistent wineserver for it. The suite's previous prefix is removed first:
# a prefix holds some 600 MB of system files.
#
# Prefixes are copies of one template per kind of Windows (made once, see
# acc_prefix_template) whose system files are hard links: Wine only maps
# them, so a copy costs about a megabyte and a fraction of a second instead
# of a wineboot. Every other file is the copy's own.
acc_new_prefix() {  # name 32|64
    acc_remove_prefix
    acc_choose_windows "${2:-}" || exit 2
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    local template
    template=$(acc_prefix_template) || exit 2
    export WINEPREFIX=$ACC_OUT/prefix-$1
    export XDG_DATA_HOME=$ACC_OUT/xdg-$1
    export HOME=$ACC_OUT/home-$1
    ACC_PREFIX_NAME=$1
    rm -rf "$WINEPREFIX" "$XDG_DATA_HOME" "$HOME"
    mkdir -p "$XDG_DATA_HOME/Trash/files" "$HOME"
    cp -al "$template/prefix" "$WINEPREFIX"
    find "$WINEPREFIX" -type f -not -path '*/windows/system32/*' -not -path '*/windows/syswow64/*' \
        -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
    acc_keyboard_cues off
    # The user's folders (Desktop, Documents, ...) lead to the template's
    # home; each prefix gets its own.
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        case $(readlink "$link") in
            "$template"/*) ln -sfn "$HOME" "$link" ;;
        esac
    done
    acc_check_prefix_kind
    # Wine finds a prefix's server by the folder's device and inode, and a
    # new folder may get the inode of one just removed: a server left over
    # from that one must not answer for this prefix.
    "$ACC_WINESERVER" -k >/dev/null 2>&1 || true
    acc_remove_server_folder
    # What the shell opens in a browser is written to a file instead.
    ACC_BROWSER_LOG=$ACC_OUT/browser-$1.log
    : >"$ACC_BROWSER_LOG"
    cat >"$ACC_OUT/browser-$1.sh" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >>"$ACC_BROWSER_LOG"
SCRIPT
    chmod +x "$ACC_OUT/browser-$1.sh"
    acc_wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ \
        /d "$ACC_OUT/browser-$1.sh" /f >/dev/null 2>&1
    acc_persistent_wineserver
}

# Whether the prefix's user asked the system to show the keyboard cues
# (focus rectangles, access-key underlines) always: Windows' default is off,
# so that they show only once the keyboard is used; Wine's is on. Bit 0x20 of
# the first byte of UserPreferencesMask; its server must not be running.
acc_keyboard_cues() {  # on|off
    local reg=$WINEPREFIX/user.reg first bits
    first=$(sed -n 's/^"UserPreferencesMask"=hex:\([0-9a-f][0-9a-f]\).*/\1/p' "$reg" | head -n 1)
    [ -n "$first" ] || return 0
    bits=$((0x$first & ~0x20))
    [ "$1" = on ] && bits=$((bits | 0x20))
    sed -i "s/^\"UserPreferencesMask\"=hex:$first/\"UserPreferencesMask\"=hex:$(printf '%02x' $bits)/" "$reg"
}

# The folder of the template prefix for the chosen kind of Windows (its
# prefix/ and the home/ it was made with), made with wineboot when missing
# or made by another Wine. Suites running at once share it; a lock lets one
# of them make it.
acc_prefix_template() {
    local dir=$ACC_BUILD/acceptance/prefix-templates/$WINEARCH-$(basename "$ACC_WINE")
    local stamp
    stamp="$("$ACC_WINE" --version 2>/dev/null) $(stat -c %Y /usr/share/wine/wine.inf 2>/dev/null)"
    mkdir -p "$(dirname "$dir")"
    (
        flock 9
        if [ "$(cat "$dir/stamp" 2>/dev/null)" != "$stamp" ]; then
            rm -rf "$dir"
            mkdir -p "$dir/home" "$dir/xdg"
            WINEPREFIX=$dir/prefix HOME=$dir/home XDG_DATA_HOME=$dir/xdg \
                "$ACC_WINE" wineboot --init >"$dir/wineboot.log" 2>&1
            WINEPREFIX=$dir/prefix "$ACC_WINESERVER" -w >/dev/null 2>&1
            if [ ! -d "$dir/prefix/drive_c/windows/system32" ]; then
                echo "wineboot made no prefix in $dir/prefix (see $dir/wineboot.log)" >&2
                exit 1
            fi
            ln -sf /usr/share/wine/fonts/*.ttf "$dir/prefix/drive_c/windows/Fonts/"
            acc_link_wine_files "$dir/prefix/drive_c/windows"
            printf '%s' "$stamp" >"$dir/stamp"
        fi
    ) 9>"$dir.lock" || return 1
    printf '%s' "$dir"
}

# Wine copies its own PE files into a new prefix (over 1 GB for one with
# WOW64); each copy that equals the installed file becomes a hard link to it
# where both are on one filesystem. Wine only maps these files.
acc_link_wine_files() {  # windows folder of a prefix
    python3 - "$1" /usr/lib/*/wine/*-windows /usr/share/wine/nls <<'PY'
import filecmp, os, sys
windows, sources = sys.argv[1], sys.argv[2:]
for sub in ("system32", "syswow64"):
    for root, _, names in os.walk(os.path.join(windows, sub)):
        for name in names:
            path = os.path.join(root, name)
            if os.path.islink(path):
                continue
            for source in sources:
                original = os.path.join(source, os.path.relpath(path, os.path.join(windows, sub)))
                if os.path.isfile(original) and filecmp.cmp(path, original, shallow=False):
                    try:
                        os.link(original, path + ".link")
                        os.replace(path + ".link", path)
                    except OSError:
                        pass  # another filesystem: the copy stays
                    break
PY
}

# Stops the current prefix's wineserver and removes the prefix with its home
# and trash, unless ACC_KEEP_PREFIXES=1 (to look at one after a run).
acc_remove_prefix() {
    [ -n "${ACC_PREFIX_NAME:-}" ] || return 0
    "$ACC_WINESERVER" -k >/dev/null 2>&1 || true
    "$ACC_WINESERVER" -w >/dev/null 2>&1 || true
    # Wine's processes of the prefix that outlived their server.
    local pid
    acc_prefix_processes | while read -r pid _; do
        kill -9 "$pid" 2>/dev/null
    done
    acc_remove_server_folder
    if [ "${ACC_KEEP_PREFIXES:-0}" != 1 ]; then
        rm -rf "$ACC_OUT/prefix-$ACC_PREFIX_NAME" "$ACC_OUT/xdg-$ACC_PREFIX_NAME" \
            "$ACC_OUT/home-$ACC_PREFIX_NAME"
    fi
    ACC_PREFIX_NAME=
}

# The current prefix's Wine processes, its server's included (not the
# shells, which carry the same WINEPREFIX): a line each, the process id and
# its command line (Wine shows the Windows one), arguments separated by '|'.
acc_prefix_processes() {
    local proc
    for proc in /proc/[0-9]*; do
        case $(readlink "$proc/exe" 2>/dev/null) in
            */wine/*) ;;
            *) continue ;;
        esac
        if tr '\0' '\n' <"$proc/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            printf '%s %s\n' "${proc#/proc/}" "$(tr '\0' '|' <"$proc/cmdline" 2>/dev/null)"
        fi
    done
}

# Each stopped wineserver leaves its socket folder behind.
acc_remove_server_folder() {
    local inode
    inode=$(acc_server_inode)
    [ -n "$inode" ] && rm -rf /tmp/wine-*/server-"$inode" /tmp/.wine-*/server-"$inode" 2>/dev/null
    return 0
}

# The device and inode of the prefix's folder, which name its server's folder.
acc_server_inode() { stat -c '%d-%i' "$WINEPREFIX" 2>/dev/null | awk -F- '{printf "%x-%x", $1, $2}'; }

# Waits until a wineserver started by hand (not by a program) listens for
# the prefix's programs.
acc_wait_wineserver() {  # [timeout seconds]
    local deadline=$((SECONDS + ${1:-20})) inode
    inode=$(acc_server_inode)
    until [ -S "$(ls -d /tmp/wine-*/server-"$inode"/socket /tmp/.wine-*/server-"$inode"/socket 2>/dev/null | head -n 1)" ]; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# Stops the suite when the new prefix is not the kind of Windows it stands
# for: a 32-bit one has no WOW64 (no syswow64, no Program Files (x86)), and a
# 64-bit one running the shipped exe must have WOW64.
acc_check_prefix_kind() {
    local windows=$WINEPREFIX/drive_c/windows wow64=no
    [ -d "$windows/syswow64" ] && wow64=yes
    if [ ! -d "$windows/system32" ]; then
        echo "wineboot made no prefix in $WINEPREFIX (see $ACC_OUT)" >&2
        exit 2
    fi
    if [ "$WINEARCH" = win32 ] && { [ $wow64 = yes ] || [ -d "$WINEPREFIX/drive_c/Program Files (x86)" ]; }; then
        echo "$WINEPREFIX should stand for 32-bit Windows but has WOW64" >&2
        exit 2
    fi
    if [ "$ACC_MODE" = shipped ] && [ "$ACC_WINDOWS" = 64 ] && [ $wow64 = no ]; then
        echo "$WINEPREFIX should run 32-bit programs under WOW64 but has no syswow64" >&2
        exit 2
    fi
}

# Stops the prefix's wineserver, waits for its end and starts a persistent
# one: settings it keeps while it runs (drive types, the desktop) take effect.
# Every program of the prefix ends with it.
acc_restart_wineserver() {
    "$ACC_WINESERVER" -k >/dev/null 2>&1
    acc_persistent_wineserver
}

# Starts the prefix's persistent wineserver once the running one, if any, has
# ended: `wineserver -p` beside a running server only exits (status 2), and
# the server a program started ends about a second after its last program.
# The server and Wine's own programs (services.exe and its kin) then outlive
# every run of the suite, so a later program, traced by strace perhaps, does
# not start them as its children.
acc_persistent_wineserver() {
    "$ACC_WINESERVER" -w >/dev/null 2>&1
    if ! "$ACC_WINESERVER" -p >/dev/null 2>&1; then
        echo "no persistent wineserver could be started for $WINEPREFIX" >&2
        exit 2
    fi
}

# Sets the prefix's screen to DPI pixels per inch, where Windows keeps it for
# the user and for the display, and restarts its wineserver to take it.
acc_screen_dpi() {  # dpi
    acc_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    acc_wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    acc_restart_wineserver
}

# Makes every program of the prefix open in a Wine virtual desktop of this
# size (taking effect with a fresh wineserver) and starts the desktop's own
# process, so that no traced or timed program is its parent. The desktop
# draws real title bars with their buttons, and its windows hide at once:
# without a window manager Wine waits up to 2 s for every top-level window it
# takes off the screen.
acc_virtual_desktop() {  # WIDTHxHEIGHT
    acc_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null
    acc_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$1" /f >/dev/null
    acc_restart_wineserver
    "$ACC_WINE" explorer /desktop=Default,"$1" >"$ACC_OUT/desktop.log" 2>&1 &
    if [ -z "$(acc_wait_window "Default - Wine desktop" 30)" ]; then
        echo "the virtual desktop did not open" >&2
        exit 2
    fi
}

# Adds drive letters of other types to the prefix, each a folder under
# ACC_OUT: type floppy, hd, network, cdrom or ramdisk (GetDriveTypeA 2 to 6).
# The wineserver is restarted, since a running one keeps the old types.
acc_add_drives() {  # letter:type...
    local spec letter
    for spec in "$@"; do
        letter=${spec%%:*}
        mkdir -p "$ACC_OUT/drive-$letter"
        ln -sfn "$ACC_OUT/drive-$letter" "$WINEPREFIX/dosdevices/$letter:"
        acc_wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "${spec#*:}" \
            /f >/dev/null
    done
    acc_restart_wineserver
    "$ACC_WINE" wineboot >/dev/null 2>&1
}

# The prefix's drive C: as a Linux path.
acc_drive_c() { printf '%s/drive_c' "$WINEPREFIX"; }

# A test tool for the current prefix's kind of Windows. Where the twins stand
# in, x86_64 tools see 64-bit Windows; those whose work depends on the kind
# (tools/CMakeLists.txt names them) have a twin32 build for 32-bit prefixes.
acc_tool() {  # name.exe
    if [ "$ACC_MODE" = twins ] && [ "$ACC_WINDOWS" = 32 ] && [ -x "$ACC_TOOLS/twin32/$1" ]; then
        printf '%s' "$ACC_TOOLS/twin32/$1"
    else
        printf '%s' "$ACC_TOOLS/$1"
    fi
}

# Runs a Windows program to its end (for tools); its output on stdout.
acc_wine() { "$ACC_WINE" "$@" 2>/dev/null; }

# Starts a Windows program in the background; ACC_PID is its process.
acc_start() {  # exe args...
    local log=$ACC_OUT/run-$ACC_CASES.log
    "$ACC_WINE" "$@" >"$log" 2>&1 &
    ACC_PID=$!
}

# Starts a Windows program that stops right after it dates the files whose
# numbers are given (its first file-date call is 1; strace's when=, such as
# 2 or 1..2), before its progress window hears of that file, and stays
# stopped until acc_release: a click or key sent meanwhile waits in its queue
# and acts between that file and the next, however slow the machine is.
# (Wine dates a file with one utimensat call; strace injects SIGSTOP after
# it.) Only calls that never wait for an answer from the program (X input,
# screenshots, a window's place) may be made while it is held.
acc_start_held() {  # when exe args...
    local log=$ACC_OUT/run-$ACC_CASES.log when=$1
    shift
    ACC_HOLD_LOG=$ACC_OUT/run-$ACC_CASES.strace
    ACC_HOLDS=0
    # Not --seccomp-bpf: strace then never sees the call's end, where the
    # signal is injected.
    strace -f -o "$ACC_HOLD_LOG" -e trace=utimensat \
        -e inject=utimensat:signal=SIGSTOP:when="$when" "$ACC_WINE" "$@" >"$log" 2>&1 &
    ACC_PID=$!
}

# Holds the program started last (acc_start) as acc_start_held does, its
# file-date calls counted from now: strace attaches to that program's
# process alone, once it runs. Traced from its start instead, a program has
# every system call stopped while it starts, and any process it starts (the
# desktop's explorer.exe) traced too: on a busy machine its window can take
# minutes. Returns once every thread of the program is traced.
acc_hold() {  # when
    local attached=$ACC_OUT/run-$ACC_CASES.attach deadline=$((SECONDS + 30))
    ACC_HOLD_LOG=$ACC_OUT/run-$ACC_CASES.strace
    ACC_HOLDS=0
    : >"$attached"
    strace -f -o "$ACC_HOLD_LOG" -e trace=utimensat -e inject=utimensat:signal=SIGSTOP:when="$1" \
        -p "$ACC_PID" 2>"$attached" &
    until grep -q "Process $ACC_PID attached" "$attached"; do
        [ $SECONDS -lt $deadline ] && kill -0 "$ACC_PID" 2>/dev/null || return 1
        sleep 0.05
    done
}

# Waits until the program held (acc_start_held, acc_hold) is held once more
# (strace's log says so: a traced program is in a tracing stop at every
# system call, so its process state cannot tell); ACC_HELD is its process.
acc_wait_held() {  # [timeout seconds]
    local deadline=$((SECONDS + ${1:-30})) stop
    while [ $SECONDS -lt $deadline ] && kill -0 "$ACC_PID" 2>/dev/null; do
        stop=$(grep -- '--- stopped by SIGSTOP ---' "$ACC_HOLD_LOG" 2>/dev/null |
            sed -n "$((ACC_HOLDS + 1))p")
        if [ -n "$stop" ]; then
            ACC_HOLDS=$((ACC_HOLDS + 1))
            ACC_HELD=${stop%% *}
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Lets the held program go on.
acc_release() { kill -CONT "$ACC_HELD" 2>/dev/null; }

# Waits for the program started last to end; ACC_EXIT is its exit code, or
# "timeout". (Not a command substitution: only this shell may wait for it.)
acc_wait_exit() {  # [timeout seconds]
    local deadline=$((SECONDS + ${1:-30}))
    while kill -0 "$ACC_PID" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            kill "$ACC_PID" 2>/dev/null
            ACC_EXIT=timeout
            return 1
        fi
        sleep 0.1
    done
    wait "$ACC_PID"
    ACC_EXIT=$?
}

# Waits for the end of the program started last and checks its exit code.
acc_expect_exit() {  # code what [timeout seconds]
    acc_wait_exit "${3:-30}"
    acc_expect_eq "$1" "$ACC_EXIT" "$2"
}

# Whether the program started last is still running.
acc_running() { kill -0 "$ACC_PID" 2>/dev/null; }

# The title as an exact-match pattern for xdotool's --name.
acc_title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')"; }

# The X ids of the windows xdotool search finds (its arguments), one a line;
# exit code 1 when there are none. xdotool walks every window on the screen,
# and a window that is destroyed while it looks (the progress window going
# just as the final box comes, say) ends it with an X error (BadWindow)
# instead of an answer: then it looks again.
acc_search_windows() {  # xdotool search arguments...
    local output attempt
    for attempt in 1 2 3 4 5 6 7 8 9 10; do
        output=$(xdotool search "$@" 2>&1)
        case $output in
            *"X Error"*) continue ;;
        esac
        printf '%s\n' "$output" | grep -E '^[0-9]+$'
        return
    done
    echo "xdotool search $*: an X error every time" >&2
    return 2
}

# Whether a visible window has exactly this title right now.
acc_window_shown() {  # title
    acc_search_windows --onlyvisible --name "$(acc_title_pattern "$1")" >/dev/null
}

# Waits until a visible window has exactly this title; prints its X id.
acc_wait_window() {  # title [timeout seconds]
    acc_wait_window_matching "$(acc_title_pattern "$1")" "${2:-30}"
}

# Waits until a visible window's title matches the pattern; prints its X id.
# (xdotool's own --sync wait ends at the first X error, see above.)
acc_wait_window_matching() {  # pattern [timeout seconds]
    local deadline=$((SECONDS + ${2:-30})) found
    while :; do
        found=$(acc_search_windows --onlyvisible --name "$1" | head -n 1)
        if [ -n "$found" ]; then
            printf '%s' "$found"
            return 0
        fi
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# Starts a program and waits for its window: ACC_WINDOW is the window's X id,
# or empty after a failure (with a screenshot named after `shot`).
acc_start_window() {  # title shot exe args...
    local title=$1 shot=$2
    shift 2
    acc_start "$@"
    ACC_WINDOW=$(acc_wait_window "$title" 30)
    if [ -z "$ACC_WINDOW" ]; then
        acc_fail "no window titled '$title'"
        acc_screenshot "$shot-missing" >/dev/null
        return 1
    fi
}

# Waits until a file exists and is not empty.
acc_wait_file() {  # path [timeout seconds]
    local deadline=$((SECONDS + ${2:-20}))
    while [ ! -s "$1" ]; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# Sends keys to a window (xdotool key names: Return, Escape, ctrl+c, alt+F4).
acc_key() {  # window keys...
    local window=$1
    shift
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers --window "$window" "$@" 2>/dev/null
}

# Clicks at client coordinates of a window.
acc_click() {  # window x y
    xdotool mousemove --window "$1" "$2" "$3" click 1 2>/dev/null
}

acc_screenshot() {  # name
    import -window root "$ACC_OUT/$1.png" 2>/dev/null
    printf '%s' "$ACC_OUT/$1.png"
}

# Takes screenshots until a checker accepts one (painting is asynchronous)
# or a deadline passes, then fails with the checker's last report. The
# checker is a command whose argument SHOT stands for the screenshot as a
# PPM file; the last screenshot stays as NAME.png.
acc_expect_picture() {  # name checker args...
    local name=$1 png=$ACC_OUT/$1.png report="" deadline=$((SECONDS + 15)) arg args
    shift
    while :; do
        args=()
        for arg in "$@"; do
            [ "$arg" = SHOT ] && arg=$ACC_OUT/shot.ppm
            args+=("$arg")
        done
        if import -window root "$png" 2>/dev/null &&
            /usr/bin/convert "$png" "$ACC_OUT/shot.ppm" 2>/dev/null &&
            report=$("${args[@]}"); then
            acc_log "$name: $report"
            return 0
        fi
        if [ $SECONDS -ge $deadline ]; then
            acc_fail "$name: the window does not show the expected picture"
            printf '%s\n' "$report" | sed 's/^/      /'
            return 1
        fi
        sleep 0.2
    done
}

# The texts of a window and its children, one line each (see probe.cpp).
acc_window_texts() {  # title
    acc_wine "$ACC_TOOLS/probe.exe" texts "$1" | tr -d '\r'
}

# The text on the X clipboard.
acc_clipboard() { timeout 5 xclip -selection clipboard -o 2>/dev/null; }

# --- Suite -------------------------------------------------------------------

acc_begin() {  # suite name
    ACC_SUITE=$1
    ACC_OUT=$ACC_BUILD/acceptance/$1
    rm -rf "$ACC_OUT"
    mkdir -p "$ACC_OUT"
    trap acc_cleanup EXIT
    printf 'subject: %s\n' "$ACC_SUBJECT"
    printf 'suite: %s\n' "$1"
    local needed
    if [ "$ACC_MODE" = shipped ]; then
        needed="$ACC_BUILD/windows/tessaly-setup.exe $ACC_TOOLS/probe.exe"
    else
        needed="$ACC_BUILD/win64/twin64/tessaly-setup.exe $ACC_BUILD/win64/twin32/tessaly-setup.exe $ACC_TOOLS/probe.exe"
    fi
    for exe in $needed; do
        if [ ! -x "$exe" ]; then
            echo "missing $exe: build it first (make build)" >&2
            exit 2
        fi
    done
    acc_start_xvfb
}

acc_cleanup() {
    if [ -n "${ACC_PID:-}" ]; then
        kill "$ACC_PID" 2>/dev/null || true
    fi
    acc_remove_prefix
    # Waited for: its display number is free, and its sockets gone, only once
    # it has ended, and the next suite may start its own Xvfb right away.
    if [ -n "$ACC_XVFB_PID" ]; then
        kill "$ACC_XVFB_PID" 2>/dev/null || true
        wait "$ACC_XVFB_PID" 2>/dev/null || true
    fi
}

# Switches to another prefix (the current one is removed).
acc_switch_prefix() { acc_new_prefix "$@"; }

acc_end() {
    printf 'suite %s: %d cases, %d failures, %ds (%s)\n' "$ACC_SUITE" "$ACC_CASES" "$ACC_FAILURES" \
        "$SECONDS" "$ACC_SUBJECT"
    [ "$ACC_FAILURES" -eq 0 ]
}
