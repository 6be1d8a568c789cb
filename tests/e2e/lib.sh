# shellcheck shell=bash disable=SC2034  # the constants are for the scripts that source this
# Shared by the end-to-end tests, the valgrind session and the start-up benchmark: a private X
# server on a free display, processes that are always cleaned up, bounded polls, and the main
# window's facts.
# Source it from a bash script.

set -euo pipefail
export LC_ALL=C.UTF-8

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly E2E_DIR
readonly MAIN_TITLE='何歳でしょうか？'
readonly CAUTION_TITLE='注意'
readonly CONTENT_WIDTH=437 CONTENT_HEIGHT=296
# Places in the main window's content area: points to click, rectangles (x y w h) to look at.
readonly YEAR_FIELD=(105 62) YEAR_FIELD_END=(143 62) MONTH_FIELD=(214 62)
readonly QUIT_BUTTON=(357 266)
readonly ERA_LABEL=(22 86 392 26)     # the era label's first line, above the "計算" button
readonly YEARS_RESULT=(62 158 300 62) # inside the years result, clear of the group box's frame
readonly POLL_STEP=0.05
# The main window's controls as its accessibility tree gives them: role, and rectangle (x y w h)
# in the content area.
declare -rA PLACES=(
  [year]='text 65 48 81 28' [month]='text 193 48 43 28' [day]='text 279 48 43 28'
  [era]='label 19 84 397 51' [years]='label 57 149 322 84' [months]='label 273 225 119 19')

E2E_TMP=$(mktemp -d /tmp/nansai-e2e.XXXXXX)
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No session bus unless a script starts its own: with none named, libdbus would launch one for
# the display (dbus-x11), a daemon that outlives the script.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
_owned_pids=()
_owned_sessions=()

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in Xvfb xdotool xclip xprop xdpyinfo openbox import identify dbus-launch; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (see ./dev for the packages)"
done

# True while the process runs (a finished child stays a zombie until it is reaped).
alive() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [[ ${stat%% *} != Z ]]
}

now_us() { echo "${EPOCHREALTIME/./}"; }

# poll_until SECONDS COMMAND...: runs COMMAND every POLL_STEP until it succeeds; fails on timeout.
poll_until() {
  local deadline=$(($(now_us) + $1 * 1000000))
  shift
  until "$@"; do
    (($(now_us) < deadline)) || return 1
    sleep "$POLL_STEP"
  done
}

stop_process() {
  local pid=$1
  kill "$pid" 2>/dev/null || true
  poll_until 3 eval "! alive $pid" || kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# session_members SID: the running processes of that session.
session_members() {
  local stat pid fields state sid
  for stat in /proc/[0-9]*/stat; do
    pid=${stat#/proc/} pid=${pid%/stat}
    fields=$(cat "$stat" 2>/dev/null) || continue
    fields=${fields##*) }
    read -r state _ _ sid _ <<<"$fields"
    [[ $sid == "$1" && $state != Z ]] && echo "$pid"
  done
  return 0
}

cleanup() {
  local i sid pid
  for ((i = ${#_owned_pids[@]} - 1; i >= 0; i--)); do
    stop_process "${_owned_pids[i]}"
  done
  for sid in "${_owned_sessions[@]}"; do
    for pid in $(session_members "$sid"); do
      stop_process "$pid"
    done
  done
  rm -rf "$E2E_TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# True once display :N answers and is served by process PID (the lock file names the server).
_serving() {
  [[ $(tr -d ' ' 2>/dev/null <"/tmp/.X$1-lock") == "$2" ]] &&
    xdpyinfo -display ":$1" >/dev/null 2>&1
}

# start_xvfb: a private server on a free display in :200-:499; sets DISPLAY. Tests run in
# parallel, so a display that looks free may be taken first: then try another. -noreset: without
# it the server resets whenever its last client leaves (the readiness probe, say), and a client
# that connects during the reset is refused.
start_xvfb() {
  local attempt n pid
  for ((attempt = 0; attempt < 20; attempt++)); do
    n=$((200 + RANDOM % 300))
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb-$n.log" 2>&1 &
    pid=$!
    if poll_until 10 eval "! alive $pid || _serving $n $pid" && alive "$pid"; then
      _owned_pids+=("$pid")
      export DISPLAY=:$n
      return
    fi
    stop_process "$pid"
  done
  fail "no free display for Xvfb"
}

# start_openbox: a window manager, for decorations and the close command (Alt+F4 sends
# WM_DELETE_WINDOW to the focused window).
start_openbox() {
  openbox --sm-disable --config-file "$E2E_DIR/openbox-rc.xml" >"$E2E_TMP/openbox.log" 2>&1 &
  _owned_pids+=($!)
  poll_until 10 eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
    fail "openbox did not start: $(cat "$E2E_TMP/openbox.log")"
}

# start_app PROGRAM [ARGS...]: sets APP_PID. A background job of a script inherits SIGINT ignored;
# the program gets the default disposition, as when started from a terminal.
start_app() {
  env --default-signal=INT "$@" &
  APP_PID=$!
  _owned_pids+=("$APP_PID")
}

# reap_app: APP_STATUS is the finished application's exit status; it is no longer ours to stop.
reap_app() {
  APP_STATUS=0
  wait "$APP_PID" || APP_STATUS=$?
  local pids=("${_owned_pids[@]}") pid
  _owned_pids=()
  for pid in "${pids[@]}"; do
    [[ $pid == "$APP_PID" ]] || _owned_pids+=("$pid")
  done
}

assert_alive() {
  alive "$APP_PID" && return
  reap_app
  fail "the application ended during: $* (exit status $APP_STATUS)"
}

# await_exit SECONDS EXPECTED_STATUS
await_exit() {
  poll_until "$1" eval "! alive $APP_PID" || fail "the application is still running after $1 s"
  reap_app
  [[ $APP_STATUS == "$2" ]] || fail "the application exited with $APP_STATUS, expected $2"
}

# start_session_bus: a bus of this script's own (tests run in parallel), on which the
# accessibility bus and its registry start when first asked for. They are started in the bus
# daemon's session and stopped with it. dbus-launch notes the bus in $HOME/.dbus: not the real
# one.
start_session_bus() {
  local vars
  vars=$(HOME=$E2E_TMP timeout 10 dbus-launch --sh-syntax) || fail "dbus-launch failed"
  eval "$vars"
  [[ -n ${DBUS_SESSION_BUS_PID:-} ]] || fail "dbus-launch named no bus: $vars"
  _owned_pids+=("$DBUS_SESSION_BUS_PID")
  _owned_sessions+=("$DBUS_SESSION_BUS_PID")
}

# start_readable_app PROGRAM NOW: the application on its own session bus with its accessibility
# tree always on, so that read_window can read it back, and its clock starting at NOW
# ("YYYY-MM-DD hh:mm:ss"; libfaketime, preloaded: the faketime command would fork). Only the
# wall clock is moved: with file times moved too, fontconfig would take the machine's font caches
# for stale and rewrite them, stalling every program that starts meanwhile. An ASan build is
# told not to insist on coming first in the preload list.
start_readable_app() {
  local faketime_lib=(/usr/lib/*/faketime/libfaketime.so.1)
  [[ -e ${faketime_lib[0]} ]] || fail "libfaketime is not installed (see ./dev for the packages)"
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    fail "/usr/bin/python3 cannot import pyatspi (see ./dev for the packages)"
  start_session_bus
  start_app env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    LD_PRELOAD="${faketime_lib[0]}${LD_PRELOAD:+:$LD_PRELOAD}" FAKETIME="@$2" \
    FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$1"
}

# read_window: the application's windows as its accessibility tree shows them, into SHOWN (lines
# of read_window.py); false while the application is not in the tree yet. One read is bounded:
# the first one waits for the registry to start.
read_window() {
  local out
  SHOWN=()
  out=$(timeout 10 /usr/bin/python3 "$E2E_DIR/read_window.py" "$APP_PID" 2>"$E2E_TMP/read.err") ||
    return 1
  mapfile -t SHOWN <<<"$out"
}
SHOWN=()

# shown_text KEY: what the last read_window found. Keys: a place of PLACES (the text there);
# focus (the place holding the keyboard focus, or the role and text of another widget holding
# it, or nothing); dialog (the title of a window other than the main one, or nothing); dialog.N
# (that window's Nth label with text, in reading order).
shown_text() {
  local key=$1 line window role rect focus text x y place focused=
  local labels=()
  for line in "${SHOWN[@]}"; do
    IFS=$'\t' read -r window role rect focus text <<<"$line"
    case $key in
      # The focused widget's parents may say focused too (a dialog's button box): it comes last.
      focus) [[ $focus == focused ]] && focused=$line ;;
      dialog) [[ $window != "$MAIN_TITLE" ]] && { echo "$window"; return 0; } ;;
      dialog.*)
        if [[ $window != "$MAIN_TITLE" && $role == label && -n $text ]]; then
          read -r x y _ <<<"$rect"
          labels+=("$y $x $text")
        fi
        ;;
      *)
        [[ $window == "$MAIN_TITLE" && "$role $rect" == "${PLACES[$key]}" ]] &&
          { echo "$text"; return 0; }
        ;;
    esac
  done
  if [[ $key == focus && -n $focused ]]; then
    IFS=$'\t' read -r window role rect focus text <<<"$focused"
    for place in "${!PLACES[@]}"; do
      [[ $window == "$MAIN_TITLE" && "$role $rect" == "${PLACES[$place]}" ]] &&
        { echo "$place"; return 0; }
    done
    echo "$role $text"
  elif [[ $key == dialog.* ]] && ((${#labels[@]})); then
    printf '%s\n' "${labels[@]}" | sort -k1,1n -k2,2n | sed -n "${key#dialog.}p" | cut -d' ' -f3-
  fi
  return 0
}

_shows_all() {
  assert_alive "reading the window back"
  read_window || return 1
  local pair
  for pair in "$@"; do
    [[ $(shown_text "${pair%%=*}") == "${pair#*=}" ]] || return 1
  done
}

# await_shown SECONDS KEY=TEXT...: reads the windows back until every KEY (see shown_text) shows
# TEXT, character for character; else fails with what was read.
await_shown() {
  local seconds=$1 pair key read report=
  shift
  for pair in "$@"; do
    key=${pair%%=*}
    [[ $key =~ ^(focus|dialog|dialog\.[1-9][0-9]*)$ || -v PLACES[$key] ]] ||
      fail "unknown key: $key"
  done
  poll_until "$seconds" _shows_all "$@" && return
  ((${#SHOWN[@]})) || fail "the application is not in the accessibility tree after $seconds s:" \
    "$(<"$E2E_TMP/read.err")"
  for pair in "$@"; do
    key=${pair%%=*} read=$(shown_text "${pair%%=*}")
    if [[ $read == "${pair#*=}" ]]; then
      report+=$'\n'"  $key: \"$read\" as expected"
    else
      report+=$'\n'"  $key: \"$read\", expected \"${pair#*=}\"   <- differs"
    fi
  done
  fail "after $seconds s the window does not show what is expected:$report"
}

# Blocking xdotool calls (--sync) get a bound of their own.
xdo() { timeout 10 xdotool "$@"; }

visible_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

_one_window() {
  assert_alive "waiting for the window \"$1\""
  mapfile -t _found < <(visible_windows "$1")
  ((${#_found[@]} <= 1)) || fail "${#_found[@]} windows titled \"$1\""
  ((${#_found[@]} == 1))
}

# await_window TITLE: waits for exactly one visible window of that title; sets WID.
await_window() {
  poll_until 10 _one_window "$1" || fail "no window titled \"$1\" appeared"
  WID=${_found[0]}
}

await_no_window() {
  poll_until 5 eval "[[ -z \$(visible_windows '$1') ]]" || fail "the window \"$1\" is still shown"
}

focus_window() { xdo windowfocus --sync "$1"; }

# await_focus WINDOW WHAT: waits until WINDOW has the keyboard focus.
await_focus() {
  poll_until 5 eval "[[ \$(xdotool getwindowfocus 2>/dev/null) == $1 ]]" || fail "$2"
}

# main_geometry: WIDTH and HEIGHT of the main window WID; MENU_HEIGHT, the menu bar above its
# content area.
main_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  MENU_HEIGHT=$((HEIGHT - CONTENT_HEIGHT))
}

# click_content X Y [BUTTON]: a click (left: 1) at content-area coordinates of the main window.
click_content() {
  xdo mousemove --sync --window "$WID" "$1" $(($2 + MENU_HEIGHT)) click "${3:-1}"
}

# region_colours X Y W H: distinct colours in a content-area rectangle of the main window;
# 1 means nothing is drawn there.
region_colours() {
  import -window "$WID" -crop "$3x$4+$1+$(($2 + MENU_HEIGHT))" +repage png:- |
    identify -format '%k' -
}

region_drawn() { (($(region_colours "$@") > 1)); }

# start_at_year_field PROGRAM NOW: the application on the bare server, readable (see
# start_readable_app), and its window focused (no window manager hands out the focus), which
# puts the keyboard focus in the year field, ready for typing; WID is the window.
start_at_year_field() {
  start_xvfb
  start_readable_app "$1" "$2"
  await_window "$MAIN_TITLE"
  main_geometry
  focus_window "$WID"
}

# screenshot NAME: the whole screen into NAME.png in the working directory (the build tree).
screenshot() {
  import -window root "$PWD/$1.png"
  echo "screenshot: $PWD/$1.png"
}
