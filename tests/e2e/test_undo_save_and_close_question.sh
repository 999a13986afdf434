#!/usr/bin/env bash
# A value edited with the keyboard is undone and redone with command + z and command + shift + z,
# the title marks unsaved changes, a saved window closes without a question, and closing a window
# with unsaved changes asks first: "Cancel" keeps it open.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

readonly knobs_tab_x=204 tab_row_y=470
readonly knob_one_cc_x=190 knob_one_cc_y=588 # Knob 1's "CC" box on the first knob bank
readonly knob_one_cc_index=$((10 + 55 + 1))   # dump head, first knob block, its number byte

title_of() { xdotool getwindowname "$1"; }

expect_title()
{
    local window="$1" expected="$2" title=""
    for _ in $(seq 1 $((e2e_timeout * 10))); do
        title="$(title_of "${window}")"
        [ "${title}" = "${expected}" ] && return 0
        sleep 0.1
    done
    fail "the window is titled \"${title}\", not \"${expected}\""
}

edit_knob_one_cc()
{
    local window="$1" value="$2"
    click_content "${window}" "${knobs_tab_x}" "${tab_row_y}"
    click_content "${window}" "${knob_one_cc_x}" "${knob_one_cc_y}"
    xdotool type --delay 20 "${value}"
    xdotool key Return
    sleep 0.3
}

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"
first="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
xdotool key ctrl+n
second="$(wait_for_window "Quenlo ZKM Editor - Untitled 2")"

edit_knob_one_cc "${second}" 77
expect_title "${second}" "*Quenlo ZKM Editor - Untitled 2"
xdotool key ctrl+z
expect_title "${second}" "Quenlo ZKM Editor - Untitled 2"
xdotool key ctrl+shift+z
expect_title "${second}" "*Quenlo ZKM Editor - Untitled 2"

saved="${e2e_work}/edited.zkp"
xdotool key ctrl+s
answer_file_dialog "Select Filename to save" "${saved}"
expect_title "${second}" "Quenlo ZKM Editor - edited"
byte="$(python3 -c "import sys; print (open (sys.argv[1], 'rb').read()[int (sys.argv[2])])" "${saved}" "${knob_one_cc_index}")"
[ "${byte}" = 77 ] || fail "the saved file holds ${byte} for Knob 1's CC, not 77"

# Saved: the window closes without a question.
xdotool key ctrl+w
wait_for_window_gone "Quenlo ZKM Editor - edited"
[ "$(count_windows "Unsaved Changes")" = 0 ] || fail "a saved window asked before closing"

# Edited again: closing asks, and "Cancel" (Escape) keeps the window and its edit.
edit_knob_one_cc "${first}" 55
expect_title "${first}" "*Quenlo ZKM Editor - Untitled 1"
xdotool key ctrl+w
wait_for_window "Unsaved Changes" >/dev/null
xdotool key Escape
wait_for_window_gone "Unsaved Changes"
sleep 0.5
kill -0 "${editor_pid}" 2>/dev/null || fail "the editor ended after Cancel"
[ "$(count_windows "Quenlo ZKM Editor - Untitled 1")" = 1 ] || fail "the window closed after Cancel"
expect_title "${first}" "*Quenlo ZKM Editor - Untitled 1"

echo "PASS: undo, redo, save, close without a question, and Cancel keeps an edited window"
