#!/usr/bin/env bash
# Takes the user guide's picture of a backup in progress (backup_progress.png, into docs/images/ or
# the folder given): File > Hardware > Back Up All Slots... on the built-in virtual controller, the
# window caught with its strip counting. Drives the editor with the end-to-end tests' steps, on a
# private virtual display; called by guide-screenshots.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out_dir="$(cd "${1:-${root}/docs/images}" && pwd)"
export ZKM_EDITOR_BINARY="${ZKM_EDITOR_BINARY:-${ZKM_BUILD_DIR:-${root}/build}/bin/ZKMEditor}"

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb
trap - EXIT
source "${root}/tests/e2e/e2e_lib.sh"
e2e_own_xvfb_pid="${ZKM_XVFB_PID}"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
backup_folder="${e2e_work}/backup"
mkdir -p "${backup_folder}"
start_editor "${slot_file}"
editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

# File > Hardware, then its seventh entry; the folder chooser takes the typed folder.
click "${editor}" 20 10
wait_for_window "^menu$" >/dev/null
click "${editor}" 40 $((menu_bar_height + 13 + 7 * 22))
sleep 0.5
xdotool key Down Down Down Down Down Down Down Return
chooser="$(wait_for_window "Choose a Folder for the Backup")"
click "${chooser}" 300 436
xdotool type --delay 5 "${backup_folder}"
xdotool key Return
sleep 0.5
click "${chooser}" 544 475
wait_for_window_gone "Choose a Folder for the Backup"

# A few slots in, with the pointer away from the window.
xdotool mousemove 1900 1000
sleep 8
import -window "${editor}" "${out_dir}/backup_progress.png"
echo "Screenshot of a backup in progress: ${out_dir}/backup_progress.png"
