#!/usr/bin/env bash
# Ctrl+W in the picture view opens the print preview and leaves the document
# window open; Ctrl+F4 closes the preview, then the document window.
source "$(dirname "$0")/lib.sh" "$@"

start_on_test_layout
click_cell 2 2

log "Ctrl+Alt+P, Ctrl+W: the print preview"
key ctrl+alt+p
key ctrl+w
wait_main_title '\[Предварительный просмотр\]' "the print preview after Ctrl+W"

log "Ctrl+F4: the preview closes, the document window is there"
key ctrl+F4
wait_main_title ! 'Предварительный просмотр' "the print preview to close on Ctrl+F4"
wait_selected_cell 2 2 "the document window after the preview closed"

log "Ctrl+F4: the document window closes"
click_cell 3 3
key ctrl+F4
wait_until 10 "the document window to close on Ctrl+F4" eval '[ -z "$(highlight_boxes)" ]'
! window_shown '^Внимание$' || fail "closing an unchanged layout asked to save it"
app_running || fail "the editor ended"
