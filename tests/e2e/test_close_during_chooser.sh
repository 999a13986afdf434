#!/usr/bin/env bash
# A window closed while its own save chooser is open: the chooser's answer then goes nowhere. No
# file is written, the other window and the program go on, and the program ends cleanly (in the
# sanitizer build: without a report of a freed window being used).
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
provide_close_request_atoms
start_editor "${slot_file}"

first="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
click_content "${first}" 700 650 # an empty spot of the main view, to give the window the focus
xdotool key ctrl+n
second="$(wait_for_window "Quenlo ZKM Editor - Untitled 2")"

click_preset_button "${second}" 2 # "Save To File"
wait_for_window "Select Filename to save" >/dev/null
request_window_close "${second}"
wait_for_window_gone "Quenlo ZKM Editor - Untitled 2"

saved="${e2e_work}/from a closed window.zkp"
answer_file_dialog "Select Filename to save" "${saved}"
sleep 0.5
kill -0 "${editor_pid}" 2>/dev/null || fail "the editor ended when the chooser of a closed window returned"
[ ! -e "${saved}" ] || fail "a closed window wrote a preset file"

click_content "${first}" 700 650
xdotool key ctrl+w
wait_for_exit "${editor_pid}"
wait "${editor_pid}" || fail "the editor ended with status $?"

echo "PASS: a window closed during its save chooser was left alone"
