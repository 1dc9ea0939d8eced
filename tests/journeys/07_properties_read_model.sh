#!/usr/bin/env bash
# The layout properties (F11): "Прочитать" takes the model from the keyboard
# (the emulator of a Сектор-48), Enter confirms it: the saved layout is one of
# model 4.
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
layout=$(layout_file layout.xml)
start_display
start_emulator --model 4 --log "$J_TMP/kbdsim-commands.log"
start_app "$layout"
grid_find 1 1
click_cell 1 1

log "F11, Прочитать"
key F11
dialog=$(wait_window '^Свойства раскладки$' "layout properties dialog on F11")
wait_active "$dialog" "the layout properties dialog"
# The buttons OK, Прочитать, Отмена stand in the dialog's lower right corner.
read -r x y width height < <(window_geometry "$dialog")
commands=$(wc -l <"$J_TMP/kbdsim-commands.log")
click_at $((x + width - 142)) $((y + height - 23))
wait_until 10 "a command to reach the keyboard after the click on Прочитать" \
  eval '[ "$(wc -l <"$J_TMP/kbdsim-commands.log")" -gt "$commands" ]'
screenshot model-read >/dev/null

log "Enter confirms"
key Return
wait_window_gone '^Свойства раскладки$' "the layout properties dialog on Enter"
before=$(checksum "$layout")
key ctrl+s
end=$((SECONDS + 10))
until [ "$(checksum "$layout")" != "$before" ]; do
  [ "$SECONDS" -lt "$end" ] || fail "Ctrl+S wrote nothing: Enter left the layout unchanged (see $J_SHOTS/model-read.png)"
  sleep 0.1
done
wait_file_changed "$layout" "$before"
model=$(ravlin dump "$layout" | awk -F'[:,]' '/"keyboardId"/ { print $2 + 0 }')
[ "$model" = 4 ] || fail "the layout's model is $model after Прочитать and Enter, not the keyboard's 4"
