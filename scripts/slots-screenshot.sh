#!/usr/bin/env bash
# The Slots window for the guide: a controller whose slots carry names, read with Read Names, and a
# folder of preset files beside them.
# Usage: slots-screenshot.sh [folder] (default docs/images); called by guide-screenshots.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out_dir="${1:-${root}/docs/images}"
export ZKM_EDITOR_BINARY="${ZKM_EDITOR_BINARY:-${ZKM_BUILD_DIR:-${root}/build}/bin/ZKMEditor}"
source "${root}/scripts/xvfb.sh"
source "${root}/scripts/editor.sh"
zkm_start_xvfb
work="$(mktemp -d /tmp/zkm_slots_shot.XXXXXX)"
export XDG_CONFIG_HOME="${work}/config"
mkdir -p "${XDG_CONFIG_HOME}/zkm-editor" "${work}/ZKM Presets"
python3 - "${work}" <<'PY'
import sys, os
work = sys.argv[1]
names = ["Grand Piano", "Warm Pad", "Drum Kit A", "Bass Synth", "Strings Legato", "Lead Saw", "Organ Drawbar",
         "E-Piano Rhodes", "Brass Section", "Arp Sequence", "Choir Aahs", "FX Riser"]
def image (seed, name):
    data = bytearray ((i * 7 + seed * 13 + 1) % 128 for i in range (465))
    encoded = name.encode()[:16]
    data[0:16] = encoded + bytes (16 - len (encoded))
    return bytes (data)
with open (os.path.join (work, "slots.bin"), "wb") as f:
    for slot in range (24):
        f.write (image (slot, names[slot % len (names)] if slot < 14 else "Init %02d" % (slot + 1)))
head = bytes.fromhex ("f0007e51004061035100")
for n, name in enumerate (["Lead Saw", "Warm Pad", "Techno Bass", "Film Strings", "Live Drums", "Jazz Organ"]):
    path = os.path.join (work, "ZKM Presets", name.lower().replace (" ", "-") + ".zkp")
    open (path, "wb").write (head + image (40 + n, name) + bytes ([0xf7]))
PY
cat > "${XDG_CONFIG_HOME}/zkm-editor/settings.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<PROPERTIES>
  <VALUE name="midiInput" val="ZKM Virtual Controller"/>
  <VALUE name="midiOutput" val="ZKM Virtual Controller"/>
  <VALUE name="presetFolder" val="${work}/ZKM Presets"/>
</PROPERTIES>
XML
ZKM_EDITOR_VIRTUAL_CONTROLLER="${work}/slots.bin" zkm_start_editor
trap 'kill ${ZKM_EDITOR_PID} 2>/dev/null || true; rm -rf "${work}"' EXIT
editor="$(zkm_wait_for_window "Quenlo ZKM Editor - Untitled 1" 20)"
sleep 1
xdotool mousemove --window "${editor}" 280 10 click 1 # Window: Minimize, Bring All to Front, Slots
sleep 0.6
xdotool key Down Down Down Return
slots="$(zkm_wait_for_window "^Slots$" 20)"
sleep 0.8
xdotool mousemove --window "${slots}" 70 23 click 1   # Read Names
sleep 3
xdotool mousemove --window "${slots}" 100 $((46 + 28 + 2 * 20 + 10)) click 1 # slot 3
sleep 0.5
xdotool mousemove --window "${slots}" 600 300
sleep 0.3
import -window "${slots}" "${out_dir}/slots.png"
