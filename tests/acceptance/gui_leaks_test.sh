#!/bin/bash
# The installer's GUI objects stay flat: after a warm-up round, a whole
# installation (progress window, completion, final message), 1000 repaints
# of the progress window, 20 moves of each window to monitors of other dpis
# and 50 message boxes through the installer's own
# functions leave the process with no more GDI objects, windows or kernel
# handles than before, give or take a small tolerance. The test-only driver
# gui_leaks_gui.exe runs the rounds and counts in its own process (see its
# source for how, where GetGuiResources says 0 as under Wine).
source "$(dirname "$0")/lib.sh"
acc_begin gui_leaks
TOLERANCE=2  # objects a round may add: caches that settle late, allocation slack

acc_new_prefix leaks 32
# Windows hide at once on a Wine desktop; without a window manager each
# box and window taken off the screen would cost up to 2 s.
acc_virtual_desktop 1024x768
DRIVER=$(acc_tool gui_leaks_gui.exe)

acc_case "GDI objects, windows and handles flat across a run, 1000 repaints, 20 dpi moves, 50 boxes"
acc_start "$DRIVER" 'C:\leaks' 1000 50 20
acc_expect_exit 0 "exit code of the driver" 60 || sed 's/^/      /' "$ACC_OUT/run-$ACC_CASES.log"
counts=$(tr -d '\r' <"$ACC_OUT/run-$ACC_CASES.log")
acc_log "$(grep -E '^(start|during|before|after|repaints|getguiresources) ' <<<"$counts" | paste -sd ';' | sed 's/;/; /g')"
for kind in gdi user handles; do
    before=$(awk -v k="$kind" '$1 == "before" { for (i = 2; i < NF; i++) if ($i == k) print $(i + 1) }' <<<"$counts")
    after=$(awk -v k="$kind" '$1 == "after" { for (i = 2; i < NF; i++) if ($i == k) print $(i + 1) }' <<<"$counts")
    if [ -z "$before" ] || [ -z "$after" ]; then
        acc_fail "no $kind counts from the driver"
    elif [ "$before" -eq 0 ]; then
        acc_fail "$kind counted as 0: the count does not work here"
    elif [ $((after - before)) -gt $TOLERANCE ]; then
        acc_fail "$kind grew from $before to $after (tolerance $TOLERANCE)"
    fi
done
acc_end
