#!/usr/bin/env bash
# A layout opened from the command line, two keys edited in the key dialog
# (opened by Enter and by a double click, the codes typed), Ctrl+S; a fresh
# run reads the file back as it was saved.
source "$(dirname "$0")/lib.sh" "$@"

start_on_test_layout

# edit_codes COL ROW CODES: types CODES as the press codes of the key in the
# shown key dialog. Its fields are the white areas of a line's height, the
# field "При нажатии:" the first from the top; a click there, CODES typed,
# Escape hides the dialog.
edit_codes() {
  local dialog x y width height field= fx fy fw fh end=$((SECONDS + 5))
  dialog=$(wait_window "^Клавиша \\($2,$1\\)\$" "key dialog of key $2,$1")
  read -r x y width height < <(window_geometry "$dialog")
  until [ -n "$field" ]; do
    [ "$SECONDS" -lt "$end" ] || fail "no field \"При нажатии:\" in the key dialog"
    field=$(convert "$(screenshot key-dialog)" -crop "${width}x${height}+$x+$y" +repage -fill black +opaque white \
      -define connected-components:verbose=true -connected-components 4 null: |
      awk '$NF == "srgb(255,255,255)" { split($2, g, /[x+]/); if (g[1] >= 100 && g[2] >= 12 && g[2] <= 40) print g[4], g[3], g[1], g[2] }' |
      sort -n | head -n 1)
  done
  read -r fy fx fw fh <<<"$field"
  click_at $((x + fx + fw / 2)) $((y + fy + fh / 2))
  key ctrl+a
  type_text "$3"
  key Escape
  wait_window_gone "^Клавиша " "the key dialog on Escape"
}

log "key 2,2: Enter, codes typed"
click_cell 2 2
key Return
edit_codes 2 2 "+Q -Q +W -W"

log "key 3,3: double click, codes typed"
double_click_cell() { double_click_at "$(cell_x "$1")" "$(cell_y "$2")"; }
double_click_cell 3 3
edit_codes 3 3 "+LShift +1 -1 -LShift"

before=$(checksum "$layout")
click_cell 1 1
key ctrl+s
wait_file_changed "$layout" "$before"
for want in "2 2 +Q -Q +W -W|" "3 3 +LShift +1 -1 -LShift|"; do
  set -- $want
  got=$(key_of "$layout" 1 "$1" "$2")
  [ "$got" = "${want#* * }" ] || fail "key $1,$2 was saved as \"$got\", not \"${want#* * }\""
done

log "a fresh run reads it back"
key alt+F4
wait_app_exit 10
start_app "$layout"
key ctrl+alt+s
answer_file_dialog '^Сохранить как$' "$J_WORK/again.xml"
wait_until 10 "again.xml to be written" test -s "$J_WORK/again.xml"
wait_file_changed "$J_WORK/again.xml" none
diff <(ravlin dump "$layout") <(ravlin dump "$J_WORK/again.xml") >"$J_TMP/reread.diff" ||
  fail "the layout read back differs from the one saved: $J_TMP/reread.diff"
