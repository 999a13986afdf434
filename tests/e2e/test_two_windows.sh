#!/usr/bin/env bash
# A second window opens with the New Window shortcut, cascaded from the first; closing both with
# the Close Window shortcut ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"

first="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
eval "$(xdotool getwindowgeometry --shell "${first}")"
[ "${X},${Y}" = "15,60" ] || fail "the first window is at ${X},${Y}"
[ "${HEIGHT}" -eq $((700 + menu_bar_height)) ] || fail "the first window is ${HEIGHT} pixels high"

click_content "${first}" 700 650 # an empty spot of the main view, to give the window the focus
xdotool key ctrl+n
second="$(wait_for_window "Quenlo ZKM Editor - Untitled 2")"
eval "$(xdotool getwindowgeometry --shell "${second}")"
[ "${X},${Y}" = "30,75" ] || fail "the second window is at ${X},${Y}"

click_content "${second}" 700 650
xdotool key ctrl+w
wait_for_window_gone "Quenlo ZKM Editor - Untitled 2"
kill -0 "${editor_pid}" 2>/dev/null || fail "the editor ended with a window still open"

click_content "${first}" 700 650
xdotool key ctrl+w
wait_for_exit "${editor_pid}"

echo "PASS: two windows opened and closed, and the program ended"
