#!/usr/bin/env bash
# Gets a preset from a slot of the virtual controller and saves it to a file: the file is the
# preset dump of exactly that slot's image.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

click_preset_button "${editor}" 0 # "Get From Hardware"
get_dialog="$(wait_for_window "Get Preset From Hardware")"
choose_slot_and_press "${get_dialog}" 3
wait_for_window_gone "Get Preset From Hardware"

# The fetched preset is in the window once the last reply is in and the transfer strip has gone.
wait_for_transfer_end "${editor}"
open_from_preset_button "${editor}" 2 "Select Filename to save" >/dev/null # "Save To File"
saved="${e2e_work}/fetched slot 3.zkp"
answer_file_dialog "Select Filename to save" "${saved}"
wait_for_window "Quenlo ZKM Editor - fetched slot 3" >/dev/null

[ -f "${saved}" ] || fail "no preset file was written"
expected="${dump_head_hex}$(slot_hex "${slot_file}" 2)f7"
[ "$(file_hex "${saved}")" = "${expected}" ] || fail "the saved file is not the preset of slot 3"
[ -z "$(xdotool search --onlyvisible --name "MIDI Error" 2>/dev/null || true)" ] || fail "a MIDI error was shown"

echo "PASS: slot 3 fetched and saved byte for byte"
