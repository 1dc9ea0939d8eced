#!/usr/bin/env bash
# F5 writes the layout into the keyboard (the emulator of a Компакт-30), F4
# reads it back into a new document window; saved, it holds the codes written.
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
layout=$(layout_file layout.xml)
key_codes "$layout" >"$J_TMP/written.codes"
start_display
commands=$J_TMP/kbdsim-commands.log
start_emulator --model 2 --log "$commands"
start_app "$layout"
grid_find 1 1
click_cell 1 1

log "F5: the layout into the keyboard"
state=$(checksum "$J_TMP/kbdsim.state")
key F5
wait_file_changed "$J_TMP/kbdsim.state" "$state" 20
# The command-line tool waits while the editor holds the keyboard.
ravlin read-layout "$J_WORK/keyboard.xml" 2>"$J_TMP/read-layout.log" ||
  fail "the keyboard could not be read after F5: $(cat "$J_TMP/read-layout.log")"
key_codes "$J_WORK/keyboard.xml" | diff "$J_TMP/written.codes" - >"$J_TMP/keyboard.diff" ||
  fail "the keyboard holds other codes than the layout written by F5: $J_TMP/keyboard.diff"

log "F4: the keyboard's layout in a new document window, saved"
wait_keys_on_main "after F5"
sent=$(wc -l <"$commands")
key F4
wait_until 10 "F4 to read the keyboard (no command reached it; the X focus is on \"$(xdotool getwindowfocus getwindowname)\")" \
  eval '[ "$(wc -l <"$commands")" -gt "$sent" ]'
# The new window shows its selected key 1,1 beside where the first one's is.
new_window() {
  highlight_boxes | awk -v w="$CELL_W" -v h="$CELL_H" -v x="$GRID_X" \
    '$1 == w && $2 == h && $3 != x { found = 1 } END { exit !found }'
}
wait_until 10 "a new document window after F4" new_window
wait_keys_on_main "after F4"
key ctrl+s
wait_window '^Сохранить как$' "save dialog on Ctrl+S for the document read by F4" >/dev/null
answer_file_dialog '^Сохранить как$' "$J_WORK/read.xml"
wait_until 10 "read.xml to be written" test -s "$J_WORK/read.xml"
wait_file_changed "$J_WORK/read.xml" none
key_codes "$J_WORK/read.xml" | diff "$J_TMP/written.codes" - >"$J_TMP/read.diff" ||
  fail "the layout read by F4 differs from the one written: $J_TMP/read.diff"
