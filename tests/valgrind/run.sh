#!/usr/bin/env bash
# valgrind memcheck over a scripted session of the real program under Xvfb: start, type a date,
# calculate, reject a month, quit. Fails on any memory error and on any block definitely lost;
# qt.supp names the third-party reports that are no fault, each with its reason.
#   tests/valgrind/run.sh PROGRAM        (./dev test passes build/app/nansai)
# The whole report is left in PROGRAM.memcheck.log.
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:?usage: tests/valgrind/run.sh PROGRAM}")
# shellcheck source=../e2e/lib.sh
source "$here/../e2e/lib.sh"

readonly SLOW=120  # seconds for any one step: memcheck runs the program 20 to 50 times slower
readonly LOG=$program.memcheck.log
month_field=(214 62)

shown() {
  assert_alive "waiting for \"$1\""
  [[ -n $(visible_windows "$1") ]]
}
await_shown() { poll_until "$SLOW" shown "$1" || fail "no window \"$1\" within $SLOW s"; }

start_xvfb
# Widgets draw without OpenGL: skipping Qt's GLX integration keeps Mesa out of the process.
# There is no session bus here: an address that leads nowhere stops libdbus from forking to
# start one (a desktop session has its bus).
start_app env QT_XCB_GL_INTEGRATION=none DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_TMP/no-bus" \
  valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --suppressions="$here/qt.supp" --num-callers=40 \
  --child-silent-after-fork=yes --gen-suppressions=all --log-file="$LOG" "$program"

await_shown "$MAIN_TITLE"
WID=$(visible_windows "$MAIN_TITLE")
main=$WID
main_geometry
focus_window "$main"  # no window manager hands out the focus

echo "memcheck: typing 1990/5/20 and calculating"
click_content "${YEAR_FIELD[@]}"
xdotool type 1990
xdotool key Tab
xdotool type 5
xdotool key Tab
xdotool type 20
xdotool key Tab ctrl+k
poll_until "$SLOW" region_drawn "${YEARS_RESULT[@]}" || fail "no age shown after Ctrl+K"

echo "memcheck: month 13, rejected"
click_content "${month_field[@]}"
xdotool key End BackSpace BackSpace
xdotool type 13
xdotool key Tab
await_shown "$CAUTION_TITLE"
focus_window "$(visible_windows "$CAUTION_TITLE")"
xdotool key Return
poll_until "$SLOW" eval "! shown '$CAUTION_TITLE'" || fail "the caution stayed"

echo "memcheck: quitting"
focus_window "$main"
xdotool key ctrl+q
poll_until "$SLOW" eval "! alive $APP_PID" || fail "still running $SLOW s after Ctrl+Q"
reap_app

grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable|suppressed:' \
  "$LOG" | sed 's/^==[0-9]*== */memcheck: /'
case $APP_STATUS in
  0) echo "memcheck: clean (report: $LOG)" ;;
  99)
    # Each report up to its blank line, without the suppression block written after it.
    grep -v '^   \|^[{}]' "$LOG" | sed -n '/^==[0-9]*== [A-Z0-9].* \(lost in\|[Ii]nvalid\|uninitiali\|[Mm]ismatched\)/,/^==[0-9]*== $/p' |
      head -100 >&2
    fail "memcheck found errors: see $LOG"
    ;;
  *) fail "the program exited with $APP_STATUS (report: $LOG)" ;;
esac
