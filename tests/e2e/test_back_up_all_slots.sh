#!/usr/bin/env bash
# Backs up every slot of the virtual controller into a folder through File > Hardware > Back Up All
# Slots...: each of the 24 files is the preset file of exactly its slot's image.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
backup_folder="${e2e_work}/backup"
mkdir -p "${backup_folder}"
start_editor "${slot_file}"

editor="$(wait_for_window "Quenlo ZKM Editor - Untitled 1")"
choose_virtual_controller "${editor}"

start_backup_into "${editor}" "${backup_folder}"
# 24 Gets at the controller's pace: the summary comes after about a minute.
for _ in $(seq 1 1800); do
    [ -n "$(xdotool search --onlyvisible --name "^Back Up All Slots$" 2>/dev/null || true)" ] && break
    sleep 0.1
done
[ -n "$(xdotool search --onlyvisible --name "^Back Up All Slots$" 2>/dev/null || true)" ] || fail "no summary"

for slot in $(seq 1 "${number_of_slots}"); do
    file="${backup_folder}/ZKM Slot $(printf '%02d' "${slot}").zkp"
    [ -f "${file}" ] || fail "no backup file for slot ${slot}"
    expected="${dump_head_hex}$(slot_hex "${slot_file}" $((slot - 1)))f7"
    [ "$(file_hex "${file}")" = "${expected}" ] || fail "the backup of slot ${slot} is not its preset"
done

[ "$(find "${backup_folder}" -type f | wc -l)" -eq "${number_of_slots}" ] || fail "the folder holds other files"
echo "PASS: 24 slots backed up byte for byte"
