#!/usr/bin/env bash
# A right click on a key opens the key's menu: "Копировать" there, another
# key, a right click, "Вставить": the second key equals the first after saving.
# The Menu key opens the same menu on the selected key. In the picture view
# the menu's picture commands reach the picture window's dialogs.
source "$(dirname "$0")/lib.sh" "$@"

start_on_test_layout

# The key menu: Свойства, Свойства раскладки, Вырезать, Копировать, Вставить,
# Удалить, Поиск..., Замена..., Сгруппировать, Разгруппировать. A menu of one
# entry is some 22 pixels high, the key menu ten times that: one lower than
# 160 pixels is some other menu.
check_key_menu() {
  local menu height
  menu=$(wait_popup_menu "$1")
  read -r _ _ _ height <<<"$menu"
  screenshot "menu-$2" >/dev/null
  [ "$height" -ge 160 ] || fail "$1 opened a menu of ${height} pixels' height, not the key menu (see $J_SHOTS/menu-$2.png)"
}

log "right click on key 1,2 (+B -B): Копировать"
click_cell 2 1
click_cell 2 1 3
check_key_menu "a right click on a key" copy
key Down Down Down Down Return

log "right click on key 2,3 (+I -I): Вставить"
click_cell 3 2
click_cell 3 2 3
check_key_menu "a right click on a key" paste
key Down Down Down Down Down Return

log "the Menu key on key 3,4 (+P -P): Вставить"
click_cell 4 3
key Menu
check_key_menu "the Menu key" menukey
key Down Down Down Down Down Return

before=$(checksum "$layout")
key ctrl+s
wait_file_changed "$layout" "$before"

first=$(key_of "$layout" 1 1 2)
[ "$first" = "+B -B|" ] || fail "the copied key changed: $first"
for cell in "2 3" "3 4"; do
  for layer in 1 2; do
    got=$(key_of "$layout" "$layer" $cell)
    want=$(key_of "$layout" "$layer" 1 2)
    [ "$got" = "$want" ] || fail "layer $layer key $cell is \"$got\" after the paste, not \"$want\" as key 1,2"
  done
done

log "picture view: right click on key 2,2, the menu's last entry \"Изменить фон...\""
key ctrl+alt+p
grid_find 1 1
click_cell 2 2
click_cell 2 2 3
wait_popup_menu "a right click in the picture view" >/dev/null
key Up Return
wait_window '^Выбор цвета$' "the colour dialog of the picture view's menu" >/dev/null
key Escape
wait_window_gone '^Выбор цвета$' "the colour dialog on Escape"
app_running || fail "the editor ended"
