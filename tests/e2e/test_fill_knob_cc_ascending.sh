#!/usr/bin/env bash
# Two clicks number the 16 knobs' CC ascending from knob 1's 20: a right-click on the title "Knob 1"
# and its menu entry "Number CC Ascending From Here (15 Knobs)". The saved file holds 20 to 35.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

readonly knobs_tab_x=204 tab_row_y=470
readonly knob_one_title_x=130 knob_one_title_y=514 # the title "Knob 1" on the first knob bank
readonly fill_row=3                                 # the fourth entry of the title's menu
readonly first_knob_cc_index=$((10 + 55 + 1))       # dump head, first knob block, its number byte

knob_ccs()
{
    python3 -c "import sys; d = open (sys.argv[1], 'rb').read(); print (' '.join (str (d[int (sys.argv[2]) + 5 * k]) for k in range (16)))" "$1" "$2"
}

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"
editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
click_content "${editor}" "${knobs_tab_x}" "${tab_row_y}"

# Right-click on the title opens its menu; the fill entry is its fourth row.
xdotool mousemove --window "${editor}" "${knob_one_title_x}" $((knob_one_title_y + menu_bar_height)) click 3
menu="$(wait_for_window "^menu$")"
click "${menu}" 60 $((13 + fill_row * 22))
wait_for_window_gone "^menu$"

saved="${e2e_work}/filled.zkp"
xdotool key ctrl+s
answer_file_dialog "Select Filename to save" "${saved}"
wait_for_window "Quenlo ZKM Editor - filled" >/dev/null

expected="$(seq -s ' ' 20 35)"
actual="$(knob_ccs "${saved}" "${first_knob_cc_index}")"
[ "${actual}" = "${expected}" ] || fail "the knobs' CC in the file are ${actual}, not ${expected}"

echo "PASS: the knobs' CC are numbered ascending from the title's menu"
