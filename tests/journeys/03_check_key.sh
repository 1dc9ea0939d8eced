#!/usr/bin/env bash
# F9 with the focus in the grid checks the layout: a sound one is answered
# with "Ошибок нет.".
source "$(dirname "$0")/lib.sh" "$@"

start_on_test_layout
click_cell 4 2

log "F9 in the grid"
key F9
wait_window '^Ravlin$' "answer of the check to F9 in the grid" >/dev/null
screenshot check-answer >/dev/null
key Return
wait_window_gone '^Ravlin$' "the check's answer"
app_running || fail "the editor ended"
