#!/usr/bin/env bash
# Ctrl+V with the focus on a line of the docked message window goes to its
# key ("Перейти к клавише") and pastes nothing; Ctrl+V in the grid pastes.
source "$(dirname "$0")/lib.sh" "$@"

start_on_test_layout

log "key 1,1 copied, key 1,2 selected"
click_cell 1 1
key ctrl+c
click_cell 2 1

log "Ctrl+F C: the message window lists key 1,3"
key ctrl+alt+m
key ctrl+f
find=$(wait_window '^Поиск$' "find dialog")
wait_active "$find" "the find dialog"
type_text C
key Return
wait_window_gone '^Поиск$' "the find dialog"

# The message list fills the docked window (160 pixels high by the settings)
# at the bottom of the main window: a click into it gives it the focus, Down
# selects its first line.
read -r main_x main_y main_w main_h < <(window_geometry "$J_MAIN")
click_at $((main_x + main_w / 2)) $((main_y + main_h - 50))
key Down
list_line() { highlight_boxes 5 "$main_x" $((main_y + main_h - 250)) "$main_w" 250 | awk -v w="$main_w" '$1 > w / 2 { found = 1 } END { exit !found }'; }
wait_until 10 "a selected line in the message window" list_line

log "Ctrl+V in the message list: to key 1,3"
key ctrl+v
wait_selected_cell 3 1 "Ctrl+V on the message line of key 1,3"

log "Ctrl+V in the grid at key 1,5: key 1,1 pasted"
click_cell 5 1
before=$(checksum "$layout")
key ctrl+v
key ctrl+s
wait_file_changed "$layout" "$before"
codes=$(key_of "$layout" 1 1 5)
[ "$codes" = "+A -A|" ] || fail "Ctrl+V in the grid left key 1,5 \"$codes\", not key 1,1's \"+A -A|\""
codes=$(key_of "$layout" 1 1 2)
[ "$codes" = "+B -B|" ] || fail "key 1,2 became \"$codes\": the Ctrl+V in the message list pasted"
