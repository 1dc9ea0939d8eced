#!/usr/bin/env bash
# Printing from the print preview without a printer: the save dialog proposes
# a new PDF file beside the layout; accepting it writes the PDF there and
# leaves the layout file as it was, byte for byte.
source "$(dirname "$0")/lib.sh" "$@"

make_program_folder
layout=$(layout_file layout.xml)
cp "$layout" "$J_TMP/layout.orig"
pdf=$J_WORK/layout.pdf
start_display
start_app "$layout"
grid_find 1 1
click_cell 2 2
key ctrl+alt+p
key ctrl+w
wait_main_title '\[Предварительный просмотр\]' "the print preview after Ctrl+W"

log "Ctrl+P in the preview, the proposed file name accepted"
key ctrl+p
dialog=$(wait_window '^Сохранить как$' "save dialog for the PDF")
wait_active "$dialog" "the save dialog"
key Return

# Either the PDF comes, or some question stands in the way.
end=$((SECONDS + 10))
until [ -s "$pdf" ]; do
  if [ "$(xdotool search --onlyvisible --name '^(Сохранить как|Печать)$' 2>/dev/null | wc -l)" -gt 1 ] ||
    { window_shown '^Печать$' && ! window_shown '^Сохранить как$'; }; then
    fail "accepting the proposed file name asked to replace an existing file ($(screenshot question)); the folder holds: $(ls "$J_WORK" | tr '\n' ' ')"
  fi
  [ "$SECONDS" -lt "$end" ] || fail "no $pdf was written; the folder holds: $(ls "$J_WORK" | tr '\n' ' ')"
  sleep 0.1
done
wait_file_changed "$pdf" none
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "$pdf is no PDF"
cmp -s "$layout" "$J_TMP/layout.orig" || fail "printing changed the layout file (it starts with \"$(head -c 8 "$layout" | tr -cd '[:print:]')\")"
extra=$(ls "$J_WORK" | grep -vx -e layout.xml -e layout.pdf || true)
[ -z "$extra" ] || fail "printing wrote other files too: $extra"
