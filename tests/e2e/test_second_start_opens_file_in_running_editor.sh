#!/usr/bin/env bash
# A second start of the editor that names preset files hands each to the running editor, which
# opens it in a new window of its own (a missing file gets the usual "File Error" notice there, and
# no window);
# the second start ends at once with status 0, and one naming no file opens nothing.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

# The editors of this test meet in a place of their own.
export XDG_RUNTIME_DIR="${e2e_work}/run"
mkdir -m 0700 "${XDG_RUNTIME_DIR}"

slot_file="${e2e_work}/slots.bin"
make_slot_file "${slot_file}"
mkdir "${e2e_work}/presets"
make_preset_file_from_slot "${slot_file}" 3 "${e2e_work}/presets/Handed Over.zkp"

start_editor "${slot_file}"
wait_for_window "Quenlo ZKM Editor - Untitled 1" >/dev/null

# The windows of the running editor, by its process id.
editor_windows()
{
    xdotool search --all --onlyvisible --pid "${editor_pid}" --name "^Quenlo ZKM Editor - " 2>/dev/null | wc -l
}

# Starts the editor again in a folder with the arguments; it must end by itself with status 0.
second_start()
{
    local folder="$1" status=0
    shift
    (cd "${folder}" && exec timeout "${e2e_timeout}" "${ZKM_EDITOR_BINARY}" "$@" >>"${e2e_work}/second.log" 2>&1) \
        || status=$?
    [ "${status}" -eq 0 ] || fail "the second start ended with status ${status} (124: it did not end)"
}

# A relative path, resolved against the second start's own folder.
second_start "${e2e_work}/presets" "Handed Over.zkp"
handed="$(wait_for_window "^Quenlo ZKM Editor - Handed Over$")"
[ "$(xdotool getwindowpid "${handed}")" = "${editor_pid}" ] || fail "the file opened in another process"
[ "$(editor_windows)" -eq 2 ] || fail "the running editor has $(editor_windows) windows, not 2"

# A missing file: the running editor's "File Error" notice, and no empty window.
second_start "${e2e_work}" "${e2e_work}/presets/missing.zkp"
wait_for_window "^File Error$" >/dev/null
[ "$(editor_windows)" -eq 2 ] || fail "the running editor has $(editor_windows) windows, not 2"
xdotool key Return
wait_for_window_gone "^File Error$"

# No file: nothing opens.
second_start "${e2e_work}"
sleep 1
[ "$(editor_windows)" -eq 2 ] || fail "a second start without a file opened a window"
kill -0 "${editor_pid}" 2>/dev/null || fail "the running editor ended"

echo "PASS: the files of second starts opened in new windows of the running editor"
