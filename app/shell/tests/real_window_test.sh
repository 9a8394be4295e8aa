#!/usr/bin/env bash
# The program in a real window: on an X server of its own, keystrokes and clicks import a DXF, save it as
# a document, close, reopen the document from the command line, save it under a second name and close.
# Then a headless checker compares both documents with a headless import of the same DXF, and a
# screenshot of the reopened window stays in the output folder.
#
# usage: real_window_test.sh PROGRAM CHECKER OUTPUT_FOLDER
#
# Every wait is on a condition (a window showing or gone, a file written, a process ended), with
# timeouts generous enough for a sanitizer build on a loaded machine.
set -euo pipefail

program=$1
checker=$2
output=$3
readonly script_folder=$(cd "$(dirname "$0")" && pwd)
readonly window_timeout=180  # seconds: a sanitizer build starts slowly on a busy machine
readonly step_timeout=60
readonly screen_size=1280x800

work=$(mktemp -d "${TMPDIR:-/tmp}/cutrix-real-window-XXXXXX")
mkdir -p "$output"
rm -f "$output"/*.xwd

xvfb_pid=
program_pid=

cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

screenshot() {
    xwd -root -silent -display "$DISPLAY" >"$output/$1.xwd" 2>/dev/null || true
}

fail() {
    echo "FAILED: $*" >&2
    screenshot failure
    exit 1
}

# wait_until SECONDS WHAT COMMAND...: polls the command until it succeeds.
wait_until() {
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
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
lacks_window() { [[ -z $(window_of "$1") ]]; }
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

start_xvfb() {
    local display_file=$work/display
    Xvfb -displayfd 3 -screen 0 "${screen_size}x24" -nolisten tcp 3>"$display_file" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_until 30 "Xvfb to choose a display" file_written "$display_file"
    export DISPLAY=":$(head -n 1 "$display_file")"
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

# Sends the keys to the main window until a dialog with the title shows; its id is printed.
open_dialog_with_keys() {
    local title=$1 keys=$2 attempt
    for attempt in 1 2 3; do
        focus "$main_window" || fail "the main window cannot take the keyboard"
        xdotool key "$keys"
        if wait_until_quietly "$step_timeout" has_window "$title"; then
            window_of "$title"
            return
        fi
    done
    fail "no '$title' dialog after $keys"
}

wait_until_quietly() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Types the path into the file dialog's name field and presses Enter until the dialog is gone (the
# name field's completer may take the first Enter).
choose_file() {
    local title=$1 path=$2 attempt
    local dialog
    dialog=$(window_of "$title")
    focus "$dialog" || fail "the '$title' dialog cannot take the keyboard"
    xdotool type --delay 20 "$path"
    for attempt in 1 2 3; do
        focus "$dialog" || return 0  # it closed meanwhile
        xdotool key Return
        wait_until_quietly 20 lacks_window "$title" && return
    done
    fail "the '$title' dialog did not take $path"
}

# Opens the first menu of the menu bar with a click and moves to the item with the keys.
run_file_menu_item() {
    focus "$main_window" || fail "the main window cannot take the keyboard"
    xdotool mousemove --window "$main_window" 12 10 click 1
    xdotool key "$@" Return
}

# A click that reaches the menu bar while a passing window (a tooltip, a box just closing) holds the
# pointer opens nothing, so Exit is chosen again until the program ends.
close_program() {
    local attempt
    for attempt in 1 2 3; do
        run_file_menu_item Up  # the last item: Exit
        wait_until_quietly 20 program_ended && break
    done
    wait_until "$step_timeout" "the program to end" program_ended
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
# Qt's own file dialogs, whatever desktop the test runs under: a typed path and Enter choose the file.
export QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORMTHEME=generic
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS
# Qt's X11 platform loads the system's D-Bus library, which keeps an allocation past exit.
export LSAN_OPTIONS="suppressions=$script_folder/real_window_lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

drawing=$work/drawing.dxf
first=$work/first.lcx
second=$work/second.lcx
/usr/bin/python3 "$script_folder/real_window_drawing.py" "$drawing"

start_xvfb
: >"$output/program.log"

start_program '\[.*\]$'
# The import dialog's title is a language text: any titled window of the program other than the main one.
open_dialog_with_keys '.' ctrl+i >/dev/null
choose_file '.' "$drawing"
open_dialog_with_keys '^Save As$' ctrl+s >/dev/null
choose_file '^Save As$' "$first"
wait_until "$step_timeout" "$first to be written" file_written "$first"
# The caption names the document once the frame has finished saving and has the keyboard again.
wait_until "$step_timeout" "the caption to name first.lcx" main_title_is '\[first\.lcx\]$'
close_program

start_program '\[first\.lcx\]$' "$first"
run_file_menu_item Down Down Down Down  # New, Open, Save, Save As
wait_for_window '^Save As$' "$step_timeout" >/dev/null
choose_file '^Save As$' "$second"
wait_until "$step_timeout" "$second to be written" file_written "$second"
wait_until "$step_timeout" "the caption to name second.lcx" main_title_is '\[second\.lcx\]$'
screenshot reopened-and-saved
close_program

QT_QPA_PLATFORM=offscreen "$checker" "$drawing" "$first" "$second"
