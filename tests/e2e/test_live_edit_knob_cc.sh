#!/usr/bin/env bash
# Live Edit through File > Hardware > Live Edit Slot...: once slot 1 holds the window's preset, a CC
# typed into Knob 1's box goes into the slot at once, without a Send: the slot file then holds it.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

readonly knobs_tab_x=204 tab_row_y=470
readonly knob_one_cc_x=190 knob_one_cc_y=588 # Knob 1's "CC" box on the first knob bank
readonly knob_one_cc_index=$((55 + 1))       # first knob block, its number byte, in the image

slot_byte()
{
    python3 -c "import sys; d = open (sys.argv[1], 'rb').read(); print (d[int (sys.argv[2])])" "$1" "$2"
}

# File > Hardware (its eighth entry) opens the submenu; Live Edit is its fourth entry.
choose_live_edit()
{
    click "${editor}" 20 10
    wait_for_window "^menu$" >/dev/null
    click "${editor}" 40 $((menu_bar_height + 13 + 7 * 22))
    sleep 0.5
    xdotool key Down Down Down Down Return
}

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

# The chooser offers slot 1 first; Return starts Live Edit of it.
open_with_retries "^Live Edit Slot$" choose_live_edit >/dev/null
xdotool key Return
wait_for_window_gone "^Live Edit Slot$"
wait_for_window "Untitled 1 \[Live: slot 1\]" >/dev/null

click_content "${editor}" "${knobs_tab_x}" "${tab_row_y}"
click_content "${editor}" "${knob_one_cc_x}" "${knob_one_cc_y}"
xdotool type --delay 20 "77"
xdotool key Return

# The virtual controller saves its slots shortly after the last write.
for _ in $(seq 1 $((e2e_timeout * 10))); do
    [ "$(slot_byte "${slot_file}" "${knob_one_cc_index}")" = 77 ] && break
    sleep 0.1
done
[ "$(slot_byte "${slot_file}" "${knob_one_cc_index}")" = 77 ] || fail "slot 1 does not hold the typed CC"
[ -z "$(xdotool search --onlyvisible --name "Live Edit Ended" 2>/dev/null || true)" ] || fail "Live Edit ended"
[ -n "$(xdotool search --onlyvisible --name "\[Live: slot 1\]" 2>/dev/null || true)" ] || fail "Live Edit is off"

echo "PASS: a CC typed during Live Edit went into slot 1"
