#!/usr/bin/env bash
# Builds and starts the editor. Without a display it starts the editor on a virtual display,
# saves a screenshot of its window and says where it is. Extra arguments go to the editor
# (for example a preset file to open).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "${root}/scripts/install-deps.sh"
build_dir="${ZKM_BUILD_DIR:-${root}/build}"
ZKM_BUILD_DIR="${build_dir}" bash "${root}/scripts/build.sh" -DZKM_BUILD_TESTS=OFF

editor="${build_dir}/bin/ZKMEditor"
if [ ! -x "${editor}" ]; then
    echo "The build finished without ${editor}: the editor cannot be started." >&2
    exit 1
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "${editor}" "$@"
fi

source "${root}/scripts/xvfb.sh"
source "${root}/scripts/editor.sh"
zkm_start_xvfb
ZKM_EDITOR_BINARY="${editor}" ZKM_EDITOR_LOG=/dev/stdout zkm_start_editor "$@"
editor_pid="${ZKM_EDITOR_PID}"
window="$(zkm_wait_for_window "Quenlo ZKM Editor" 10 "${editor_pid}" || true)"
sleep 2
screenshot="${build_dir}/ZKMEditor-screenshot.png"
if [ -n "${window}" ]; then
    import -window "${window}" "${screenshot}"
else
    import -window root "${screenshot}"
fi
kill "${editor_pid}" 2>/dev/null || true
wait "${editor_pid}" 2>/dev/null || true
echo "No display was available: the editor ran on a virtual display. Screenshot: ${screenshot}"
