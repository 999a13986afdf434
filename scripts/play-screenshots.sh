#!/usr/bin/env bash
# The pictures of "Playing and checking presets" in the user guide: the virtual controller's panel
# being played, the MIDI monitor that names what it sent, and Check Preset on a preset whose knobs
# 3 and 5 send the same CC. Usage: play-screenshots.sh [folder] (default docs/images); called by
# guide-screenshots.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out_dir="${1:-${root}/docs/images}"
export ZKM_EDITOR_BINARY="${ZKM_EDITOR_BINARY:-${ZKM_BUILD_DIR:-${root}/build}/bin/ZKMEditor}"
source "${root}/scripts/xvfb.sh"
source "${root}/scripts/editor.sh"
zkm_start_xvfb
menu_bar_height=24
work="$(mktemp -d /tmp/zkm_play_shot.XXXXXX)"
export XDG_CONFIG_HOME="${work}/config"
mkdir -p "${XDG_CONFIG_HOME}/zkm-editor"
cat > "${XDG_CONFIG_HOME}/zkm-editor/settings.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<PROPERTIES>
  <VALUE name="midiInput" val="ZKM Virtual Controller"/>
  <VALUE name="midiOutput" val="ZKM Virtual Controller"/>
</PROPERTIES>
XML

# The controller's first preset with knob 5 on knob 3's CC (22), and a name, for Check Preset.
zkm_bin="$(dirname "${ZKM_EDITOR_BINARY}")/zkm"
ZKM_EDITOR_VIRTUAL_CONTROLLER="${work}/slots.bin" "${zkm_bin}" get 1 -o "${work}/base.zkp" \
    --device "ZKM Virtual Controller" >/dev/null
"${zkm_bin}" set "${work}/base.zkp" "Knob 5" "CC" 22 -o "${work}/clash.zkp" >/dev/null
"${zkm_bin}" set "${work}/clash.zkp" "Preset Name" "Name" "Clash Demo" >/dev/null

wait_for()
{
    local id=""
    id="$(zkm_wait_for_window "$1" 20)" || { echo "No window named \"$1\" appeared" >&2; return 1; }
    sleep 0.6
    echo "${id}"
}

click()
{
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}

ZKM_EDITOR_VIRTUAL_CONTROLLER="${work}/slots.bin" zkm_start_editor "${work}/clash.zkp"
trap 'kill ${ZKM_EDITOR_PID} 2>/dev/null || true; rm -rf "${work}"' EXIT
editor="$(wait_for "Quenlo ZKM Editor - clash")"

# Window: Minimize, Bring All to Front, Slots, MIDI Monitor, Virtual Controller.
window_menu()
{
    click "${editor}" 280 10 # the "Window" menu
    wait_for "^menu$" >/dev/null
    xdotool key "$@" Return
}

# The panel: knob 3 turned up (the editor follows it to the Knobs tab).
window_menu Down Down Down Down Down
panel="$(wait_for "^Virtual Controller$")"
xdotool mousemove --window "${panel}" 408 74 mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove --window "${panel}" 408 $((74 - step * 8))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.3
import -window "${panel}" "${out_dir}/virtual_controller.png"

# The monitor: the knob's messages, then a few keys and a pad.
window_menu Down Down Down Down
monitor="$(wait_for "^MIDI Monitor$")"
xdotool windowmove "${monitor}" 0 580 # below the editor, beside the keys
for key_x in 700 740 780; do
    click "${panel}" "${key_x}" 480
done
click "${panel}" 805 41 # Pad 1
sleep 0.5
import -window "${monitor}" "${out_dir}/midi_monitor.png"

# Check Preset, from the Edit menu: knobs 3 and 5 on one CC.
click "${editor}" 75 10
wait_for "^menu$" >/dev/null
click "${editor}" 110 187
check="$(wait_for "^Check Preset$")"
import -window "${check}" "${out_dir}/check_preset.png"
