#!/bin/bash
# Our installer side by side with the peer installer (a plain NSIS build of
# the same ten files, tests/bench/peer/), in one fresh prefix standing for
# 32-bit Windows, runs alternating, each figure over several runs. Where this
# machine runs 32-bit code the pair is the shipped i686 exe and an x86 peer;
# elsewhere the x86_64 twin and an amd64 peer (subject.sh decides; the
# output says which):
#
#   start    from starting the program to its visible main window, against
#            the bare one-window program (timing.sh, as start_time.sh).
#   install  ours: from the click on Install to the last file's date being
#            set (the progress window says "Installation Successful." right
#            after it), taken from strace's clock on the file-date call;
#            peer: its whole silent run, `peer.exe /S /D=C:\peer`, start to
#            exit. Both on a Wine desktop (see below); the installed folder
#            is removed after every run.
#   size     the exe's size less the stored payload, against the peer's less
#            the same payload (as exe_size.sh measures the shipped exe).
#
#   tests/bench/peer_bench.sh [RUNS]      (5 runs by default; after make build)
#
# Prints each run, then a table of medians, spreads (min-max) and ratios
# ours / peer. The prefix is deleted at the end.
source "$(dirname "$0")/../acceptance/lib.sh"
source "$(dirname "$0")/../acceptance/installer_ui.sh"
source "$(dirname "$0")/timing.sh"
RUNS=${1:-5}
acc_begin peer_bench
BARE=$ACC_TOOLS_BUILD/bench/bare_window.exe
[ -x "$BARE" ] || { echo "missing $BARE: make build first" >&2; exit 2; }
PEER=$ACC_OUT/peer.exe
if [ "$ACC_MODE" = shipped ]; then
    PEER_TARGET=x86-ansi
    PAIR="the shipped i686 exe and an x86 (x86-ansi) peer"
else
    PEER_TARGET=amd64-unicode
    PAIR="the x86_64 twin for 32-bit Windows and an amd64 (amd64-unicode) peer"
fi
"$ACC_SOURCE_DIR/tests/bench/peer/make_peer_installer.sh" --target "$PEER_TARGET" "$ACC_TOOLS_BUILD" \
    "$PEER" "$ACC_OUT/peer-files"
printf 'compared: %s\n' "$PAIR"
acc_new_prefix bench 32
TRACE=$ACC_OUT/dates.trace

# Starts the program with its file-date calls (utimensat, see TOOLCHAIN.md)
# logged with wall-clock times; only those calls stop it.
start_traced() {
    strace -f --seccomp-bpf -ttt -e trace=utimensat -o "$TRACE" "$ACC_WINE" "$@" \
        >"$ACC_OUT/run-$ACC_CASES.log" 2>&1 &
    ACC_PID=$!
}

# Whether the probe succeeds (its exit code; the output is dropped).
probed() { acc_wine "$ACC_TOOLS/probe.exe" "$@" >/dev/null; }

# Clicks at client coordinates of a window on the Wine desktop, then parks
# the pointer in the desktop's corner.
desktop_click() {  # title x y
    local x y
    read -r x y _ <<<"$(probe client "$1")"
    [ -n "$y" ] || return 1
    xdotool mousemove --window "$DESKTOP" $((x + $2)) $((y + $3)) click 1 \
        mousemove --window "$DESKTOP" 2 2
}

# Milliseconds from the click on Install to the last file dated, through the
# main window on its default folder; the completion's question answered No.
time_our_install() {
    local start last x y w h
    start_traced "$ACC_INSTALLER"
    wait_for 30 probed client "$TITLE" || { echo "no main window" >&2; return 1; }
    desktop_click "$TITLE" $SETUP
    wait_for 10 page_is 2 || { echo "Setup did not open the folder page" >&2; return 1; }
    start=$(date +%s%N)
    desktop_click "$TITLE" $INSTALL
    STAGE_WANTED="Installation Successful."
    wait_for 60 stage_is_wanted || { echo "the run did not succeed" >&2; return 1; }
    read -r x y w h <<<"$(controls "$PROGRESS" | awk -F'\t' '$1 == "btnCancel" { print $2, $3, $4, $5 }')"
    desktop_click "$PROGRESS" $((x + w / 2)) $((y + h / 2))  # OK
    wait_for 20 probed click Warning "&No" || { echo "no completion question" >&2; return 1; }
    wait_for 20 probed click Tessaly OK || { echo "no final message" >&2; return 1; }
    acc_wait_exit 30
    last=$(awk '/utimensat\(/ { t = $2 } END { print t }' "$TRACE")
    [ "$(grep -c 'utimensat(.* = 0' "$TRACE")" -ge 10 ] ||
        { echo "fewer than ten files dated" >&2; return 1; }
    rm -rf "$(acc_drive_c)/kr"
    awk -v s="$start" -v e="$last" 'BEGIN { printf "%d", e * 1000 - s / 1000000 }'
}

# Milliseconds of the peer's whole silent run.
time_peer_install() {
    local start end
    start=$(date +%s%N)
    acc_start "$PEER" /S '/D=C:\peer'
    acc_wait_exit 60 || return 1
    end=$(date +%s%N)
    [ "$(ls "$(acc_drive_c)/peer" | wc -l)" -ge 10 ] || { echo "the peer installed too few files" >&2; return 1; }
    rm -rf "$(acc_drive_c)/peer"
    echo $(((end - start) / 1000000))
}

# Start times, on the X screen as start_time.sh measures them; one run of
# each first, not counted: fonts and DLLs come into the cache.
time_to_window "$TITLE" "$ACC_INSTALLER" >/dev/null && time_to_window "Bare window" "$BARE" >/dev/null ||
    exit 1
ours_start=() bare_start=()
for run in $(seq 1 "$RUNS"); do
    ours_start+=("$(time_to_window "$TITLE" "$ACC_INSTALLER")") || exit 1
    bare_start+=("$(time_to_window "Bare window" "$BARE")") || exit 1
    printf '  start run %d: %5d / %5d ms\n' "$run" "${ours_start[-1]}" "${bare_start[-1]}"
done

# Install times on a Wine desktop: without a window manager Wine waits up to
# 2 s for every window taken off the screen (the main window as the run
# begins), most of our install time and none of the peer's, which shows no
# window. There windows are found and pressed through the probe.
acc_virtual_desktop 1024x768
DESKTOP=$(acc_search_windows --name '^Default - Wine desktop$' | head -n 1)
xdotool mousemove --window "$DESKTOP" 2 2
time_our_install >/dev/null && time_peer_install >/dev/null || exit 1
ours_install=() peer_install=()
for run in $(seq 1 "$RUNS"); do
    ours_install+=("$(time_our_install)") || exit 1
    peer_install+=("$(time_peer_install)") || exit 1
    printf '  install run %d: %5d / %5d ms\n' "$run" "${ours_install[-1]}" "${peer_install[-1]}"
done

# Sizes of the pair compared: each exe less the payload ours stores (the
# manifest's ten RCDATA items).
items=$(manifest_lines | awk '{ print toupper($1) }')
payload=$(python3 "$ACC_SOURCE_DIR/tests/acceptance/pe_inspect.py" summary "$ACC_INSTALLER" |
    awk -v items="$items" 'BEGIN { n = split(items, list, "\n"); for (i = 1; i <= n; i++) item[list[i]] = 1 }
        $1 == "resource:" && $2 == "RCDATA" && ($3 in item) { s += $5 } END { print s + 0 }')
ours_size=$(($(stat -c %s "$ACC_INSTALLER") - payload))
peer_size=$(($(stat -c %s "$PEER") - payload))

row() {  # name unit ours-values peer-values
    local om pm
    om=$(tr ' ' '\n' <<<"$3" | median)
    pm=$(tr ' ' '\n' <<<"$4" | median)
    printf '%-8s %-5s %9s %13s %9s %13s %6s\n' "$1" "$2" "$om" "$(tr ' ' '\n' <<<"$3" | spread)" \
        "$pm" "$(tr ' ' '\n' <<<"$4" | spread)" "$(ratio "$om" "$pm")"
}
printf '\n%-8s %-5s %9s %13s %9s %13s %6s\n' "" unit "ours" "spread" "peer" "spread" ratio
row install ms "${ours_install[*]}" "${peer_install[*]}"
row start ms "${ours_start[*]}" "${bare_start[*]}"
row size bytes "$ours_size" "$peer_size"
printf '(%d runs each; install, on a Wine desktop: click to last file dated vs the peer'"'"'s whole silent run;\n' "$RUNS"
printf ' start: vs a bare one-window program; size: exe less the stored payload; %s)\n' \
    "$ACC_SUBJECT"
printf 'compared: %s\n' "$PAIR"
acc_end
