#!/usr/bin/env bash
# The main window as a window manager sees it: found by its title, 437 by 296 (plus the menu bar
# above the content), hints that ask for a close button and no minimise or maximise, and a size
# that cannot be changed.
#   start_window.sh PROGRAM
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_xvfb
start_openbox
start_app "$1"
await_window "$MAIN_TITLE"
[[ $(xdotool getwindowpid "$WID") == "$APP_PID" ]] || fail "the window is not the application's"

main_geometry
((WIDTH == CONTENT_WIDTH)) || fail "width $WIDTH, expected $CONTENT_WIDTH"
((MENU_HEIGHT >= 15 && MENU_HEIGHT <= 40)) ||
  fail "height $HEIGHT: not the $CONTENT_HEIGHT of the content plus a menu bar"

hints=$(xprop -id "$WID" WM_NORMAL_HINTS)
for bound in minimum maximum; do
  grep -q "specified $bound size: $WIDTH by $HEIGHT" <<<"$hints" ||
    fail "$bound size is not ${WIDTH}x$HEIGHT: $hints"
done

# What the program asks for. _MOTIF_WM_HINTS: flags, functions, decorations. Where the ALL bit is
# set, the other bits name what is taken away.
read -r flags functions decorations _ < <(xprop -id "$WID" _MOTIF_WM_HINTS |
  sed -n 's/.* = //p' | tr -d ,) || true
[[ -n ${flags:-} ]] || fail "no _MOTIF_WM_HINTS"
granted() {  # granted VALUE BIT
  if (($1 & 1)); then ((!($1 & $2))); else (($1 & $2)); fi
}
((flags & 1)) || fail "_MOTIF_WM_HINTS leaves the window's functions to the window manager"
granted "$functions" 8 && fail "the minimise function is granted"
granted "$functions" 16 && fail "the maximise function is granted"
granted "$functions" 32 || fail "the close function is not granted"
if ((flags & 2)); then
  granted "$decorations" 32 && fail "a minimise button is asked for"
  granted "$decorations" 64 && fail "a maximise button is asked for"
fi

# What the window manager made of the hints. Openbox keeps the size fixed and offers no maximise
# or resize, but it draws its minimise and maximise buttons whatever the hints ask, and minimising
# works: that is the window manager's choice, so its buttons and its minimise action are not
# looked at.
actions=$(xprop -id "$WID" _NET_WM_ALLOWED_ACTIONS)
grep -q _NET_WM_ACTION_CLOSE <<<"$actions" || fail "no close action: $actions"
for action in MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE; do
  grep -q "_NET_WM_ACTION_$action\b" <<<"$actions" && fail "the window manager allows $action"
done
read -r _ _ title_bar _ < <(xprop -id "$WID" _NET_FRAME_EXTENTS |
  sed -n 's/.* = //p' | tr -d ,) || true
((${title_bar:-0} > 0)) || fail "the window is not decorated"

size=${WIDTH}x$HEIGHT
xdotool windowsize "$WID" 600 400
sleep 0.5  # the window manager would grant it at once
main_geometry
[[ ${WIDTH}x$HEIGHT == "$size" ]] || fail "the window was resized from $size to ${WIDTH}x$HEIGHT"
assert_alive "the checks"
echo "window $size (menu bar $MENU_HEIGHT), fixed size, asks for a close button only"
