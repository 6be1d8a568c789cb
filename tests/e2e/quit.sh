#!/usr/bin/env bash
# Each way of quitting ends the application with exit status 0, also with its standard error
# closed. SIGINT ignored at launch stays ignored. A start that cannot succeed (too few free file
# descriptors, no display) ends with one report and status 1, not an abort, also when the report
# goes into a broken pipe. Qt's warnings while it starts come out as Qt words them, also before
# an abort that QT_FATAL_WARNINGS asks for.
#   quit.sh PROGRAM button|ctrl-q|sigterm|sigint|close|sigint-ignored|stderr-closed|held-warning
#   quit.sh PROGRAM fd-limit|fd-taken|no-display|broken-pipe|fatal-warning
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
program=$1
path=$2
run=("$program")
status=1 first="Unhandled exception: "  # how a start that cannot succeed ends

start_xvfb
# shellcheck disable=SC2016  # $0 and $! are the inner shell's
case $path in
  close) start_openbox ;;
  sigint-ignored) run=(env --ignore-signal=INT "$program") ;;
  # As from cron or after su: the X connection would take descriptor 2, and a warning about the
  # runtime directory would go into it.
  stderr-closed)
    run=(env -u XDG_RUNTIME_DIR TMPDIR="$E2E_TMP" bash -c 'exec "$0" 2>&-' "$program")
    ;;
  # The toolkit would abort or hang in threads of its own.
  fd-limit) run=(bash -c 'ulimit -n 6 && exec "$0"' "$program") ;;
  fd-taken)
    run=(bash -c 'ulimit -n 32 && for fd in {3..29}; do eval "exec $fd</dev/null"; done &&
      exec "$0"' "$program")
    ;;
  no-display) run=(env -u DISPLAY "$program") ;;
  broken-pipe) run=(bash -c 'ulimit -n 20 && exec 2> >(true) && wait $! && exec "$0"' "$program") ;;
  held-warning) run=(env XDG_RUNTIME_DIR=/proc/nope/x "$program") first="QStandardPaths: error" ;;
  fatal-warning)
    run=(env -u XDG_RUNTIME_DIR TMPDIR="$E2E_TMP" QT_FATAL_WARNINGS=1
      bash -c 'ulimit -c 0 && exec "$0"' "$program")
    status=134 first="QStandardPaths: XDG_RUNTIME_DIR not set" ;;
esac
case $path in
  fd-limit | fd-taken | no-display | broken-pipe | fatal-warning)
    start_app "${run[@]}" 2>"$E2E_TMP/stderr"
    poll_until 10 eval "! alive $APP_PID" || fail "the application runs ($path)"
    reap_app
    report=$(cat "$E2E_TMP/stderr")
    [[ $APP_STATUS == "$status" ]] || fail "exit status $APP_STATUS, expected $status: $report"
    if [[ $path != broken-pipe ]]; then
      [[ $(wc -l <"$E2E_TMP/stderr") == 1 && $report == "$first"* ]] ||
        fail "expected one line \"$first…\", got: $report"
    fi
    echo "$path: exit status $status ${report:+and the report: $report}"
    exit 0
    ;;
esac
start_app "${run[@]}" 2>"$E2E_TMP/stderr"
await_window "$MAIN_TITLE"
main_geometry

case $path in
  button) click_content "${QUIT_BUTTON[@]}" ;;
  ctrl-q)
    focus_window "$WID"
    xdotool key ctrl+q
    ;;
  sigterm | stderr-closed | held-warning) kill -TERM "$APP_PID" ;;
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
[[ $path != held-warning || $(<"$E2E_TMP/stderr") == "$first"* ]] || fail "$(<"$E2E_TMP/stderr")"
echo "quit by $path: exit status 0"
