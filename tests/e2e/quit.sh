#!/usr/bin/env bash
# Each way of quitting ends the application with exit status 0. SIGINT ignored at launch stays
# ignored. Too few file descriptors end the start with one report and status 1, not an abort.
#   quit.sh PROGRAM button|ctrl-q|sigterm|sigint|close|sigint-ignored|fd-limit
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
program=$1
path=$2
run=("$program")

start_xvfb
case $path in
  close) start_openbox ;;
  sigint-ignored) run=(env --ignore-signal=INT "$program") ;;
  fd-limit)  # far too few for the toolkit, which would abort or hang in threads of its own
    # shellcheck disable=SC2016  # $0 is the inner shell's
    run=(bash -c 'ulimit -n 6 && exec "$0"' "$program")
    ;;
esac
if [[ $path == fd-limit ]]; then
  start_app "${run[@]}" 2>"$E2E_TMP/stderr"
  poll_until 10 eval "! alive $APP_PID" || fail "the application runs with 6 file descriptors"
  reap_app
  reports=$(grep -c '^Unhandled exception: ' "$E2E_TMP/stderr" || true)
  [[ $APP_STATUS == 1 && $reports == 1 ]] ||
    fail "exit status $APP_STATUS and $reports reports, expected 1 and 1: $(cat "$E2E_TMP/stderr")"
  echo "started with 6 file descriptors: $(grep '^Unhandled' "$E2E_TMP/stderr"), exit status 1"
  exit 0
fi
start_app "${run[@]}"
await_window "$MAIN_TITLE"
main_geometry

case $path in
  button) click_content "${QUIT_BUTTON[@]}" ;;
  ctrl-q)
    focus_window "$WID"
    xdotool key ctrl+q
    ;;
  sigterm) kill -TERM "$APP_PID" ;;
  sigint) kill -INT "$APP_PID" ;;
  # The window manager's close command sends WM_DELETE_WINDOW. That the application's Close
  # does not run on it is seen in-process (QuitTest.ClosingTheOnlyWindowQuitsWithCodeZero).
  close)
    xdo windowactivate --sync "$WID"
    xdotool key alt+F4
    ;;
  sigint-ignored)  # as under nohup or in a background job: Ctrl+C is not for this program
    sigint_bit=$((1 << (2 - 1)))
    (($(grep SigIgn "/proc/$APP_PID/status" | cut -f2 | sed 's/^/0x/') & sigint_bit)) ||
      fail "SIGINT is no longer ignored"
    kill -INT "$APP_PID"
    sleep 0.5
    assert_alive "SIGINT, ignored since launch"
    kill -TERM "$APP_PID"
    ;;
  *) fail "unknown way of quitting: $path" ;;
esac
await_exit 10 0
echo "quit by $path: exit status 0"
