#!/usr/bin/env bash
# Takes the screenshots of the user guide (docs/user-guide.md) from the real editor, into
# docs/images/ or the folder given: the nine views (scripts/screenshots.sh), then the device setup
# window and the Get and Send dialogs, with the built-in virtual controller as the device. Builds
# the editor first if it is not built; ZKM_EDITOR_BINARY may name another binary. Run it again
# whenever the editor's look changes, then rebuild the guide (target zkm_user_guide).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out_dir="${1:-${root}/docs/images}"
export ZKM_EDITOR_BINARY="${ZKM_EDITOR_BINARY:-${ZKM_BUILD_DIR:-${root}/build}/bin/ZKMEditor}"

bash "${root}/scripts/screenshots.sh" "${out_dir}" >/dev/null

source "${root}/scripts/xvfb.sh"
zkm_start_xvfb

menu_bar_height=24

wait_for()
{
    local name="$1" id=""
    for _ in $(seq 1 200); do
        id="$(xdotool search --onlyvisible --name "${name}" 2>/dev/null | head -n 1 || true)"
        if [ -n "${id}" ]; then
            sleep 0.5 # let it paint
            echo "${id}"
            return 0
        fi
        sleep 0.1
    done
    echo "No window named \"${name}\" appeared" >&2
    return 1
}

click()
{
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}

ZKM_EDITOR_VIRTUAL_CONTROLLER=1 "${ZKM_EDITOR_BINARY}" >/dev/null 2>&1 &
editor_pid=$!
trap 'kill ${editor_pid} 2>/dev/null || true; kill ${ZKM_XVFB_PID} 2>/dev/null || true' EXIT
editor="$(wait_for "Quenlo ZKM Editor - Untitled 1")"

# Options > Device Setup, with the virtual controller chosen as input and output.
click "${editor}" 88 10
wait_for "^menu$" >/dev/null
click "${editor}" 108 $((menu_bar_height + 13))
setup="$(wait_for "Editor Device Manager")"
click "${setup}" 80 80
click "${setup}" 80 250
xdotool mousemove --window "${setup}" 5 5
sleep 0.3
import -window "${setup}" "${out_dir}/device_setup.png"
click "${setup}" 52 397

# The Get and Send dialogs, opened by the main view's first two preset buttons.
click "${editor}" 120 $((menu_bar_height + 490 + 5 + 17))
get_dialog="$(wait_for "Get Preset From Hardware")"
import -window "${get_dialog}" "${out_dir}/get_dialog.png"
click "${get_dialog}" 212 77 # Cancel
click "${editor}" 120 $((menu_bar_height + 490 + 5 + 45 + 17))
send_dialog="$(wait_for "Send Preset To Hardware")"
import -window "${send_dialog}" "${out_dir}/send_dialog.png"
click "${send_dialog}" 212 77 # Cancel

# The keybed view with the keyboard split: the "Split Mode" list set to "On".
click "${editor}" 864 $((menu_bar_height + 470))
click "${editor}" 190 $((menu_bar_height + 538))
wait_for "^menu$" >/dev/null
xdotool key Up Return
xdotool mousemove --window "${editor}" 1190 $((menu_bar_height + 40))
sleep 0.7
import -window "${editor}" "${out_dir}/6_keybed_split.png"

echo "Screenshots of the user guide: ${out_dir}"
