#!/usr/bin/env bash
# Правка > Сравнить с клавиатурой after F5: no difference, and the keyboard
# is only read. Правка > Сравнить с файлом... with a copy whose key 1,2 has
# other codes: that key is framed in the grid until the next edit.
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
layout=$(layout_file layout.xml)
other=$J_WORK/other.xml
ravlin replace "$layout" "+B -B" "+Q -Q" -o "$other" >/dev/null || fail "ravlin replace failed"
start_display
start_emulator --model 2
start_app "$layout"
grid_find 1 1
click_cell 1 1

# edit_menu_from_bottom N: the N-th entry of "Правка" counted from its end,
# the menu opened by a click on its title (the second of the menu bar).
edit_menu_from_bottom() {
  local x y
  read -r x y _ _ < <(window_geometry "$J_MAIN")
  click_at $((x + 75)) $((y + 9))
  wait_popup_menu "a click on the menu Правка" >/dev/null
  for ((i = 0; i < $1; i++)); do key Up; done
  key Return
}

# The frames of a comparison are orange, in the grid (the toolbar has orange
# icons): "W H X Y" of each.
marked_cells() {
  (J_HIGHLIGHT='#E67800' && highlight_boxes 5 "$GRID_X" "$GRID_Y" $((6 * (CELL_W + 1))) $((5 * (CELL_H + 1))))
}

log "F5, then Правка > Сравнить с клавиатурой: nothing differs, nothing is written"
state=$(checksum "$J_TMP/kbdsim.state")
key F5
wait_file_changed "$J_TMP/kbdsim.state" "$state" 40
wait_keys_on_main "after F5"
state=$(checksum "$J_TMP/kbdsim.state")
edit_menu_from_bottom 1
wait_keys_on_main "after the comparison with the keyboard"
sleep 1
[ -z "$(marked_cells)" ] || fail "the comparison with the keyboard just written marked keys"
[ "$(checksum "$J_TMP/kbdsim.state")" = "$state" ] || fail "the comparison wrote into the keyboard"

log "Правка > Сравнить с файлом...: key 1,2 differs and is framed"
edit_menu_from_bottom 2
answer_file_dialog '^Открыть$' "$other"
wait_until 10 "a framed key after the comparison with the file" eval '[ -n "$(marked_cells)" ]'
read -r w h x y <<<"$(marked_cells | head -n 1)"
[ $(((x - GRID_X) / (CELL_W + 1) + 1)) -eq 2 ] && [ $(((y - GRID_Y) / (CELL_H + 1) + 1)) -eq 1 ] ||
  fail "the frame is at $x,$y, not on key 1,2"

log "an edit (Ctrl+X on key 3,3) takes the frame away"
click_cell 3 3
key ctrl+x
wait_until 10 "the frame to go after an edit" eval '[ -z "$(marked_cells)" ]'
app_running || fail "the editor ended"
