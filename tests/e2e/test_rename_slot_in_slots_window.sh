#!/usr/bin/env bash
# Window > Slots, then Rename... on slot 3: the name typed goes into the slot's first 16 bytes, and
# every other byte of the slot stays as it was. Read from the virtual controller's slot file.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

readonly slot_three_x=100 slot_three_y=$((46 + 28 + 2 * 20 + 10)) # the table's third row
readonly rename_x=298 rename_y=615                                 # "Rename..." under the table
readonly new_name="E2E Rename"

# Window: Minimize, Bring All to Front, a separator, Slots.
choose_slots_window()
{
    click "${editor}" "${window_menu_x}" 10
    wait_for_window "^menu$" >/dev/null
    xdotool key Down Down Down Return
}

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
before="$(slot_hex "${slot_file}" 2)"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

slots="$(open_with_retries "^Slots$" choose_slots_window)"
click "${slots}" "${slot_three_x}" "${slot_three_y}"
open_with_retries "^Rename Slot 3$" click "${slots}" "${rename_x}" "${rename_y}" >/dev/null
xdotool key ctrl+a
xdotool type --delay 20 "${new_name}"
xdotool key Return
wait_for_window_gone "^Rename Slot 3$"

# The name's bytes, blanks after it (as the controller pads its names), then the rest of the slot
# as it was.
expected="$(python3 -c "import sys; n = sys.argv[1].encode().hex(); print (n + '20' * (16 - len (sys.argv[1])) + sys.argv[2][32:])" "${new_name}" "${before}")"
wait_for_slot "${slot_file}" 2 "${expected}"

echo "PASS: Rename... in the Slots window wrote the name into slot 3 and nothing else"
