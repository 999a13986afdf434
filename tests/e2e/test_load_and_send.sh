#!/usr/bin/env bash
# Loads a preset file and sends it to a slot of the virtual controller; the slot file then holds
# the file's preset in that slot and nothing else changed.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
preset="${e2e_work}/from slot 6.zkp"
make_preset_file_from_slot "${slot_file}" 5 "${preset}"
expected="$(slot_hex "${slot_file}" 5)"
untouched="$(slot_hex "${slot_file}" 8)"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

click_preset_button "${editor}" 3 # "Load From File"
answer_file_dialog "Select Filename to open" "${preset}"
wait_for_window "Quenlo ZKM Editor - from slot 6" >/dev/null

click_preset_button "${editor}" 1 # "Send To Hardware"
send_dialog="$(wait_for_window "Send Preset To Hardware")"
choose_slot_and_press "${send_dialog}" 10
wait_for_window_gone "Send Preset To Hardware"

# The virtual controller saves its slots shortly after the last write.
wait_for_slot "${slot_file}" 9 "${expected}"
[ "$(slot_hex "${slot_file}" 8)" = "${untouched}" ] || fail "a slot that was not sent to changed"
[ -z "$(xdotool search --onlyvisible --name "MIDI Error" 2>/dev/null || true)" ] || fail "a MIDI error was shown"

echo "PASS: the loaded preset went into slot 10"
