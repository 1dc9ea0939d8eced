#!/usr/bin/env bash
# Closing a new, edited layout, "Да" to "Сохранить?", then Escape in the save
# dialog: the window stays with its edits. Once for the main window (the
# program keeps running), once for the document window (Ctrl+F4).
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
start_display
start_app

# new_edited_layout: Ctrl+N and a group of the first two keys.
new_edited_layout() {
  key ctrl+n
  key shift+Right
  key ctrl+alt+g
}

# close_and_cancel_save KEYS WHAT: KEYS close; "Да", then Escape in the save
# dialog; the editor must still run with the document unsaved.
close_and_cancel_save() {
  key "$1"
  wait_window '^Внимание$' "question whether to save the layout on $2" >/dev/null
  key Return
  wait_window '^Сохранить как$' "save dialog after \"Да\" on $2" >/dev/null
  key Escape
  wait_window_gone '^Сохранить как$' "the save dialog"
  for _ in $(seq 10); do
    app_running || fail "the editor ended after the save dialog was cancelled on $2"
    sleep 0.1
  done
}

# has_group FILE: the saved layout holds the group of keys 1,1 and 1,2.
has_group() {
  ravlin dump "$1" | tr -d ' \n' | grep -q '"groups":\[{"bottom":0,"left":0,"right":1,"top":0}\]' ||
    fail "the layout saved after the cancelled close lost its group of keys 1,1 and 1,2"
}

# save_as FILE: Ctrl+S must ask where to save the unsaved layout.
save_as() {
  key ctrl+s
  answer_file_dialog '^Сохранить как$' "$1"
  wait_until 10 "$1 to be written" test -s "$1"
}

log "new layout, edited; closing the main window, save cancelled"
new_edited_layout
close_and_cancel_save alt+F4 "closing the main window"
save_as "$J_WORK/first.xml"
has_group "$J_WORK/first.xml"

log "another new layout, edited; Ctrl+F4, save cancelled"
new_edited_layout
close_and_cancel_save ctrl+F4 "Ctrl+F4"
save_as "$J_WORK/second.xml"
has_group "$J_WORK/second.xml"

log "both saved: the main window closes without a question"
key alt+F4
wait_app_exit 10
