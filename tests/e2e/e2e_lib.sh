#!/usr/bin/env bash
# Shared steps of the end-to-end tests: start the real editor on the test's X display with the
# virtual controller on a slot file, wait for windows, click and type like a user (xdotool), answer
# whichever file chooser the editor shows (the framework's own, or the desktop's zenity where it is
# installed), and stop the editor and every program it started whatever happens. Sourced by the
# test_*.sh scripts.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/editor.sh"

: "${ZKM_EDITOR_BINARY:?ZKM_EDITOR_BINARY must name the ZKMEditor binary}"
: "${DISPLAY:?DISPLAY must name an X display}"

readonly e2e_timeout=20          # seconds to wait for a window or an effect
readonly image_length=465        # bytes of one preset image
readonly number_of_slots=24
readonly menu_bar_height=24      # the editor's menu bar, above the 1200 x 700 content
readonly edit_menu_x=75          # the middles of the menu titles "Edit" to "Help"
readonly view_menu_x=130
readonly options_menu_x=200
readonly window_menu_x=280
readonly help_menu_x=350
readonly dump_head_hex="f0007e51004061035100"

e2e_work="$(mktemp -d /tmp/zkm_e2e.XXXXXX)"

# The editor remembers its MIDI devices in the configuration folder: each test has its own.
export XDG_CONFIG_HOME="${e2e_work}/config"
e2e_editor_pids=() # each leads the process group of an editor and the choosers it started
e2e_helper_pids=() # other programs the test started

e2e_cleanup()
{
    local status=$? pid
    for pid in "${e2e_editor_pids[@]}"; do
        zkm_stop_editor "${pid}"
    done
    for pid in "${e2e_helper_pids[@]}"; do
        kill "${pid}" 2>/dev/null || true
    done
    for pid in "${e2e_helper_pids[@]}"; do
        wait "${pid}" 2>/dev/null || true
    done
    # A sanitizer build of the editor reports into its log; any report fails the test.
    if grep -qE "ERROR: [A-Za-z]+Sanitizer|WARNING: ThreadSanitizer|runtime error:" "${e2e_work}/editor.log" 2>/dev/null; then
        echo "FAIL: the editor reported a sanitizer error:" >&2
        cat "${e2e_work}/editor.log" >&2
        status=1
    fi
    rm -rf "${e2e_work}"
    # A test that needs a screen of another size runs its own display.
    if [ -n "${e2e_own_xvfb_pid:-}" ]; then
        kill "${e2e_own_xvfb_pid}" 2>/dev/null || true
    fi
    exit "${status}"
}
trap e2e_cleanup EXIT
# A test stopped from outside (CTest's timeout, Ctrl+C) cleans up as well.
trap 'exit 143' TERM
trap 'exit 130' INT

fail()
{
    echo "FAIL: $*" >&2
    import -window root "${e2e_work}/failure.png" 2>/dev/null && cp "${e2e_work}/failure.png" "/tmp/zkm_e2e_failure_$(basename "$0" .sh)_${DISPLAY#:}.png" 2>/dev/null || true
    exit 1
}

# Writes a slot file of 24 distinct preset images; every byte is 7-bit, as on the wire.
make_slot_file()
{
    python3 - "$1" "${number_of_slots}" "${image_length}" <<'PY'
import sys
path, slots, length = sys.argv[1], int (sys.argv[2]), int (sys.argv[3])
with open (path, "wb") as f:
    f.write (bytes ((i * 7 + slot * 13 + 1) % 128 for slot in range (slots) for i in range (length)))
PY
}

# Prints the bytes of one slot of a slot file as hex.
slot_hex()
{
    python3 -c "import sys; d = open (sys.argv[1], 'rb').read(); n = int (sys.argv[2]) * int (sys.argv[3]); print (d[n:n + int (sys.argv[3])].hex())" \
        "$1" "$2" "${image_length}"
}

# Writes a preset file that holds the given slot's image of a slot file.
make_preset_file_from_slot()
{
    python3 -c "import sys; d = open (sys.argv[1], 'rb').read(); n = int (sys.argv[2]) * int (sys.argv[4]); open (sys.argv[3], 'wb').write (bytes.fromhex ('${dump_head_hex}') + d[n:n + int (sys.argv[4])] + bytes ([0xf7]))" \
        "$1" "$2" "$3" "${image_length}"
}

file_hex()
{
    python3 -c "import sys; print (open (sys.argv[1], 'rb').read().hex())" "$1"
}

# Starts the editor in the work folder with the virtual controller on the slot file; extra
# arguments go to the editor. Sets editor_pid.
start_editor()
{
    local slot_file="$1"
    shift
    ZKM_EDITOR_DIR="${e2e_work}" ZKM_EDITOR_LOG="${e2e_work}/editor.log" \
        ZKM_EDITOR_VIRTUAL_CONTROLLER="${slot_file}" zkm_start_editor "$@"
    editor_pid="${ZKM_EDITOR_PID}"
    e2e_editor_pids+=("${editor_pid}")
}

# Prints the id of the first visible window whose name matches, waiting for it to appear.
wait_for_window()
{
    local name="$1" id="" status=0
    id="$(zkm_wait_for_window "${name}" "${e2e_timeout}" "${editor_pid:-}")" || status=$?
    case ${status} in
        0) ;;
        2) fail "the editor ended while waiting for \"${name}\" (is another instance running?)" ;;
        *) fail "no window named \"${name}\" within ${e2e_timeout} s" ;;
    esac
    sleep 0.3 # let it paint and take input
    echo "${id}"
}

wait_for_window_gone()
{
    local name="$1"
    for _ in $(seq 1 $((e2e_timeout * 10))); do
        if [ -z "$(xdotool search --onlyvisible --name "${name}" 2>/dev/null || true)" ]; then
            return 0
        fi
        sleep 0.1
    done
    fail "the window \"${name}\" is still there after ${e2e_timeout} s"
}

count_windows()
{
    xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l
}

wait_for_exit()
{
    local pid="$1"
    for _ in $(seq 1 $((e2e_timeout * 10))); do
        if ! kill -0 "${pid}" 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    fail "the editor is still running after ${e2e_timeout} s"
}

# Makes the atoms of the window manager's close request exist on the display, as a window manager
# would, for the rest of the test. The editor looks them up only if they exist, once at its start,
# so this runs before start_editor; an X client holds them, since the display forgets its atoms
# whenever its last client leaves.
provide_close_request_atoms()
{
    python3 -c '
import ctypes, sys, time
x11 = ctypes.cdll.LoadLibrary ("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
display = x11.XOpenDisplay (None)
x11.XInternAtom (display, b"WM_PROTOCOLS", 0)
x11.XInternAtom (display, b"WM_DELETE_WINDOW", 0)
x11.XSync (display, 0)
print ("ready", flush = True)
time.sleep (3600)
' >"${e2e_work}/atoms.log" 2>&1 &
    e2e_helper_pids+=($!)
    for _ in $(seq 1 50); do
        grep -q ready "${e2e_work}/atoms.log" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "could not provide the atoms of the close request"
}

# Asks a window to close as a window manager's close button does: the WM_DELETE_WINDOW message.
# There is no window manager on the test display, and xdotool only destroys or kills. Needs
# provide_close_request_atoms before the editor starts.
request_window_close()
{
    python3 - "$1" <<'PY'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary ("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

class XClientMessageEvent (ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class XEvent (ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]

x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER (XEvent)]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

client_message = 33
display = x11.XOpenDisplay (None)
window = int (sys.argv[1])
event = XEvent()
event.xclient.type = client_message
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom (display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom (display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent (display, window, 0, 0, ctypes.byref (event))
x11.XFlush (display)
x11.XCloseDisplay (display)
PY
    sleep 0.3
}

# Clicks at a point of a window, given relative to its top-left corner.
click()
{
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}

# Clicks a point of the editor content (1200 x 700, below the menu bar) of a document window.
click_content()
{
    click "$1" "$2" $(($3 + menu_bar_height))
}

# The four preset buttons of the main view: 249 x 35 at x 5, from y 495 in the content, 45 apart.
click_preset_button()
{
    local window="$1" index="$2"
    click_content "${window}" 120 $((490 + 5 + index * 45 + 17))
}

# Picks a menu entry: the menu's title in the menu bar, then the entry's row in the menu.
choose_menu_entry()
{
    local window="$1" menu_x="$2" row="$3"
    click "${window}" "${menu_x}" 10
    wait_for_window "^menu$" >/dev/null
    click "${window}" $((menu_x + 20)) $((menu_bar_height + 13 + row * 22))
}

# Runs an action that opens a window, then waits for the window and prints its id. A menu or a
# button takes in a click too soon on a busy machine and ignores it (the machine delays the
# program, not the click), so the action is repeated, up to three times, until the window shows.
open_with_retries()
{
    local title="$1" id="" status=0
    shift
    for _ in 1 2 3; do
        "$@"
        status=0
        id="$(zkm_wait_for_window "${title}" $((e2e_timeout / 2)) "${editor_pid:-}")" || status=$?
        case ${status} in
            0) sleep 0.3; echo "${id}"; return 0 ;;
            2) fail "the editor ended while waiting for \"${title}\"" ;;
        esac
        xdotool key Escape # closes a menu left open
        sleep 0.3
    done
    fail "no window named \"${title}\" after three tries"
}

open_from_menu() { open_with_retries "$4" choose_menu_entry "$1" "$2" "$3"; }
open_from_preset_button() { open_with_retries "$3" click_preset_button "$1" "$2"; }

# Whether the window is zenity's file chooser, which the framework runs instead of its own where
# zenity is installed.
is_zenity_chooser()
{
    xprop -id "$1" WM_CLASS 2>/dev/null | grep -q '"zenity"'
}

# Answers zenity's chooser (a GTK file chooser) with a full path, and returns once it has closed. With
# no window manager it gets the keyboard focus only when given it. Alt+Home leaves the list of recent
# files that a folder chooser starts in, and Ctrl+L opens the location box, where the path replaces
# whatever is there. Return takes a file at once; in a folder chooser it first moves into the folder,
# and a second Return takes it. The window that had the focus gets it back, as a window manager
# would give it.
answer_zenity_chooser()
{
    local chooser="$1" title="$2" path="$3" focused
    focused="$(xdotool getwindowfocus 2>/dev/null || true)"
    xdotool windowfocus --sync "${chooser}"
    xdotool key alt+Home
    sleep 0.3
    xdotool key ctrl+l
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 5 "${path}"
    sleep 0.3
    xdotool key Return
    if [ -d "${path}" ]; then
        sleep 1
        if [ -n "$(xdotool search --onlyvisible --name "${title}" 2>/dev/null || true)" ]; then
            xdotool windowfocus --sync "${chooser}" 2>/dev/null && xdotool key Return
        fi
    fi
    wait_for_window_gone "${title}"
    if [ -n "${focused}" ]; then
        xdotool windowfocus "${focused}" 2>/dev/null || true
        sleep 0.3
    fi
}

# Answers the file chooser with that title with the full path of a file: the framework's own (the
# path typed into its file box, then Return) or zenity's.
answer_file_dialog()
{
    local title="$1" path="$2" dialog
    dialog="$(wait_for_window "${title}")"
    if is_zenity_chooser "${dialog}"; then
        answer_zenity_chooser "${dialog}" "${title}" "${path}"
        return
    fi
    click "${dialog}" 300 436
    xdotool type --delay 5 "${path}"
    xdotool key Return
    sleep 0.3
    # A typed path first moves the dialog to its folder; the second Return takes the file.
    if [ -n "$(xdotool search --onlyvisible --name "${title}" 2>/dev/null || true)" ]; then
        xdotool key Return
    fi
    wait_for_window_gone "${title}"
}

# Chooses slot number n (1 to 24) in an open Get or Send dialog and presses its action button.
choose_slot_and_press()
{
    local dialog="$1" slot="$2" keys=()
    click "${dialog}" 200 34
    wait_for_window "^menu$" >/dev/null
    for _ in $(seq 2 "${slot}"); do
        keys+=(Down)
    done
    xdotool key "${keys[@]}" Return
    sleep 0.3
    click "${dialog}" 87 77
}

# Chooses the virtual controller as input and output in the device setup dialog, then OK.
choose_virtual_controller()
{
    local editor_window="$1" setup
    setup="$(open_from_menu "${editor_window}" "${options_menu_x}" 0 "Editor Device Manager")"
    click "${setup}" 80 80
    click "${setup}" 80 250
    click "${setup}" 52 397
    wait_for_window_gone "Editor Device Manager"
}

# Starts File > Hardware > Back Up All Slots... into the folder: the eighth entry of File opens
# Hardware, whose seventh entry is the backup; the framework's folder chooser moves to the typed folder
# and its "Open" button takes it (zenity's takes the typed folder as answer_zenity_chooser does).
# Returns once the chooser has closed and the backup runs.
start_backup_into()
{
    local editor_window="$1" folder="$2" chooser
    click "${editor_window}" 20 10
    wait_for_window "^menu$" >/dev/null
    click "${editor_window}" 40 $((menu_bar_height + 13 + 7 * 22))
    sleep 0.5
    xdotool key Down Down Down Down Down Down Down Return

    chooser="$(wait_for_window "Choose a Folder for the Backup")"
    if is_zenity_chooser "${chooser}"; then
        answer_zenity_chooser "${chooser}" "Choose a Folder for the Backup" "${folder}"
        return
    fi
    click "${chooser}" 300 436
    xdotool type --delay 5 "${folder}"
    xdotool key Return
    sleep 0.5
    click "${chooser}" 544 475
    wait_for_window_gone "Choose a Folder for the Backup"
}

# The height of a window, in pixels.
window_height()
{
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^HEIGHT=//p'
}

# A document window is this high without its transfer strip: the menu bar and the content.
readonly document_height=$((menu_bar_height + 700))

# Waits until a document window shows its transfer strip (it grows by it).
wait_for_transfer_strip()
{
    for _ in $(seq 1 $((e2e_timeout * 20))); do
        [ "$(window_height "$1")" -gt "${document_height}" ] && return 0
        sleep 0.05
    done
    fail "no transfer strip showed within ${e2e_timeout} s"
}

# Waits until a document window's transfers are over: its strip has gone.
wait_for_transfer_end()
{
    for _ in $(seq 1 $((e2e_timeout * 10))); do
        [ "$(window_height "$1")" -eq "${document_height}" ] && return 0
        sleep 0.1
    done
    fail "the transfer strip is still there after ${e2e_timeout} s"
}

# Waits until the given slot of the slot file holds the expected hex bytes.
wait_for_slot()
{
    local slot_file="$1" slot="$2" expected="$3"
    for _ in $(seq 1 $((e2e_timeout * 10))); do
        if [ "$(slot_hex "${slot_file}" "${slot}")" = "${expected}" ]; then
            return 0
        fi
        sleep 0.1
    done
    fail "slot ${slot} of the slot file does not hold the sent preset"
}
