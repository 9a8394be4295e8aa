# Shared by the real-window tests: an X server of their own, the program found by its windows and driven
# by keystrokes and clicks, screenshots, and a fresh program folder and environment for the run.
#
# Sourced by a test script after it has set `program` (the program to start) and `output` (the folder
# that keeps the log and the screenshots), and `script_folder`. It makes a work folder ($work), removed
# at exit together with the X server and the program.
#
# Every wait is on a condition (a window showing or gone, a file written, a process ended), with
# timeouts generous enough for a sanitizer build on a loaded machine.
readonly window_timeout=180  # seconds: a sanitizer build starts and ends slowly on a busy machine
readonly step_timeout=60
readonly retry_after=15  # seconds without an answer before a key or click is given again
readonly retries=8
readonly screen_size=1280x800

work=$(mktemp -d "${TMPDIR:-/tmp}/cutrix-real-window-XXXXXX")
mkdir -p "$output"
rm -f "$output"/*.xwd

xvfb_pid=
program_pid=
main_window=
root_window=

cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

screenshot() {
    xwd -root -silent -display "${DISPLAY:-}" >"$output/$1.xwd" 2>/dev/null || true
}

# The program's visible windows with their titles, to tell what stood in the way.
list_windows() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        echo "  window $window: '$(xdotool getwindowname "$window" 2>/dev/null)'"
    done
}

fail() {
    echo "FAILED: $*" >&2
    if [[ -n $program_pid ]]; then
        echo "the program's visible windows:" >&2
        list_windows >&2
    fi
    screenshot failure
    exit 1
}

# wait_until SECONDS WHAT COMMAND...: polls the command until it succeeds.
wait_until() {
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    wait_until_quietly "$deadline" "$@" || fail "timed out waiting for $what"
}

# wait_until_quietly DEADLINE COMMAND...: false when the command has not succeeded by then.
wait_until_quietly() {
    local deadline=$1
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# The id of the program's visible window, other than its main window, whose title matches the pattern;
# nothing when there is none.
window_of() {
    xdotool search --all --onlyvisible --pid "$program_pid" --name "$1" 2>/dev/null |
        grep -vx "${main_window:-none}" | head -n 1
}

has_window() { [[ -n $(window_of "$1") ]]; }
# A menu's window may show before it has a title.
has_untitled_window() {
    xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main_window" | grep -q .
}
window_gone() { ! xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -qx "$1"; }
main_window_gone() { window_gone "$main_window"; }
main_title_is() { [[ $(xdotool getwindowname "$main_window" 2>/dev/null) =~ $1 ]]; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
file_written() { [[ -s $1 ]]; }

wait_for_window() {
    wait_until "$2" "a window titled '$1'" has_window "$1"
    window_of "$1"
}

# No window manager runs: a window gets the keyboard by being given the input focus. False when the
# window went away meanwhile.
focus() {
    timeout "$step_timeout" xdotool windowfocus --sync "$1" 2>/dev/null
}

# Qt takes its window for the active one (whose shortcuts work) only when it hears the focus arrive, and
# it hears nothing when the focus is there already: the focus can stay on the main window while a wait
# box comes and goes, and Qt then keeps no window active. So the focus passes by the root window first.
focus_main_window() {
    xdotool windowfocus "$root_window" 2>/dev/null || true
    focus "$main_window"
}

start_xvfb() {
    local display_file=$work/display
    Xvfb -displayfd 3 -screen 0 "${screen_size}x24" -nolisten tcp 3>"$display_file" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_until 30 "Xvfb to choose a display" file_written "$display_file"
    export DISPLAY=":$(head -n 1 "$display_file")"
    root_window=$(xdotool search --maxdepth 0 --name '')
}

# start_program TITLE [ARGUMENT...]: the main window is found by its title, "<software>-[<document>]".
# Without a window manager nobody maximises the window: Qt's -geometry gives it the whole screen.
start_program() {
    local title=$1
    shift
    main_window=
    "$program" -geometry "${screen_size}+0+0" "$@" >>"$output/program.log" 2>&1 &
    program_pid=$!
    main_window=$(wait_for_window "$title" "$window_timeout")
}

# Opens the first menu of the menu bar with a click and moves to the item with the keys. Escape first
# closes a menu that an earlier try left open. The keys wait for the menu to show (it is the program's
# other window then): without it they would reach the drawing, where arrows move the selection.
run_file_menu_item() {
    focus_main_window || return 0
    xdotool key Escape
    xdotool mousemove --window "$main_window" 12 10 click 1
    wait_until_quietly $((SECONDS + retry_after)) has_untitled_window || return 0  # the caller tries again
    xdotool key "$@" Return
}

# open_dialog TITLE ACTION...: runs the action (a function and its arguments) until a window with the
# title shows; its id is printed. A key or click can be lost: one that reaches the window while the
# import's wait box holds the keyboard, a click while a passing window holds the pointer. Trying again
# is safe: a modal dialog that is merely slow to show blocks a second try.
open_dialog() {
    local title=$1 attempt
    shift
    for ((attempt = 1; attempt <= retries; ++attempt)); do
        "$@"
        if wait_until_quietly $((SECONDS + retry_after)) has_window "$title"; then
            window_of "$title"
            return
        fi
    done
    fail "no '$title' window after $*"
}

press_in_main_window() {
    focus_main_window || fail "the main window cannot take the keyboard"
    xdotool key "$@"
}

# Types the path into the file dialog's name field, over what it holds, and presses Enter until the
# dialog is gone. The field's completer may take the first Enter; and on a busy machine a keystroke can
# go astray while the completer's list opens (the dialog then opens a folder instead), so the path is
# typed again.
choose_file() {
    local dialog=$1 path=$2 attempt
    for ((attempt = 1; attempt <= 3; ++attempt)); do
        focus "$dialog" || return 0  # it closed meanwhile
        xdotool key ctrl+a
        xdotool type --delay 20 "$path"
        for _ in 1 2; do
            focus "$dialog" || return 0
            xdotool key Return
            wait_until_quietly $((SECONDS + retry_after)) window_gone "$dialog" && return
        done
    done
    fail "the file dialog did not take $path"
}

# Exit is the last item of the File menu. Once the main window has gone the process still saves the
# settings and, under a sanitizer, checks its memory before it ends.
close_program() {
    local attempt
    for ((attempt = 1; attempt <= retries; ++attempt)); do
        main_window_gone && break
        run_file_menu_item Up
        wait_until_quietly $((SECONDS + retry_after)) main_window_gone && break
    done
    main_window_gone || fail "the main window stayed after Exit"
    wait_until "$window_timeout" "the program to end" program_ended
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    ((status == 0)) || fail "the program ended with status $status"
}

export CUTRIX_HOME=$work/home
export XDG_RUNTIME_DIR=$work/run
export CUTRIX_HANDOVER=$work/handover
mkdir -p "$CUTRIX_HOME" "$CUTRIX_HANDOVER"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The controller is looked for on the serial ports first: an empty folder of ports means there is none,
# so start-up neither writes to this machine's serial ports nor waits on them.
export CUTRIX_SERIAL_DIR=$work/no-serial-ports
mkdir -p "$CUTRIX_SERIAL_DIR"
# Qt's own file dialogs, whatever desktop the test runs under: a typed path and Enter choose the file.
export QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORMTHEME=generic
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS
# Qt's X11 platform loads the system's D-Bus library, which keeps an allocation past exit.
export LSAN_OPTIONS="suppressions=$script_folder/real_window_lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

