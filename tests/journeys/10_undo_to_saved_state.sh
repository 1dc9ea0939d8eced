#!/usr/bin/env bash
# Edits undone with Ctrl+Z back to the state saved: closing, which asked to
# save them before, asks nothing and the file stays as it was.
source "$(dirname "$0")/lib.sh" "$@"

start_on_test_layout
cp "$layout" "$J_TMP/layout.orig"

log "two edits: a group of keys 1,1 and 1,2, key 3,3 cleared"
click_cell 1 1
key shift+Right ctrl+alt+g
click_cell 3 3
key Delete

log "closing asks to save them; cancelled"
key alt+F4
wait_window '^Внимание$' "question whether to save the edited layout" >/dev/null
key Escape
wait_window_gone '^Внимание$' "the question"

log "Ctrl+Z twice, the main window closed"
key ctrl+z ctrl+z
key alt+F4
end=$((SECONDS + 10))
while app_running; do
  window_shown '^Внимание$' && fail "closing asked to save a layout undone back to its saved state"
  [ "$SECONDS" -lt "$end" ] || fail "the editor did not end on Alt+F4"
  sleep 0.1
done
cmp -s "$layout" "$J_TMP/layout.orig" || fail "the layout file changed"
