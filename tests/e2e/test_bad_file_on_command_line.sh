#!/usr/bin/env bash
# A preset file of the wrong size named on the command line: the editor opens its window with the
# default preset and shows the "File Error" notice, which the user dismisses.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
bad="${e2e_work}/too short.zkp"
head -c 100 "${slot_file}" >"${bad}"
start_editor "${slot_file}" "${bad}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
notice="$(wait_for_window "^File Error$")"
[ "$(count_windows "^File Error$")" -eq 1 ] || fail "more than one File Error notice"

# The notice's OK button, centred near its bottom.
eval "$(xdotool getwindowgeometry --shell "${notice}")"
click "${notice}" $((WIDTH / 2)) $((HEIGHT - 30))
wait_for_window_gone "^File Error$"

[ "$(xdotool getwindowname "${editor}")" = "Quenlo ZKM Editor - Untitled 1" ] || fail "the window title changed"
kill -0 "${editor_pid}" 2>/dev/null || fail "the editor ended"

echo "PASS: the wrong-sized file was reported and the default window stayed"
