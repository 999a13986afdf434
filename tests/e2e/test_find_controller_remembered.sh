#!/usr/bin/env bash
# Finds the virtual controller with "Find Controller" in Device Setup and applies it; after a new
# start the editor has remembered it: Get works at once, without opening Device Setup.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# The test's own configuration folder (set by e2e_lib.sh) keeps what the first start remembers.
settings="${XDG_CONFIG_HOME}/zkm-editor/settings.xml"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
setup="$(open_from_menu "${editor}" "${options_menu_x}" 0 "Editor Device Manager")" # Options > Device Setup
click "${setup}" 76 445 # "Find Controller", below the artwork
sleep 1.5
click "${setup}" 52 397 # "OK"
wait_for_window_gone "Editor Device Manager"

[ -f "${settings}" ] || fail "no settings file was written"
grep -q "ZKM Virtual Controller" "${settings}" || fail "the settings file does not name the controller"

click_content "${editor}" 700 650 # an empty spot of the main view, to give the window the focus
xdotool key ctrl+w
wait_for_exit "${editor_pid}"

# The second start: no Device Setup this time.
start_editor "${slot_file}"
editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"

click_preset_button "${editor}" 0 # "Get From Hardware"
get_dialog="$(wait_for_window "Get Preset From Hardware")"
choose_slot_and_press "${get_dialog}" 5
wait_for_window_gone "Get Preset From Hardware"

click_preset_button "${editor}" 2 # "Save To File"
saved="${e2e_work}/fetched slot 5.zkp"
answer_file_dialog "Select Filename to save" "${saved}"
wait_for_window "Quenlo ZKM Editor - fetched slot 5" >/dev/null

[ -f "${saved}" ] || fail "no preset file was written"
expected="${dump_head_hex}$(slot_hex "${slot_file}" 4)f7"
[ "$(file_hex "${saved}")" = "${expected}" ] || fail "the saved file is not the preset of slot 5"
[ -z "$(xdotool search --onlyvisible --name "MIDI Error" 2>/dev/null || true)" ] || fail "a MIDI error was shown"

echo "PASS: the found controller was remembered and used after a new start"
