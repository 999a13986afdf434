#!/usr/bin/env bash
# Sourced by the other scripts: starts a private Xvfb display and exports DISPLAY. The display is
# stopped when the sourcing shell exits. It never resets: by default Xvfb resets when its last client
# goes, and a test program that connects during that reset may lose its connection (a SIGPIPE seen
# once on a busy machine).
# zkm_start_xvfb [WIDTHxHEIGHTxDEPTH]: the screen's size, 1920x1080x24 unless given.
zkm_start_xvfb()
{
    local n screen="${1:-1920x1080x24}"
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
            Xvfb ":${n}" -screen 0 "${screen}" -nolisten tcp -noreset >/dev/null 2>&1 &
            ZKM_XVFB_PID=$!
            export DISPLAY=":${n}"
            for _ in $(seq 1 100); do
                if xdpyinfo >/dev/null 2>&1; then
                    trap 'kill ${ZKM_XVFB_PID} 2>/dev/null || true' EXIT
                    return 0
                fi
                if ! kill -0 "${ZKM_XVFB_PID}" 2>/dev/null; then
                    break
                fi
                sleep 0.1
            done
            kill "${ZKM_XVFB_PID}" 2>/dev/null || true
        fi
    done
    echo "Could not start Xvfb" >&2
    return 1
}
