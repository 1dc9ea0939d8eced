#!/usr/bin/env bash
# A tour of the editor's main windows, each reached by real input and seen by
# its title: the new-layout wizard without a keyboard; the main window with a
# layout (a group made, one layer shown) and a search result; the key dialog
# and its code recorder; the layout properties; the settings; the key-cap
# picture window; the print preview; and, once F5 has written the layout into
# the emulator, the device information, the key test and the supported
# models. With RAVLIN_SCREENSHOTS_DIR set, every window is saved there cropped
# to its frame (NAME.png, the pictures of the user manual), and the screen of
# the main window whole (editor-WIDTHxHEIGHT.png), in 128 colours.
source "$(dirname "$0")/lib.sh" "$@"

J_SAVE=${RAVLIN_SCREENSHOTS_DIR:-}
[ -z "$J_SAVE" ] || mkdir -p "$J_SAVE"

# shot NAME ID: the screen into the journey folder; with RAVLIN_SCREENSHOTS_DIR
# the window ID with its frame into NAME.png there.
shot() {
  local whole x y w h left right top bottom
  whole=$(screenshot "$1")
  [ -n "$J_SAVE" ] || return 0
  read -r x y w h < <(window_geometry "$2")
  read -r left right top bottom < <(xprop -id "$2" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ,)
  convert "$whole" -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" +repage \
    -strip +dither -colors 128 "PNG8:$J_SAVE/$1.png"
}

# dialog TITLE_REGEX WHAT: the window, once shown and active.
dialog() {
  local id
  id=$(wait_window "$1" "$2")
  wait_active "$id" "$2"
  echo "$id"
}

# close_dialog TITLE_REGEX WHAT: Escape, until the window is gone.
close_dialog() {
  key Escape
  wait_window_gone "$1" "$2 on Escape"
  wait_keys_on_main "after $2"
}

# menu N ITEM: the menu bar's N-th menu (from 0) by Alt and the arrows, its
# ITEM-th entry (from 0) by Down and Enter.
menu() {
  key alt
  for ((i = 0; i < $1; i++)); do key Right; done
  key Down
  wait_popup_menu "menu $1 of the menu bar" >/dev/null
  for ((i = 0; i < $2; i++)); do key Down; done
  key Return
}

make_program_folder
layout=$(layout_file layout.xml)
start_display
start_app "$layout"
grid_find 1 1

log "Ctrl+Alt+N without a keyboard: the wizard says why and offers the list"
key ctrl+alt+n
id=$(dialog '^Создание новой раскладки$' "new-layout wizard")
shot wizard "$id"
close_dialog '^Создание новой раскладки$' "the wizard"

start_emulator --model 2

log "Вид > Подписи к кнопкам; keys 5,5 and 5,6 grouped; layer 1 shown; Ctrl+F finds +A"
menu 3 2
# The captions make the toolbars taller: the grid moves down.
grid_find 1 1
click_cell 5 5
key shift+Right ctrl+alt+g shift+F1
click_cell 1 1
key ctrl+f
id=$(dialog '^Поиск$' "find dialog")
type_text "+A"
key Return
wait_window_gone '^Поиск$' "the find dialog on Enter"
wait_keys_on_main "after the search"
park_pointer
shot main "$J_MAIN"
[ -z "$J_SAVE" ] || convert "$J_SHOTS/main.png" -strip +dither -colors 128 "PNG8:$J_SAVE/editor-$J_SCREEN.png"

log "Enter on key 2,2: the key dialog; its \"...\" the code recorder"
click_cell 2 2
key Return
id=$(dialog '^Клавиша \(2,2\)$' "key dialog")
shot key-dialog "$id"
# The field "При нажатии:" is the topmost white area of a line's height in
# the dialog; Tab goes on to its "..." button.
read -r x y width height < <(window_geometry "$id")
field=$(convert "$J_SHOTS/key-dialog.png" -crop "${width}x${height}+$x+$y" +repage -fill black +opaque white \
  -define connected-components:verbose=true -connected-components 4 null: |
  awk '$NF == "srgb(255,255,255)" { split($2, g, /[x+]/); if (g[1] >= 100 && g[2] >= 12 && g[2] <= 40) print g[4], g[3], g[1], g[2] }' |
  sort -n | head -n 1)
[ -n "$field" ] || fail "no field \"При нажатии:\" in the key dialog"
read -r fy fx fw fh <<<"$field"
click_at $((x + fx + fw / 2)) $((y + fy + fh / 2))
key Tab space
recorder=$(dialog '^Коды клавиши$' "code recorder")
xdotool keydown --delay 40 shift keydown a keyup a keyup shift
sleep 0.2
shot codes "$recorder"
# Tab leaves the recording list (Tab is never recorded), Escape cancels; a
# click gives the key dialog the keys again.
key Tab Escape
wait_window_gone '^Коды клавиши$' "the code recorder on Tab, Escape"
click_at $((x + 8)) $((y + 8))
wait_active "$id" "the key dialog after the recorder"
close_dialog '^Клавиша \(2,2\)$' "the key dialog"

log "F11: the layout properties"
key F11
id=$(dialog '^Свойства раскладки$' "layout properties")
shot props "$id"
close_dialog '^Свойства раскладки$' "the layout properties"

log "Настройки > Настройки приложения..."
menu 4 0
id=$(dialog '^Настройки приложения$' "settings dialog")
shot settings "$id"
close_dialog '^Настройки приложения$' "the settings"

log "Ctrl+Alt+P, Enter: the key-cap picture window"
key ctrl+alt+p
key Return
id=$(dialog '^Клавиша \(2,2\)$' "key-cap picture window")
# The text field has the focus.
type_text "Итог"
shot picture "$id"
close_dialog '^Клавиша \(2,2\)$' "the picture window"

log "Ctrl+W: the print preview; Ctrl+F4 closes it"
key ctrl+w
wait_main_title '\[Предварительный просмотр\]' "the print preview"
sleep 0.5
shot preview "$J_MAIN"
key ctrl+F4
wait_main_title ! 'Предварительный просмотр' "the print preview to close"

log "F5: the layout into the emulator, which then reports it working"
state=$(checksum "$J_TMP/kbdsim.state")
key F5
wait_file_changed "$J_TMP/kbdsim.state" "$state" 40
wait_keys_on_main "after F5"

log "F3: the emulator's information"
key F3
id=$(dialog '^Информация об устройстве$' "device information")
shot device-info "$id"
close_dialog '^Информация об устройстве$' "the device information"

log "F2: the key test records a key"
key F2
id=$(dialog '^Тест клавиатуры$' "key test")
key a
shot key-test "$id"
key alt+F4
wait_window_gone '^Тест клавиатуры$' "the key test on Alt+F4"
wait_keys_on_main "after the key test"

log "Справка > Поддерживаемые устройства..."
menu 6 1
id=$(dialog '^Поддерживаемые устройства$' "supported models")
shot devices "$id"
close_dialog '^Поддерживаемые устройства$' "the supported models"
app_running || fail "the editor ended"
