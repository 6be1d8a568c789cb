#!/usr/bin/env bash
# A month out of range brings up the modal caution, which takes the keyboard focus; Return
# dismisses it, the focus goes back to the window, the application runs on with the month field
# emptied and focused, so the corrected month is taken and the age computed.
# Leaves caution_dialog.png (the screen with the caution) in the working directory.
#   caution_dialog.sh PROGRAM
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_at_year_field "$1"
main=$WID

xdotool type 1990
xdotool key Tab
xdotool type 13
xdotool key Tab
await_window "$CAUTION_TITLE"
caution=$WID
screenshot caution_dialog
[[ $(xprop -id "$caution" WM_TRANSIENT_FOR) == *"# $(printf '0x%x' "$main")" ]] ||
  fail "the caution does not belong to the main window"
xprop -id "$caution" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "the caution is not modal"
await_focus "$caution" "the caution does not take the keyboard focus"
xdotool key Return
await_no_window "$CAUTION_TITLE"
assert_alive "dismissing the caution"

WID=$main
await_focus "$main" "the main window does not get the keyboard focus back"
xdotool type 5
xdotool key Tab
xdotool type 20
xdotool key Tab
xdotool key ctrl+k
poll_until 5 region_drawn "${YEARS_RESULT[@]}" ||
  fail "no age shown: the corrected month did not go into the emptied month field"
[[ -z $(visible_windows "$CAUTION_TITLE") ]] || fail "a second caution came up"

xdotool key ctrl+q
await_exit 10 0
echo "month 13 cautioned, dismissed with Return, corrected to 5: exit status 0"
