#!/usr/bin/env bash
# Takes one screenshot per editor view: starts the editor on a private virtual display, clicks each
# of the nine tabs and saves the window as <folder>/<n>_<view>.png (default folder:
# build/screenshots). Builds the editor first if it is not built. ZKM_EDITOR_BINARY may name
# another binary. Only one editor runs at a time: close any other one first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out_dir="${1:-${root}/build/screenshots}"
editor="${ZKM_EDITOR_BINARY:-${ZKM_BUILD_DIR:-${root}/build}/bin/ZKMEditor}"

if [ ! -x "${editor}" ]; then
    bash "${root}/scripts/build.sh" -DZKM_BUILD_TESTS=OFF
fi

source "${root}/scripts/xvfb.sh"
source "${root}/scripts/editor.sh"
zkm_start_xvfb
mkdir -p "${out_dir}"

ZKM_EDITOR_BINARY="${editor}" zkm_start_editor
trap 'kill ${ZKM_EDITOR_PID} 2>/dev/null || true; kill ${ZKM_XVFB_PID} 2>/dev/null || true' EXIT

status=0
window="$(zkm_wait_for_window "Quenlo ZKM Editor" 20 "${ZKM_EDITOR_PID}")" || status=$?
case ${status} in
    0) ;;
    2) echo "The editor ended at start (is another one running?)" >&2; exit 1 ;;
    *) echo "The editor's window did not appear" >&2; exit 1 ;;
esac
sleep 1

# The tab row lies 450 pixels down the 1200 x 700 content, under the 24-pixel menu bar; the tabs
# are 138, 7 x 132 and 138 pixels wide (tests/views/ScreenshotScriptTests.cpp keeps these lists
# true to the tab row).
menu_bar_height=24
tab_y=$((menu_bar_height + 450 + 20))
names=(main knobs switches drum_pads roll_mode transport keybed mod_pitch sustain)
widths=(138 132 132 132 132 132 132 132 138)
x=0
for i in "${!names[@]}"; do
    xdotool mousemove --window "${window}" $((x + widths[i] / 2)) "${tab_y}" click 1
    # Away from the tabs, so that no tab shows its hover picture.
    xdotool mousemove --window "${window}" 1190 $((menu_bar_height + 40))
    sleep 0.7
    import -window "${window}" "${out_dir}/${i}_${names[i]}.png"
    x=$((x + widths[i]))
done

echo "Screenshots of the nine views: ${out_dir}"
