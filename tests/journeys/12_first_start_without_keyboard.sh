#!/usr/bin/env bash
# The first start on a machine without a keyboard: the new-layout wizard
# says why it found none and starts on the model list, so Enter twice makes
# a layout of the settings' model. Resting the pointer on a key cell then
# shows the key's tooltip.
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
sed -i 's/^FirstRun=0/FirstRun=1/' "$J_PROG/RavlinApp.ini"
start_display
(cd "$J_WORK" && exec "$J_PROG/RavlinApp") >>"$J_TMP/app.log" 2>&1 &
J_APP_PID=$!
J_PIDS+=("$J_APP_PID")

log "the wizard on the first start"
wizard=$(wait_window '^Создание новой раскладки$' "new-layout wizard on the first start" 20)
wait_active "$wizard" "the wizard"
screenshot wizard-without-keyboard >/dev/null
# Started on the detection, the first Enter would end in the wizard's
# explanation and the second would only go on to the last page.
key Return
key Return
wait_window_gone '^Создание новой раскладки$' "the wizard after Enter, Enter"
J_MAIN=$(find_window '^Ravlin [0-9]') || fail "no main window"
wait_keys_on_main "after the wizard"
# The new layout's grid, its first key selected.
grid_find 1 1

log "the tooltip of a key cell"
move_to "$(cell_x 3)" "$(cell_y 2)"
wait_until 5 "the key cell's tooltip" tooltip_shown
screenshot key-tooltip >/dev/null
app_running || fail "the editor ended"
