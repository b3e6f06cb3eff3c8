#!/bin/bash
# Message boxes: the system's task dialog and the toolkit's own window show
# the same content and give the same results for the installer's mappings.
source "$(dirname "$0")/lib.sh"
acc_begin message-boxes
acc_new_prefix boxes 64

BOX=$ACC_TOOLS/message_box_gui.exe

# Starts a box, waits for its title, runs the given keys (or a probe click
# when the first argument is "click:TEXT"), and checks the exit code.
box_case() {  # expected-exit title keys -- tool args...
    local expected=$1 title=$2 keys=$3
    shift 4
    acc_start_window "$title" box "$BOX" "$@" || return
    BOX_TEXTS=$(acc_window_texts "$title")
    case $keys in
        click:*) acc_wine "$ACC_TOOLS/probe.exe" click "$title" "${keys#click:}" ;;
        *) for key in $keys; do acc_key "$ACC_WINDOW" "$key"; done ;;
    esac
    acc_expect_exit "$expected" "result"
}

for impl in task own; do
    acc_case "$impl: OK/Cancel with the warning icon; Enter is OK, Esc is Cancel"
    box_case 1 "Caption A" Return -- $impl box 0x31 "Caption A" "Line one"
    acc_expect_contains "$BOX_TEXTS" $'Button\tOK' "OK button"
    acc_expect_contains "$BOX_TEXTS" $'Button\tCancel' "Cancel button"
    box_case 2 "Caption A" Escape -- $impl box 0x31 "Caption A" "Line one"
    box_case 2 "Caption A" alt+F4 -- $impl box 0x31 "Caption A" "Line one"

    acc_case "$impl: Yes/No has no cancel: Esc does nothing, No gives 7"
    box_case 7 "Question" "Escape alt+n" -- $impl box 0x24 "Question" "Yes or no?"
    box_case 6 "Question" Return -- $impl box 0x24 "Question" "Yes or no?"

    acc_case "$impl: Abort/Retry/Ignore with the second default: Enter gives Retry's 4"
    box_case 4 "Retry" Return -- $impl box 0x102 "Retry" "Try again?"
    acc_expect_contains "$BOX_TEXTS" $'Button\tAbort' "Abort button"
    acc_expect_contains "$BOX_TEXTS" $'Button\t&Ignore' "Ignore button"

    acc_case "$impl: Help is added after OK and gives 0"
    box_case 0 "Helpful" "click:&Help" -- $impl box 0x4000 "Helpful" "Need help?"

    acc_case "$impl: warning dialog with Yes and No: caption Warning, Yes is the default"
    box_case 6 "Warning" Return -- $impl dialog 0 3 "Create the shortcut?"
    acc_expect_contains "$BOX_TEXTS" "Create the shortcut?" "dialog text"
done

acc_case "Closing a Yes/No dialog never gives Yes: 2 from the close box, No from Esc in the own window"
# (Wine's task dialog ignores Esc without a Cancel button; Windows gives 2.)
box_case 2 "Warning" alt+F4 -- task dialog 0 3 "Create the shortcut?"
box_case 2 "Warning" alt+F4 -- own dialog 0 3 "Create the shortcut?"
box_case 7 "Warning" Escape -- own dialog 0 3 "Create the shortcut?"

acc_case "An empty caption shows the executable's name"
box_case 1 "message_box_gui.exe" Return -- task text "Several\nlines"
box_case 1 "message_box_gui" Return -- own text "Several\nlines"

acc_case "own: Ctrl+C copies the caption and the text with CR LF"
acc_start_window "Copy Me" copy "$BOX" own box 0x31 "Copy Me" $'First line\nSecond line'
acc_key "$ACC_WINDOW" ctrl+c
deadline=$((SECONDS + 10))
clip=""
while [ $SECONDS -lt $deadline ]; do
    clip=$(acc_wine "$ACC_TOOLS/probe.exe" clipboard | tr -d '\r')
    [ -n "$clip" ] && break
    sleep 0.2
done
acc_expect_eq 'Copy Me\r\nFirst line\nSecond line\r\n' "$clip" "clipboard text"
acc_key "$ACC_WINDOW" Escape
acc_expect_exit 2 "result after Esc"

acc_case "Errors raised in an event handler reach the application's error box"
# The close query loads a payload item that is not there, or asks a string
# for a part past its end: the error unwinds out of the handler through the
# window procedure, which shows it.
for raise in "RS_MISSING:Resource RS_MISSING not found" "-substr:basic_string::substr"; do
    what=${raise%%:*}
    if acc_start_window "Raise" "raise$what" "$BOX" raise "$what"; then
        acc_screenshot "raise$what-form" >/dev/null
        acc_key "$ACC_WINDOW" alt+F4
        error_box=$(acc_wait_window "Escaped Error" 30)
        if [ -n "$error_box" ]; then
            acc_screenshot "raise$what-error-box" >/dev/null
            acc_expect_contains "$(acc_window_texts "Escaped Error")" "${raise#*:}" \
                "error box text for $what"
            acc_key "$error_box" Return
        else
            acc_fail "no error box for $what"
            acc_screenshot "raise$what-no-box" >/dev/null
        fi
        acc_key "$ACC_WINDOW" alt+F4
        acc_expect_exit 0 "exit code after the second close ($what)"
    fi
done

acc_end
