#!/usr/bin/env bash
# Takes the screenshots of the user guide (docs/user-guide.md) from the real editor, into
# docs/images/ or the folder given: the nine views (scripts/screenshots.sh) and the main view at
# 200 %, then the device setup
# window (after Find Controller, and on a system without MIDI), the connection status of a window,
# the Get and Send dialogs, the Slots window, the MIDI monitor,
# the virtual controller's panel and Check Preset, with the built-in virtual controller as the device. Builds
# the editor first if it is not built; ZKM_EDITOR_BINARY may name another binary. Run it again
# whenever the editor's look changes, then rebuild the guide (target zkm_user_guide).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out_dir="${1:-${root}/docs/images}"
export ZKM_EDITOR_BINARY="${ZKM_EDITOR_BINARY:-${ZKM_BUILD_DIR:-${root}/build}/bin/ZKMEditor}"

# The nine views at 100 %, and a part of the main view at 200 % for the zoom's section.
views_dir="$(mktemp -d /tmp/zkm_screenshots_views.XXXXXX)"
bash "${root}/scripts/screenshots.sh" "${views_dir}" >/dev/null
cp "${views_dir}"/*.png "${out_dir}/"
convert "${views_dir}/200/0_main.png" -crop 1400x640+0+110 +repage "${out_dir}/zoom_200.png"
rm -rf "${views_dir}"

source "${root}/scripts/xvfb.sh"
source "${root}/scripts/editor.sh"
zkm_start_xvfb

menu_bar_height=24

# The editor remembers the devices chosen here: in a configuration folder of the script's own.
export XDG_CONFIG_HOME="$(mktemp -d /tmp/zkm_screenshots_config.XXXXXX)"

# The connection status beside the first preset button, 490 pixels down the content.
status_crop="720x45+0+$((menu_bar_height + 490))"

wait_for()
{
    local name="$1" id=""
    id="$(zkm_wait_for_window "${name}" 20)" || { echo "No window named \"${name}\" appeared" >&2; return 1; }
    sleep 0.5 # let it paint
    echo "${id}"
}

click()
{
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}

ZKM_EDITOR_VIRTUAL_CONTROLLER=1 zkm_start_editor
trap 'kill ${ZKM_EDITOR_PID} 2>/dev/null || true; kill ${ZKM_XVFB_PID} 2>/dev/null || true; rm -rf "${XDG_CONFIG_HOME}"' EXIT
editor="$(wait_for "Quenlo ZKM Editor - Untitled 1")"
xdotool mousemove --window "${editor}" 1190 $((menu_bar_height + 40))
sleep 0.3
import -window "${editor}" -crop "${status_crop}" +repage "${out_dir}/status_no_controller.png"

# Options > Device Setup, with the virtual controller found by "Find Controller".
click "${editor}" 200 10 # "Options", right of "File", "Edit" and "View"
wait_for "^menu$" >/dev/null
click "${editor}" 220 $((menu_bar_height + 13))
setup="$(wait_for "Editor Device Manager")"
click "${setup}" 76 445
sleep 1
xdotool mousemove --window "${setup}" 5 5
sleep 0.3
import -window "${setup}" "${out_dir}/device_setup.png"
click "${setup}" 52 397
xdotool mousemove --window "${editor}" 1190 $((menu_bar_height + 40))
sleep 0.6
import -window "${editor}" -crop "${status_crop}" +repage "${out_dir}/status_controller.png"

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

# The knobs view: the menu of the title "Knob 1" (a right-click), then the "Min" box reached by Tab
# from "CC" and stepped up three times. The menu is a window of its own: both are cut from the screen.
click "${editor}" 204 $((menu_bar_height + 470))
read -r editor_x editor_y < <(xdotool getwindowgeometry "${editor}" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
knobs_crop="640x250+${editor_x}+$((editor_y + 460))"
xdotool mousemove --window "${editor}" 130 $((menu_bar_height + 514)) click 3
wait_for "^menu$" >/dev/null
xdotool mousemove --window "${editor}" 200 $((menu_bar_height + 606))
sleep 0.5
import -window root -crop "${knobs_crop}" +repage "${out_dir}/control_settings_menu.png"
xdotool key Escape
click "${editor}" 190 $((menu_bar_height + 588))
xdotool key Tab Up Up Up
xdotool mousemove --window "${editor}" 700 300
sleep 0.5
import -window root -crop "${knobs_crop}" +repage "${out_dir}/focused_number_box.png"

# Device Setup on a system without the ALSA sequencer, when this one has none: no virtual controller.
if [ ! -e /dev/snd/seq ]; then
    kill "${ZKM_EDITOR_PID}" 2>/dev/null || true
    wait "${ZKM_EDITOR_PID}" 2>/dev/null || true
    zkm_start_editor
    editor="$(wait_for "Quenlo ZKM Editor - Untitled 1")"
    click "${editor}" 200 10 # "Options", right of "File", "Edit" and "View"
    wait_for "^menu$" >/dev/null
    click "${editor}" 220 $((menu_bar_height + 13))
    setup="$(wait_for "Editor Device Manager")"
    xdotool mousemove --window "${setup}" 5 5
    sleep 0.3
    import -window "${setup}" "${out_dir}/device_setup_no_midi.png"
fi

# The Slots window, from an editor of its own on a controller whose slots carry names.
kill "${ZKM_EDITOR_PID}" 2>/dev/null || true
wait "${ZKM_EDITOR_PID}" 2>/dev/null || true
bash "${root}/scripts/slots-screenshot.sh" "${out_dir}"
bash "${root}/scripts/play-screenshots.sh" "${out_dir}"
bash "${root}/scripts/backup-screenshot.sh" "${out_dir}"

echo "Screenshots of the user guide: ${out_dir}"
