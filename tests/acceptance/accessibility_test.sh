#!/bin/bash
# The installer as a screen reader meets it: Active Accessibility read from
# another process by accessibility_probe.exe. The welcome page's tree in
# reading order with roles, names, states and default actions; a hidden
# button that cannot be pressed; Setup pressed through its default action;
# the folder page, whose edit box the system's own object describes; and a
# whole installation on 32-bit Windows driven by default actions alone (the
# completion's system message boxes answered with keys, as a screen reader
# user answers them).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin accessibility
export TZ=UTC  # file dates are local time: UTC keeps them comparable

ACC_PROBE=$ACC_TOOLS/accessibility_probe.exe
if [ ! -x "$ACC_PROBE" ]; then
    echo "missing $ACC_PROBE: build it first (make build)" >&2
    exit 2
fi

# The probe's reasons for a failure go to the suite's log.
read_tree() { "$ACC_WINE" "$ACC_PROBE" tree "$1" 2>>"$ACC_OUT/probe.log" | tr -d '\r'; }
press_default() { "$ACC_WINE" "$ACC_PROBE" press "$1" "$2" 2>>"$ACC_OUT/probe.log" >/dev/null; }
tree_has() { read_tree "$1" | grep -qxF -- "$2"; }

# Each line, indent included, must be a whole line of the tree.
expect_lines() {  # tree-file lines...
    local file=$1 line
    shift
    for line in "$@"; do
        grep -qxF -- "$line" "$file" || acc_fail "no line '$line' in $(basename "$file")"
    done
}

acc_new_prefix accessibility-32 32

acc_case "Welcome page: the whole tree in reading order"
if open_main welcome; then
    # The tree is read once the window has taken the focus.
    wait_for 10 tree_has "$TITLE" '    push button "Setup" focusable focused default [Press]' ||
        acc_fail "Setup never reads as focused (see probe.log)"
    read_tree "$TITLE" >"$ACC_OUT/welcome.tree"
    # The side panel's name line ends in the registered sign (UTF-8).
    expected=$(sed "s/(R)/$(printf '\xc2\xae')/" <<'TREE'
client "Vantrel Tessaly Installer" focusable
  grouping ""
    graphic "T+"
    static text "INSTALLING"
    static text "Vantrel(R)"
    static text "Tessaly"
    static text "3.24"
  grouping ""
    static text "This will install Vantrel Tessaly"
    static text "Version 3.24 05/11/04"
    static text "Click SETUP to install this program, CANCEL to close"
    static text "without installing."
    push button "Setup" focusable focused default [Press]
    push button "Cancel" focusable [Press]
  grouping "" invisible
    static text "Install Folder:" invisible
TREE
)
    # Up to the folder page's edit box, which the system describes (below).
    acc_expect_eq "$expected" "$(sed -n '1,/"Install Folder:"/p' "$ACC_OUT/welcome.tree")" \
        "the welcome page's tree (welcome.tree)"
    expect_lines "$ACC_OUT/welcome.tree" \
        '    push button "Browse" focusable invisible [Press]' \
        '    push button "Install" focusable default invisible [Press]' \
        '    push button "Cancel" focusable invisible [Press]'
fi

acc_case "A button on the hidden page refuses its default action"
if press_default "$TITLE" Install; then
    acc_fail "Install, not shown, was pressed"
fi
page_is 1 || acc_fail "the welcome page went away"
grep -q 'accDoDefaultAction: 0x80020003' "$ACC_OUT/probe.log" ||
    acc_fail "the refusal is not DISP_E_MEMBERNOTFOUND (see probe.log)"

acc_case "Setup's default action opens the folder page; the edit box is the system's"
press_default "$TITLE" Setup || acc_fail "Setup could not be pressed (see probe.log)"
wait_for 10 page_is 2 || acc_fail "Setup's default action did not open the folder page"
# The edit box stands as the system's object for its window, which gives
# the text as its value (Wine 8's wording: role "text", empty name).
wait_for 10 tree_has "$TITLE" '    text "" = "c:\kr" focusable focused' ||
    acc_fail "the edit box is not the system's focused object with the folder"
read_tree "$TITLE" >"$ACC_OUT/folder.tree"
expect_lines "$ACC_OUT/folder.tree" \
    '  grouping "" invisible' \
    '    push button "Setup" focusable default invisible [Press]' \
    '  grouping ""' \
    '    static text "Install Folder:"' \
    '    push button "Browse" focusable [Press]' \
    '    push button "Install" focusable default [Press]' \
    '    push button "Cancel" focusable [Press]'

acc_case "32-bit Windows: a whole installation by default actions alone"
press_default "$TITLE" Install || acc_fail "Install could not be pressed (see probe.log)"
if wait_for 60 tree_has "$PROGRESS" '    static text "Installation Successful."'; then
    read_tree "$PROGRESS" >"$ACC_OUT/finished.tree"
    expect_lines "$ACC_OUT/finished.tree" \
        'client "Installation Progress" focusable' \
        '    static text "Files: 10"' \
        '    progress bar "" = "100%"' \
        '    push button "Pause" focusable invisible [Press]' \
        '    push button "OK" focusable focused default [Press]'
    press_default "$PROGRESS" OK || acc_fail "OK could not be pressed (see probe.log)"
    answer_completion whole
    acc_expect_exit 0 "exit code after a whole installation"
    expect_installed "$(acc_drive_c)/kr"
else
    acc_fail "the progress window never read 'Installation Successful.'"
    acc_screenshot progress-missing >/dev/null
fi

acc_end
