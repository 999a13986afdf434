#!/usr/bin/env bash
# Takes one screenshot per editor view at the zooms 100, 150 and 200 %: starts the editor on a
# private virtual display large enough for 200 %, clicks each of the nine tabs and saves the window
# as <folder>/<n>_<view>.png at 100 % and <folder>/<zoom>/<n>_<view>.png at the others (default
# folder: build/screenshots). Builds the editor first if it is not built. ZKM_EDITOR_BINARY may name
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
zkm_start_xvfb 2600x1600x24
mkdir -p "${out_dir}"

# Each zoom is a start of its own, with the zoom in the settings as the View menu leaves it.
export XDG_CONFIG_HOME="$(mktemp -d)"
ZKM_EDITOR_PID=""
trap 'kill ${ZKM_EDITOR_PID} 2>/dev/null || true; kill ${ZKM_XVFB_PID} 2>/dev/null || true; rm -rf "${XDG_CONFIG_HOME}"' EXIT

# The tab row lies 450 pixels down the 1200 x 700 content, under the 24-pixel menu bar; the tabs
# are 138, 7 x 132 and 138 pixels wide (tests/views/ScreenshotScriptTests.cpp keeps these lists
# true to the tab row). Clicks are given at 100 % and scaled to the zoom.
menu_bar_height=24
tab_y=$((menu_bar_height + 450 + 20))
names=(main knobs switches drum_pads roll_mode transport keybed mod_pitch sustain)
widths=(138 132 132 132 132 132 132 132 138)

for zoom in 100 150 200; do
    folder="${out_dir}"
    if [ "${zoom}" != 100 ]; then
        folder="${out_dir}/${zoom}"
    fi
    mkdir -p "${folder}" "${XDG_CONFIG_HOME}/zkm-editor"
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<PROPERTIES>\n  <VALUE name="zoomPercent" val="%s"/>\n</PROPERTIES>\n' \
        "${zoom}" >"${XDG_CONFIG_HOME}/zkm-editor/settings.xml"

    ZKM_EDITOR_BINARY="${editor}" zkm_start_editor
    status=0
    window="$(zkm_wait_for_window "Quenlo ZKM Editor" 20 "${ZKM_EDITOR_PID}")" || status=$?
    case ${status} in
        0) ;;
        2) echo "The editor ended at start (is another one running?)" >&2; exit 1 ;;
        *) echo "The editor's window did not appear" >&2; exit 1 ;;
    esac
    sleep 1

    x=0
    for i in "${!names[@]}"; do
        xdotool mousemove --window "${window}" $(((x + widths[i] / 2) * zoom / 100)) $((tab_y * zoom / 100)) click 1
        # Away from the tabs, so that no tab shows its hover picture.
        xdotool mousemove --window "${window}" $((1190 * zoom / 100)) $(((menu_bar_height + 40) * zoom / 100))
        sleep 0.7
        import -window "${window}" "${folder}/${i}_${names[i]}.png"
        x=$((x + widths[i]))
    done

    kill "${ZKM_EDITOR_PID}" 2>/dev/null || true
    wait "${ZKM_EDITOR_PID}" 2>/dev/null || true
done

echo "Screenshots of the nine views at 100, 150 and 200 %: ${out_dir}"
