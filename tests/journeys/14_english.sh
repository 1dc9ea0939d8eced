#!/usr/bin/env bash
# The editor under LANG=en_US.UTF-8 with no language chosen in the settings
# speaks English: its menus (Alt+E opens "&Edit"), its windows and its file
# dialog. The same edit saved once in Russian and once in English gives the
# same bytes.
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
layout=$(layout_file layout.xml)
start_display

# group_and_save_as DIALOG FILE: keys 1,1 and 1,2 grouped, the layout saved
# as FILE through the file dialog named DIALOG, and the editor closed.
group_and_save_as() {
  grid_find 1 1
  click_cell 1 1
  key shift+Right
  key ctrl+alt+g
  key ctrl+alt+s
  answer_file_dialog "$1" "$2"
  wait_until 10 "$2 to be written" test -s "$2"
  key alt+F4
  wait_app_exit
}

log "Russian: group two keys, Сохранить как"
start_app "$layout"
group_and_save_as '^Сохранить как$' "$J_WORK/ru.xml"

log "English: the menu Edit, Layout Properties, the same edit and Save As"
LC_ALL= LANG=en_US.UTF-8 start_app "$layout"
grid_find 1 1
key alt+e
wait_popup_menu "Alt+E (the menu &Edit)" >/dev/null
screenshot english-edit-menu >/dev/null
key Escape
key F11
dialog=$(wait_window '^Layout Properties$' "the window Layout Properties (F11)")
wait_active "$dialog" "Layout Properties"
screenshot english-layout-properties >/dev/null
key Escape
wait_window_gone '^Layout Properties$' "Layout Properties"
group_and_save_as '^Save As$' "$J_WORK/en.xml"

cmp "$J_WORK/ru.xml" "$J_WORK/en.xml" || fail "the layout saved in English differs from the one saved in Russian"
