#!/bin/bash
# Both windows on screens of 120, 144 and 192 pixels per inch: the prefix's
# dpi as programs read it, the client sizes and the folder box at scale,
# each state's screenshot against the headless rendering at the same dpi,
# a whole installation clicked at the scaled places, and a window told it
# moved to a monitor of another dpi, laid out again there.
ACC_SCREEN=1600x1200  # the main window is 1370 x 800 at 192 dpi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin dpi
export TZ=UTC

require_expect_tools

# A designed length or point ("x y") at the dpi: halves away from zero.
scaled() { echo $((($1 * DPI + 48) / 96)); }
at_dpi() { echo "$(scaled "${1% *}") $(scaled "${1#* }")"; }
click_at() { acc_click "$WINDOW" $(at_dpi "$1"); }

expect_client() {  # title width height
    local size
    size=$(probe client "$1" | awk '{ print $3, $4 }')
    acc_expect_eq "$(scaled "$2") $(scaled "$3")" "$size" "client size of '$1' at $DPI dpi"
}

expect_main_page() {  # name page
    xdotool mousemove $((ORIGIN_X + $(scaled 20))) $((ORIGIN_Y + $(scaled 390)))
    acc_expect_picture "$1" "$EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" "$2"
}

# The whole way through both windows at the prefix's dpi, looking at each.
install_at_dpi() {  # kind of Windows
    acc_case "$1-bit Windows at $DPI dpi: both windows at scale, a whole installation"
    acc_new_prefix "dpi-$DPI" "$1"
    if [ "$1" = 64 ]; then  # the installer opens with DOSBox only
        mkdir -p "$(acc_drive_c)/Program Files (x86)/DOSBox-0.74"
        : >"$(acc_drive_c)/Program Files (x86)/DOSBox-0.74/dosbox.exe"
    fi
    acc_screen_dpi "$DPI"
    acc_expect_eq "$DPI" "$(probe dpi)" "the screen's dpi as programs read it"
    export EXPECT_DPI=$DPI
    open_main "welcome-$DPI" || return
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(probe client "$TITLE")"
    expect_client "$TITLE" 685 400
    expect_main_page "welcome-$DPI" 0
    controls "$TITLE" >"$ACC_OUT/welcome-$DPI.controls"
    report=$("$EXPECT" labels "$ACC_OUT/welcome-$DPI.controls") || acc_fail "labels: $report"
    click_at "$SETUP"
    wait_for 10 page_is 2 || { acc_fail "Setup did not open the folder page"; return; }
    expect_main_page "folder-$DPI" 1
    acc_expect_eq "$("$EXPECT" rect edInstallDir 1)" "$(probe child "$TITLE" Edit)" \
        "the folder box's rectangle"
    click_at "$INSTALL"
    wait_stage "Installation Successful." 60 || return
    expect_client "$PROGRESS" 447 170
    read -r ORIGIN_X ORIGIN_Y _ _ <<<"$(probe client "$PROGRESS")"
    local total
    total=$(field "$PROGRESS" lbStatus 7 | sed 's/ of .*//; s/,//g')
    xdotool mousemove 0 0
    acc_expect_picture "progress-$DPI" "$PROGRESS_EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" \
        "finished:$total"
    acc_click "$PROGRESS_WINDOW" $("$PROGRESS_EXPECT" centre btnCancel "finished:$total")
    answer_completion "whole-$DPI"
    acc_expect_exit 0 "exit code"
    expect_installed "$(acc_drive_c)/kr"
}

DPI=120 install_at_dpi 32
DPI=144 install_at_dpi 64
DPI=192 install_at_dpi 32

# Where the system has no task dialog the toolkit's own box stands in; it
# scales its margins, buttons and icon as the system's boxes do.
acc_case "The own message box at 144 dpi: buttons and icon at scale"
DPI=144
acc_new_prefix dpi-box 32
acc_screen_dpi "$DPI"
if acc_start_window "Scaled" own-box "$(acc_tool message_box_gui.exe)" own box 0x31 "Scaled" \
    "A box at 144 dpi"; then
    acc_expect_eq "$(scaled 82) $(scaled 26)" "$(probe child Scaled Button | cut -d' ' -f3,4)" \
        "size of the box's first button"
    acc_expect_eq "$(scaled 32) $(scaled 32)" "$(probe child Scaled Static | cut -d' ' -f3,4)" \
        "size of the box's icon"
    acc_screenshot own-box-144 >/dev/null
    acc_key "$ACC_WINDOW" Return
    acc_expect_exit 1 "OK's result"
fi

# Windows tells a per-monitor window that it moved with WM_DPICHANGED and a
# suggested rectangle: the window takes it, and lays itself out and draws
# itself at the new dpi as it would have opened there.
acc_case "A move to monitors of 144 and back to 96 dpi: the suggested place, the layout at scale"
acc_new_prefix dpi-move 32
unset EXPECT_DPI
if open_main move; then
    for DPI in 144 96; do
        probe dpichange "$TITLE" "$DPI" 40 30 "$(scaled 685)" "$(scaled 400)" ||
            acc_fail "the window did not take the message"
        read -r ORIGIN_X ORIGIN_Y w h <<<"$(probe client "$TITLE")"
        acc_expect_eq "$(scaled 685) $(scaled 400)" "$w $h" "client size after the move to $DPI dpi"
        acc_expect_eq "40 30" "$(probe window "$TITLE" | cut -d' ' -f1,2)" \
            "the window at the suggested place"
        EXPECT_DPI=$DPI expect_main_page "moved-$DPI" 0
    done
    acc_key "$WINDOW" alt+F4
    acc_expect_exit 0 "exit code"
fi

acc_end
