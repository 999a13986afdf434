#!/usr/bin/env bash
# The window keeps working while it talks to the controller: during a Send another tab can be
# opened and shows its view, the Send still fills the slot; a Get that is cancelled leaves the
# window's preset as it was.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
default_image="$(python3 -c "import sys; print (open (sys.argv[1], 'rb').read()[10:475].hex())" \
    "${ZKM_TEST_SOURCE_DIR}/src/resources/ZKM_DefaultPreset.zkp")"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

# Send the default preset to slot 10: about 3.7 s of writes.
click_preset_button "${editor}" 1 # "Send To Hardware"
send_dialog="$(wait_for_window "Send Preset To Hardware")"
choose_slot_and_press "${send_dialog}" 10
wait_for_window_gone "Send Preset To Hardware"
wait_for_transfer_strip "${editor}"

# While it runs, the "Knobs" tab opens the knob view.
import -window "${editor}" -crop 1200x440+0+$((menu_bar_height + 5)) "${e2e_work}/main.png"
click_content "${editor}" 200 470
import -window "${editor}" -crop 1200x440+0+$((menu_bar_height + 5)) "${e2e_work}/knobs.png"
[ "$(window_height "${editor}")" -gt "${document_height}" ] || fail "the Send was over before the tab was clicked"
changed="$(compare -metric AE "${e2e_work}/main.png" "${e2e_work}/knobs.png" null: 2>&1 || true)"
[ "${changed%% *}" -gt 1000 ] 2>/dev/null || fail "the view did not change during the Send (${changed} pixels)"

wait_for_transfer_end "${editor}"
wait_for_slot "${slot_file}" 9 "${default_image}"
[ -z "$(xdotool search --onlyvisible --name "MIDI Error" 2>/dev/null || true)" ] || fail "a MIDI error was shown"

# A Get of slot 3, cancelled halfway: nothing of slot 3 reaches the window.
click_content "${editor}" 70 470 # back to the main view with the preset buttons
click_preset_button "${editor}" 0 # "Get From Hardware"
get_dialog="$(wait_for_window "Get Preset From Hardware")"
choose_slot_and_press "${get_dialog}" 3
wait_for_window_gone "Get Preset From Hardware"
wait_for_transfer_strip "${editor}"
click_content "${editor}" 1156 716 # "Cancel" at the right end of the strip
wait_for_transfer_end "${editor}"
[ -z "$(xdotool search --onlyvisible --name "MIDI Error" 2>/dev/null || true)" ] || fail "a cancelled Get showed an error"

click_preset_button "${editor}" 2 # "Save To File"
saved="${e2e_work}/after cancel.zkp"
answer_file_dialog "Select Filename to save" "${saved}"
wait_for_window "Quenlo ZKM Editor - after cancel" >/dev/null
[ "$(file_hex "${saved}" | cut -c21-950)" = "${default_image}" ] || fail "the cancelled Get changed the preset"

echo "PASS: the window worked during the Send and kept its preset after a cancelled Get"
