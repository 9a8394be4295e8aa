#!/usr/bin/env bash
# Texts in a real window: on an X server of its own, the text tool places "AB" with a click, a double
# click edits it into "ABC" at height 20, the drawing is saved as a document and the program closes.
# Then a headless checker compares the document's text with what the text engine builds, and
# screenshots of both text dialogs and of the edited drawing stay in the output folder.
#
# usage: text_edit_real_window_test.sh PROGRAM CHECKER OUTPUT_FOLDER
set -euo pipefail

program=$1
checker=$2
output=$3
readonly script_folder=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=real_window_helpers.sh
source "$script_folder/real_window_helpers.sh"

# Where the text goes, in the main window: well inside the drawing view whatever the bars take.
readonly text_x=640
readonly text_y=450

# The dialog's title follows the language the program chose from the locale at its first start.
readonly text_title='^(Text|文字)$'
is_text_dialog() { has_window "$text_title"; }
# Any window of the program but the main window and the text dialog: the notice that the big SHX font
# is missing shows before the text dialog while the program folder has no SHX fonts.
other_window() {
    xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null |
        grep -vx -e "$main_window" -e "$(window_of "$text_title")" | head -n 1
}

# Waits for the text dialog, confirming the notices that come before it; prints its id.
text_dialog() {
    local deadline=$((SECONDS + step_timeout)) notice
    until is_text_dialog; do
        ((SECONDS < deadline)) || fail "no text dialog"
        notice=$(other_window)
        if [[ -n $notice ]] && focus "$notice"; then
            xdotool key Return
        fi
        sleep 0.5
    done
    window_of "$text_title"
}

# The dialog opens with the text in the keyboard; the height edit is four controls before it.
confirm_text() {
    local dialog=$1 text=$2 height=${3:-}
    focus "$dialog" || fail "the text dialog cannot take the keyboard"
    xdotool key ctrl+a
    xdotool type --delay 40 "$text"
    if [[ -n $height ]]; then
        xdotool key shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a
        xdotool type --delay 40 "$height"
    else
        xdotool key Tab
    fi
    screenshot "text-dialog-$text"
    xdotool key Return  # OK, the dialog's default button, without leaving the edit
    wait_until "$step_timeout" "the text dialog to close" window_gone "$dialog"
}

start_xvfb
: >"$output/program.log"
start_program '\[.*\]$'

press_in_main_window ctrl+7  # the text tool
xdotool mousemove --window "$main_window" "$text_x" "$text_y" click 1
confirm_text "$(text_dialog)" AB

# The new text is selected with its left-bottom corner at the click: the double click falls inside it.
focus_main_window || fail "the main window cannot take the keyboard"
xdotool mousemove --window "$main_window" $((text_x + 5)) $((text_y - 5)) click --repeat 2 --delay 80 1
confirm_text "$(text_dialog)" ABC 20
screenshot edited

document=$work/text.lcx
dialog=$(open_dialog '^Save As$' press_in_main_window ctrl+s)
choose_file "$dialog" "$document"
wait_until "$step_timeout" "$document to be written" file_written "$document"
close_program

QT_QPA_PLATFORM=offscreen "$checker" "$document"
