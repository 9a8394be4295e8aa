#!/usr/bin/env bash
# The program in a real window: on an X server of its own, keystrokes and clicks import a DXF, save it as
# a document, close, reopen the document from the command line, save it under a second name and close.
# The first document open again, a second copy started with the second document hands it over to the
# running copy. Then a headless checker compares both documents with a headless import of the same DXF,
# and screenshots of the reopened and the handed-over window stay in the output folder.
#
# usage: real_window_test.sh PROGRAM CHECKER OUTPUT_FOLDER
set -euo pipefail

program=$1
checker=$2
output=$3
readonly script_folder=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=real_window_helpers.sh
source "$script_folder/real_window_helpers.sh"

drawing=$work/drawing.dxf
first=$work/first.lcx
second=$work/second.lcx
/usr/bin/python3 "$script_folder/real_window_drawing.py" "$drawing"

start_xvfb
: >"$output/program.log"

start_program '\[.*\]$'
# The import dialog's title is a language text: any titled window of the program other than the main
# one. Ctrl+I is given once: a second one would start a second import after the first.
press_in_main_window ctrl+i
dialog=$(wait_for_window '.' "$step_timeout")
choose_file "$dialog" "$drawing"
dialog=$(open_dialog '^Save As$' press_in_main_window ctrl+s)
choose_file "$dialog" "$first"
wait_until "$step_timeout" "$first to be written" file_written "$first"
# The caption names the document once the frame has finished saving and has the keyboard again.
wait_until "$step_timeout" "the caption to name first.lcx" main_title_is '\[first\.lcx\]$'
close_program

start_program '\[first\.lcx\]$' "$first"
dialog=$(open_dialog '^Save As$' run_file_menu_item Down Down Down Down)  # New, Open, Save, Save As
choose_file "$dialog" "$second"
wait_until "$step_timeout" "$second to be written" file_written "$second"
wait_until "$step_timeout" "the caption to name second.lcx" main_title_is '\[second\.lcx\]$'
screenshot reopened-and-saved
close_program

# A second copy started with a document hands it to the running copy and ends: the running copy shows it.
start_program '\[first\.lcx\]$' "$first"
timeout "$window_timeout" "$program" "$second" >>"$output/program.log" 2>&1 || fail "the second copy did not end at once"
wait_until "$step_timeout" "the running copy to show second.lcx" main_title_is '\[second\.lcx\]$'
screenshot handed-over
close_program

QT_QPA_PLATFORM=offscreen "$checker" "$drawing" "$first" "$second"
