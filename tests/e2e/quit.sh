#!/usr/bin/env bash
# Each way of quitting ends the application with exit status 0.
#   quit.sh PROGRAM button|ctrl-q|sigterm|sigint|close
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
program=$1
path=$2

start_xvfb
if [[ $path == close ]]; then
  start_openbox
fi
start_app "$program"
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
  close)  # the window manager's close command sends WM_DELETE_WINDOW
    xdo windowactivate --sync "$WID"
    xdotool key alt+F4
    ;;
  *) fail "unknown way of quitting: $path" ;;
esac
await_exit 10 0
echo "quit by $path: exit status 0"
