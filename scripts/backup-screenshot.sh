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

start_backup_into "${editor}" "${backup_folder}"

# A few slots in, with the pointer away from the window.
xdotool mousemove 1900 1000
sleep 8
import -window "${editor}" "${out_dir}/backup_progress.png"
echo "Screenshot of a backup in progress: ${out_dir}/backup_progress.png"
