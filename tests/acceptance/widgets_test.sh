#!/bin/bash
# The drawn widgets on GDI: the widget gallery under Wine, driven with the
# real mouse, screenshot after every step and compared pixel for pixel with
# the headless rendering of the same gallery after the same mouse events
# (widget_expect, from the native build). Text is compared loosely: GDI
# draws glyphs where the headless canvas draws strokes.
source "$(dirname "$0")/lib.sh"
acc_begin widgets
acc_new_prefix widgets 32

GALLERY=$ACC_TOOLS/widget_gallery_gui.exe
EXPECT=$ACC_BUILD/native/acceptance/widget_expect
if [ ! -x "$GALLERY" ] || [ ! -x "$EXPECT" ]; then
    echo "build the gallery and its checker first (make build)" >&2
    exit 2
fi

EVENTS=()  # the mouse events so far, in the gallery's client coordinates
SHOTS=0
ORIGIN_X=0
ORIGIN_Y=0

centre() { "$EXPECT" centre "$1"; }  # name -> "x y"

# Moves, presses or releases the left button at client coordinates, and
# records the event for the headless replay.
mouse() {  # move|down|up x y
    xdotool mousemove $((ORIGIN_X + $2)) $((ORIGIN_Y + $3))
    case $1 in
        down) xdotool mousedown 1 ;;
        up) xdotool mouseup 1 ;;
    esac
    EVENTS+=("$1:$2,$3")
}

# Screenshots until the window shows what the headless gallery shows after
# the same events; the last screenshot is kept as NN-name.png.
expect_picture() {  # name
    SHOTS=$((SHOTS + 1))
    acc_expect_picture "$(printf '%02d' $SHOTS)-$1" \
        "$EXPECT" compare SHOT "$ORIGIN_X" "$ORIGIN_Y" "${EVENTS[@]}"
}

# The caption the headless gallery has after the same events; the window's
# must be the same (every click is appended to it).
expect_title() {
    local want got deadline=$((SECONDS + 10))
    want=$("$EXPECT" title "${EVENTS[@]}")
    while :; do
        got=$(xdotool getwindowname "$WINDOW" 2>/dev/null)
        [ "$got" = "$want" ] && return 0
        if [ $SECONDS -ge $deadline ]; then
            acc_expect_eq "$want" "$got" "window title"
            return 1
        fi
        sleep 0.1
    done
}

# Keeps the pointer off the gallery while it opens.
xdotool mousemove 1023 767

acc_case "Every widget in the installer's configurations and states, as the headless canvas draws it"
acc_start "$GALLERY"
WINDOW=$(acc_wait_window "Widget gallery" 30)
if [ -z "$WINDOW" ]; then
    acc_fail "the gallery did not open"
    acc_end
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
ORIGIN_X=$X
ORIGIN_Y=$Y
acc_expect_eq "1015x640" "${WIDTH}x${HEIGHT}" "client area (no frame without a window manager)"
expect_picture idle

acc_case "Setup: hot under the mouse, flat grey while pressed, a click on release that opens the folder page"
read -r sx sy <<<"$(centre btnSetup)"
mouse move "$sx" "$sy"
expect_picture setup-hot
mouse down "$sx" "$sy"
expect_picture setup-pressed
mouse up "$sx" "$sy"
expect_picture folder-page
expect_title

acc_case "Install: dragged out it shows hot and a release outside clicks nothing; dragged back it clicks"
read -r ix iy <<<"$(centre btnInstall)"
mouse move "$ix" "$iy"
mouse down "$ix" "$iy"
expect_picture install-pressed
mouse move "$ix" $((iy + 60))
expect_picture install-dragged-out
mouse up "$ix" $((iy + 60))
expect_picture install-released-outside
expect_title
mouse move "$ix" "$iy"
mouse down "$ix" "$iy"
mouse move $((ix + 200)) "$iy"
mouse move "$ix" "$iy"
expect_picture install-dragged-back
mouse up "$ix" "$iy"
expect_title

acc_case "Pause in a panel's own window: rounded look hot and pressed, Resume after a click, idle on leaving"
read -r px py <<<"$(centre btnPause)"
mouse move "$px" "$py"
expect_picture pause-hot
mouse down "$px" "$py"
expect_picture pause-pressed
mouse up "$px" "$py"
expect_picture resume-hot
expect_title
mouse move 560 200  # the form itself, outside the panel's window
expect_picture resume-left

acc_case "Closing the gallery ends it with exit code 0"
acc_key "$WINDOW" alt+F4
acc_expect_exit 0 "exit code"

acc_end
