# Shared by the journeys: each one sources this file and drives the real
# editor with real input events (XTEST through xdotool) on a private X server.
#
#   source "$(dirname "$0")/lib.sh" "$@"
#
# The program folder is $RAVLIN_BIN_DIR, else the first argument (CMake passes
# the build's bin folder). Every journey works in a temporary folder of its
# own: a private copy of the program folder with its own settings file, HOME,
# XDG_RUNTIME_DIR (where the emulator's default socket lies), the X server,
# openbox, the emulator and the editor. An exit trap stops them all; on a
# failure it leaves a screenshot and the editor's output in that folder and
# prints their paths. The folder is removed after a journey that passed
# (RAVLIN_JOURNEY_KEEP=1 keeps it).

set -euo pipefail

J_NAME=$(basename "$0" .sh)
J_SOURCE=${RAVLIN_BIN_DIR:-${1:-}}
if [ -z "$J_SOURCE" ] || [ ! -x "$J_SOURCE/RavlinApp" ]; then
  echo "$J_NAME: no program folder: set RAVLIN_BIN_DIR to a folder holding RavlinApp" >&2
  exit 2
fi
J_SOURCE=$(cd "$J_SOURCE" && pwd)
for tool in Xvfb openbox xdotool import convert xprop xwininfo; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$J_NAME: $tool is not installed: skipped"
    exit 77
  fi
done

J_TMP=$(mktemp -d "${TMPDIR:-/tmp}/ravlin-$J_NAME.XXXXXX")
J_PROG=$J_TMP/bin        # the private program folder
J_WORK=$J_TMP/work       # the journey's layout files
J_SHOTS=$J_TMP           # screenshots, the editor's and other programs' output
J_DATA=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
J_PIDS=()                # started processes, stopped in reverse order
J_APP_PID=
J_MAIN=                  # the main window's X id
J_START=$SECONDS
J_TIME_LIMIT=${RAVLIN_JOURNEY_TIME_LIMIT:-100}
# The X server's screen: RAVLIN_JOURNEY_SCREEN as WIDTHxHEIGHT, by default
# 1600x1000; J_SCREEN_W and J_SCREEN_H are its size.
J_SCREEN=${RAVLIN_JOURNEY_SCREEN:-1600x1000}
[[ $J_SCREEN =~ ^([0-9]+)x([0-9]+)$ ]] || { echo "$J_NAME: RAVLIN_JOURNEY_SCREEN is no WIDTHxHEIGHT: $J_SCREEN" >&2; exit 2; }
J_SCREEN_W=${BASH_REMATCH[1]}
J_SCREEN_H=${BASH_REMATCH[2]}
mkdir -p "$J_WORK" "$J_TMP/home" "$J_TMP/run"
chmod 700 "$J_TMP/run"

# A private world: nothing of the caller's desktop, settings or keyboard.
export HOME=$J_TMP/home XDG_RUNTIME_DIR=$J_TMP/run
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_CONFIG_DIRS XDG_DATA_DIRS \
  DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_STYLE_OVERRIDE QT_SCALE_FACTOR \
  QT_SCREEN_SCALE_FACTORS QT_FONT_DPI XAUTHORITY DISPLAY
export LC_ALL=C.UTF-8 LANG=C.UTF-8
# A sanitizer build of the editor leaves the X11 desktop libraries' own leaks
# unreported (see lsan.supp); nothing changes for a normal build.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp:print_suppressions=0"
# The grid's selected cell is found on screen by the style's highlight colour.
export QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion QT_AUTO_SCREEN_SCALE_FACTOR=0
J_HIGHLIGHT='#308CC6'

log() { printf '[%s %3ds] %s\n' "$J_NAME" "$((SECONDS - J_START))" "$*"; }

screenshot() { # screenshot NAME: the whole screen into NAME.png, prints the path
  local file=$J_SHOTS/$1.png
  import -window root "$file" 2>/dev/null || true
  echo "$file"
}

fail() {
  echo "FAIL [$J_NAME]: $*" >&2
  exit 1
}

j_stop() {
  local pid
  for ((i = ${#J_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${J_PIDS[i]}
    kill -TERM "$pid" 2>/dev/null || true
  done
  for ((i = ${#J_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${J_PIDS[i]}
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  J_PIDS=()
}

j_exit() {
  local status=$1
  trap - EXIT INT TERM
  [ -n "${J_WATCHDOG:-}" ] && kill "$J_WATCHDOG" 2>/dev/null && wait "$J_WATCHDOG" 2>/dev/null
  if [ "$status" -ne 0 ]; then
    if [ -n "${DISPLAY:-}" ]; then
      echo "screenshot at the failure: $(screenshot failure)" >&2
      echo "windows shown (the focus on $(xdotool getwindowfocus 2>/dev/null), the main window $J_MAIN):" >&2
      for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "  $w $(xdotool getwindowname "$w" 2>/dev/null)" >&2
      done
    fi
    if [ -s "$J_TMP/app.log" ]; then
      echo "the editor's output ($J_TMP/app.log):" >&2
      tail -n 20 "$J_TMP/app.log" | sed 's/^/  /' >&2
    fi
  fi
  j_stop
  [ "$status" -eq 0 ] && log "passed in $((SECONDS - J_START)) s"
  if [ "$status" -eq 0 ] && [ -z "${RAVLIN_JOURNEY_KEEP:-}" ]; then
    rm -rf "$J_TMP"
  else
    echo "journey folder: $J_TMP" >&2
  fi
  exit "$status"
}
trap 'j_exit $?' EXIT
trap 'fail "stopped by a signal"' INT
trap 'fail "took longer than $J_TIME_LIMIT s"' TERM
# A journey that hangs ends itself (and cleans up) before CTest would kill it.
(
  trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
  sleep "$J_TIME_LIMIT" &
  sleeper=$!
  wait "$sleeper" && kill -TERM $$
) >/dev/null 2>&1 &
J_WATCHDOG=$!

# wait_until TIMEOUT WHAT COMMAND...: polls COMMAND until it succeeds.
wait_until() {
  local timeout=$1 what=$2
  shift 2
  wait_quietly "$timeout" "$@" || fail "waited $timeout s for $what"
}

# --- the program folder ---------------------------------------------------

# make_program_folder [KEY=VALUE...]: hard links of the programs and data
# folders (a copy where links cannot be made) and a settings file of its own:
# no first-run wizard, no update check, the model Компакт-30 for new layouts,
# the message window docked. Further keys of section SETTINGS may be given.
make_program_folder() {
  mkdir -p "$J_PROG"
  local item
  for item in RavlinApp ravlin ravlin-kbdsim Клавиатуры Клавиши Справка; do
    [ -e "$J_SOURCE/$item" ] || fail "the program folder $J_SOURCE lacks $item"
    cp -al "$J_SOURCE/$item" "$J_PROG/" 2>/dev/null || cp -a "$J_SOURCE/$item" "$J_PROG/"
  done
  {
    printf '[SETTINGS]\r\n'
    printf '%s\r\n' FirstRun=0 CheckUpdateOnLoad=0 KeyboardID=2 MessageFormDocked=1 DockPanelHeight=160 "$@"
  } >"$J_PROG/RavlinApp.ini"
}

# layout_file NAME: a fresh copy of the test layout (Компакт-30, layer 1 keys
# "+A -A" to "+Z -Z", then "+1 -1" to "+4 -4", row by row), printed path.
layout_file() {
  cp "$J_DATA/kompakt30.xml" "$J_WORK/$1"
  echo "$J_WORK/$1"
}

ravlin() { "$J_PROG/ravlin" "$@"; }

# key_codes FILE: one line per key of the layout: "LAYER ROW COL MAKE|BREAK"
# (layers, rows and columns counted from 1).
key_codes() {
  ravlin dump "$1" | awk '
    function value(line) { sub(/^[^:]*: "/, "", line); sub(/",?$/, "", line); return line }
    { indent = match($0, /[^ ]/) - 1 }
    /"keyLock": \[/ { layer++ }
    indent == 16 && /\{/ { make = ""; brk = ""; row = ""; col = "" }
    indent == 20 && /"make":/ { make = value($0) }
    indent == 20 && /"break":/ { brk = value($0) }
    indent == 20 && /"row":/ { row = $2 + 0 }
    indent == 20 && /"col":/ { col = $2 + 0 }
    indent == 16 && /\}/ { if (row != "") print layer, row + 1, col + 1, make "|" brk; row = "" }'
}

# key_of FILE LAYER ROW COL: the "MAKE|BREAK" of one key.
key_of() { key_codes "$1" | awk -v l="$2" -v r="$3" -v c="$4" '$1 == l && $2 == r && $3 == c { $1 = $2 = $3 = ""; sub(/^ +/, ""); print }'; }

checksum() { if [ -e "$1" ]; then cksum <"$1"; else echo none; fi; }

# wait_file_changed FILE OLDSUM [TIMEOUT]: until FILE exists with another checksum.
wait_file_changed() {
  local file=$1 old=$2
  wait_until "${3:-10}" "$file to be written" test "$(checksum "$file")" != "$old"
  # A write in progress settles within this.
  local last=
  while [ "$(checksum "$file")" != "$last" ]; do last=$(checksum "$file"); sleep 0.2; done
}

# --- the X server, the window manager, the emulator, the editor -----------

start_display() {
  # Each try takes a display number at random: Xvfb's own choice (the lowest
  # free one) is a race between journeys running side by side, one of them
  # taking the number of a server that is just going away. A server or window
  # manager that does not come up is started again on another number.
  local attempt number server manager
  for attempt in 1 2 3 4 5; do
    number=$((100 + RANDOM % 800))
    [ ! -e "/tmp/.X$number-lock" ] || continue
    Xvfb ":$number" -screen 0 "${J_SCREEN}x24" -nolisten tcp >>"$J_TMP/xvfb.log" 2>&1 &
    server=$!
    if display_up "$number" "$server"; then
      export DISPLAY=:$number
      openbox >>"$J_TMP/openbox.log" 2>&1 &
      manager=$!
      if wait_quietly 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
        J_PIDS+=("$server" "$manager")
        log "display $DISPLAY"
        return
      fi
      kill "$manager" 2>/dev/null || true
      wait "$manager" 2>/dev/null || true
    fi
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    log "no display on :$number (attempt $attempt)"
  done
  fail "no X server with a window manager came up: $(tail -n 3 "$J_TMP/xvfb.log" "$J_TMP/openbox.log" 2>/dev/null | tr '\n' ' ')"
}

# display_up NUMBER PID: whether the X server PID serves display NUMBER
# within 10 s. A server that finds the number taken ends at once, so it is
# asked whether it still runs after a client got through.
display_up() {
  wait_quietly 10 xprop -display ":$1" -root || return 1
  sleep 0.2
  kill -0 "$2" 2>/dev/null
}

# wait_quietly TIMEOUT COMMAND...: whether the command succeeds within the
# timeout, tried every 0.1 s.
wait_quietly() {
  local end=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# start_emulator [OPTIONS...]: the keyboard emulator on the default socket,
# which the editor's "PS/2 клавиатура" reaches.
start_emulator() {
  "$J_PROG/ravlin-kbdsim" --state "$J_TMP/kbdsim.state" "$@" >"$J_TMP/kbdsim.log" 2>&1 &
  J_PIDS+=($!)
  wait_until 10 "the emulator's socket" test -S "$XDG_RUNTIME_DIR/QvKbdDrv"
}

# start_app [FILE...]: the editor; sets J_MAIN to its main window, once active.
start_app() {
  (cd "$J_WORK" && exec "$J_PROG/RavlinApp" "$@") >>"$J_TMP/app.log" 2>&1 &
  J_APP_PID=$!
  J_PIDS+=("$J_APP_PID")
  J_MAIN=$(find_window '^Ravlin [0-9]' 20) || fail "the main window did not appear"
  wait_active "$J_MAIN" "the main window"
  log "editor started"
}

# app_running: whether the editor runs (and is no zombie yet).
app_running() { [ -r "/proc/$J_APP_PID/status" ] && ! grep -q '^State:.*Z' "/proc/$J_APP_PID/status"; }

# wait_app_exit [TIMEOUT]: until the editor has ended.
wait_app_exit() {
  wait_until "${1:-10}" "the editor to end" eval '! app_running'
  wait "$J_APP_PID" 2>/dev/null || true
}

# --- windows ----------------------------------------------------------------

# find_window REGEX [TIMEOUT]: the X id of a visible window whose name matches.
find_window() {
  local ids
  ids=$(timeout "${2:-10}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null) || return 1
  head -n 1 <<<"$ids"
}

window_shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# wait_window REGEX WHAT [TIMEOUT]: the id of the window, or the journey fails.
wait_window() {
  local id
  id=$(find_window "$1" "${3:-10}") || fail "no $2 appeared (a window named /$1/)"
  echo "$id"
}

wait_window_gone() { wait_until "${3:-10}" "$2 to close" eval "! window_shown '$1'"; }

# wait_active ID WHAT: until the window manager has made the window the active
# one (a new window gets the focus by itself, as on a desktop).
wait_active() {
  wait_until 10 "$2 to get the focus" eval "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = '$1' ]"
}

# window_geometry ID: "X Y WIDTH HEIGHT" of the window's inside on the screen.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

main_title() { xdotool getwindowname "$J_MAIN" 2>/dev/null; }

# wait_main_title [!] REGEX WHAT [TIMEOUT]: until the main window's caption
# matches (grep -E), or with "!" until it no longer does.
wait_main_title() {
  local absent=0
  if [ "$1" = "!" ]; then
    absent=1
    shift
  fi
  local end=$((SECONDS + ${3:-10}))
  until main_title | grep -Eq "$1"; [ $? -eq $absent ]; do
    [ "$SECONDS" -lt "$end" ] || fail "waited ${3:-10} s for $2 (the main window's caption is \"$(main_title)\")"
    sleep 0.1
  done
}

# tooltip_shown: whether the editor shows a tooltip.
tooltip_shown() {
  local id
  for id in $(xdotool search --onlyvisible --classname '^RavlinApp$' 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_TOOLTIP && return 0
  done
  return 1
}

# park_pointer: the pointer to the screen's corner, outside the editor, until
# no tooltip covers what is to be seen.
park_pointer() {
  move_to $((J_SCREEN_W - 1)) $((J_SCREEN_H - 1))
  wait_until 3 "the tooltip to go" eval '! tooltip_shown'
}

# popup_menu: "X Y WIDTH HEIGHT" of the editor's shown popup menu, if any.
popup_menu() {
  local id info
  for id in $(xdotool search --onlyvisible --classname '^RavlinApp$' 2>/dev/null); do
    info=$(xwininfo -id "$id" 2>/dev/null) || continue
    grep -q 'Override Redirect State: yes' <<<"$info" || continue
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_TOOLTIP && continue
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
         /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }' <<<"$info"
    return 0
  done
  return 1
}

# wait_popup_menu WHAT: "X Y WIDTH HEIGHT" of the popup menu that opened.
wait_popup_menu() {
  local menu end=$((SECONDS + 10))
  until menu=$(popup_menu); do
    [ "$SECONDS" -lt "$end" ] || fail "no menu opened on $1"
    sleep 0.1
  done
  echo "$menu"
}

# --- input ------------------------------------------------------------------

key() { xdotool key --delay 40 "$@"; sleep 0.15; }
# wait_keys_on_main WHAT: until the window system gives the keys back to the
# main window (after a modal window closed), as a person would see it before
# typing on.
wait_keys_on_main() {
  wait_until 10 "the keys back on the main window $1" eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$J_MAIN" ]'
}
type_text() { xdotool type --delay 30 "$1"; sleep 0.1; }
# move_to X Y: the pointer to X Y (xdotool's --sync waits for ever when the
# pointer is there already).
move_to() {
  local at
  at=$(xdotool getmouselocation 2>/dev/null | awk '{ print $1, $2 }')
  [ "$at" = "x:$1 y:$2" ] || xdotool mousemove --sync "$1" "$2"
}
click_at() { move_to "$1" "$2"; xdotool click "${3:-1}"; sleep 0.2; }
double_click_at() { move_to "$1" "$2"; xdotool click --repeat 2 --delay 80 1; sleep 0.2; }

# answer_file_dialog TITLE_REGEX PATH: types PATH into the shown file dialog's
# name field (it has the focus) and accepts.
answer_file_dialog() {
  local dialog
  dialog=$(wait_window "$1" "file dialog")
  wait_active "$dialog" "the file dialog"
  key ctrl+a
  type_text "$2"
  key Return
  wait_window_gone "$1" "the file dialog"
}

# --- the key grid -----------------------------------------------------------

# highlight_boxes [FUZZ [X Y W H]]: bounding boxes "W H X Y" of the areas in
# the highlight colour (within FUZZ percent, default exactly; within the
# rectangle X Y W H of the screen, default the whole screen) of at least 10x5
# pixels, largest first.
highlight_boxes() {
  local shot fuzz=${1:-0} x=${2:-0} y=${3:-0} crop=()
  [ $# -ge 5 ] && crop=(-crop "$4x$5+$2+$3" +repage)
  park_pointer
  shot=$(screenshot highlight)
  convert "$shot" "${crop[@]}" -fuzz "$fuzz%" -fill black +opaque "$J_HIGHLIGHT" -fill white -opaque "$J_HIGHLIGHT" \
    -define connected-components:verbose=true -connected-components 8 null: 2>/dev/null |
    awk -v x0="$x" -v y0="$y" '$NF == "srgb(255,255,255)" {
      split($2, g, /[x+]/)
      if (g[1] >= 10 && g[2] >= 5) print $4, g[1], g[2], g[3] + x0, g[4] + y0 }' |
    sort -rn | cut -d' ' -f2-
}

# grid_find [COL ROW]: finds the grid of the active document by its selected
# cell (COL, ROW, default 1 1), the largest highlighted area on the screen.
# Sets CELL_W, CELL_H and GRID_X, GRID_Y (the top left corner of key cell 1,1).
# Cells are separated by lines of one pixel.
grid_find() {
  local col=${1:-1} row=${2:-1} box="" last end=$((SECONDS + 15))
  # The main window's title comes before the grid's first paint, and the
  # document window may still be placed: a slow (sanitized) build shows an
  # empty or moving MDI area for a moment. The grid is found when two looks
  # in a row agree.
  while :; do
    last=$box
    box=$(highlight_boxes | awk '$2 >= 10' | head -n 1)
    [ -n "$box" ] && [ "$box" = "$last" ] && break
    [ "$SECONDS" -lt "$end" ] || fail "no selected key cell is to be seen"
    sleep 0.2
  done
  read -r CELL_W CELL_H GRID_X GRID_Y <<<"$box"
  GRID_X=$((GRID_X - (col - 1) * (CELL_W + 1)))
  GRID_Y=$((GRID_Y - (row - 1) * (CELL_H + 1)))
}

# cell_x COL / cell_y ROW: the screen point in the middle of a key cell.
cell_x() { echo $((GRID_X + ($1 - 1) * (CELL_W + 1) + CELL_W / 2)); }
cell_y() { echo $((GRID_Y + ($1 - 1) * (CELL_H + 1) + CELL_H / 2)); }

click_cell() { click_at "$(cell_x "$1")" "$(cell_y "$2")" "${3:-1}"; }

# selected_cell: "COL ROW" of the key cell shown selected: a highlighted area
# of a cell's size in the grid found before.
selected_cell() {
  local w h x y
  while read -r w h x y; do
    if [ $((w - CELL_W)) -ge -2 ] && [ $((w - CELL_W)) -le 2 ] && [ $((h - CELL_H)) -ge -2 ] && [ $((h - CELL_H)) -le 2 ]; then
      echo $(((x - GRID_X + 2) / (CELL_W + 1) + 1)) $(((y - GRID_Y + 2) / (CELL_H + 1) + 1))
      return 0
    fi
  done < <(highlight_boxes)
  return 1
}

# wait_selected_cell COL ROW WHAT [TIMEOUT]: until the grid shows that key cell selected.
wait_selected_cell() {
  local end=$((SECONDS + ${4:-10}))
  until [ "$(selected_cell)" = "$1 $2" ]; do
    [ "$SECONDS" -lt "$end" ] || fail "$3: the grid shows key \"$(selected_cell)\" selected, not $1 $2"
    sleep 0.1
  done
}

# start_on_test_layout: the usual start of a journey: its program folder,
# the test layout as $layout, the display, the editor on that layout, and
# the grid found on screen.
start_on_test_layout() {
  make_program_folder
  layout=$(layout_file layout.xml)
  start_display
  start_app "$layout"
  grid_find 1 1
}
