#!/usr/bin/env bash
# A number typed into a box and not yet confirmed with Return is saved by command + s: the file holds
# the typed number, the first time (through the file dialog) and every time after.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

readonly knobs_tab_x=204 tab_row_y=470
readonly knob_one_cc_x=190 knob_one_cc_y=588 # Knob 1's "CC" box on the first knob bank
readonly knob_one_cc_index=$((10 + 55 + 1))   # dump head, first knob block, its number byte

file_byte()
{
    python3 -c "import sys; d = open (sys.argv[1], 'rb').read(); print (d[int (sys.argv[2])] if len (d) > int (sys.argv[2]) else -1)" "$1" "$2"
}

wait_for_file_byte()
{
    local file="$1" index="$2" expected="$3"
    for _ in $(seq 1 $((e2e_timeout * 10))); do
        if [ -f "${file}" ] && [ "$(file_byte "${file}" "${index}")" = "${expected}" ]; then
            return 0
        fi
        sleep 0.1
    done
    fail "byte ${index} of the saved file is $(file_byte "${file}" "${index}"), not ${expected}"
}

type_into_knob_one_cc()
{
    click_content "${editor}" "${knob_one_cc_x}" "${knob_one_cc_y}"
    xdotool type --delay 20 "$1"
    sleep 0.2
}

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"
editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
click_content "${editor}" "${knobs_tab_x}" "${tab_row_y}"

saved="${e2e_work}/typed.zkp"
type_into_knob_one_cc 77
xdotool key ctrl+s
answer_file_dialog "Select Filename to save" "${saved}"
wait_for_window "Quenlo ZKM Editor - typed" >/dev/null
wait_for_file_byte "${saved}" "${knob_one_cc_index}" 77

# The second command + s writes to the known file without a dialog.
type_into_knob_one_cc 78
xdotool key ctrl+s
wait_for_file_byte "${saved}" "${knob_one_cc_index}" 78

echo "PASS: typed numbers are saved by command + s without Return"
