#!/usr/bin/env bash
# Sourced by the scripts that drive the real editor (run.sh, screenshots.sh, guide-screenshots.sh)
# and by the end-to-end tests (tests/e2e/e2e_lib.sh): starting the editor on the current X display
# and waiting for its windows. Only one editor runs at a time (it keeps a single-instance lock).

# zkm_start_editor [ARGUMENT...]: starts ${ZKM_EDITOR_BINARY} in the background with the arguments,
# in the folder ${ZKM_EDITOR_DIR} (default: this one), its output going to ${ZKM_EDITOR_LOG}
# (default: nowhere). Sets ZKM_EDITOR_PID. The editor leads a process group of its own, which the
# programs it starts (a file chooser of the desktop, such as zenity) join: zkm_stop_editor ends them
# all, even those that outlive the editor.
zkm_start_editor()
{
    (
        cd "${ZKM_EDITOR_DIR:-.}" || exit 1
        # A shell with job control has made this subshell a group leader already; setsid would fork.
        if [ "$(ps -o pgid= -p "${BASHPID}" | tr -d ' ')" = "${BASHPID}" ]; then
            exec "${ZKM_EDITOR_BINARY}" "$@" >"${ZKM_EDITOR_LOG:-/dev/null}" 2>&1
        fi
        exec setsid "${ZKM_EDITOR_BINARY}" "$@" >"${ZKM_EDITOR_LOG:-/dev/null}" 2>&1
    ) &
    ZKM_EDITOR_PID=$!
}

# zkm_stop_editor PID: ends the editor started by zkm_start_editor as PID and every process of its
# group, a file chooser left open included: asked first, killed after five seconds. Returns once the
# editor is gone.
zkm_stop_editor()
{
    local pid="$1"
    kill -TERM -- "-${pid}" 2>/dev/null || kill -TERM "${pid}" 2>/dev/null || true
    for _ in $(seq 1 50); do
        kill -0 -- "-${pid}" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL -- "-${pid}" 2>/dev/null || true
    wait "${pid}" 2>/dev/null || true
}

# zkm_wait_for_window NAME [SECONDS] [PID]: prints the id of the first visible window whose name
# matches NAME (a regular expression), once it appears. Returns 1 if none appears within SECONDS
# (default 20), and 2 if the process PID, when given, ends first (another editor running holds the
# single-instance lock, or the editor failed at start).
zkm_wait_for_window()
{
    local name="$1" seconds="${2:-20}" pid="${3:-}" id=""
    for _ in $(seq 1 $((seconds * 10))); do
        id="$(xdotool search --onlyvisible --name "${name}" 2>/dev/null | head -n 1 || true)"
        if [ -n "${id}" ]; then
            echo "${id}"
            return 0
        fi
        if [ -n "${pid}" ] && ! kill -0 "${pid}" 2>/dev/null; then
            return 2
        fi
        sleep 0.1
    done
    return 1
}
