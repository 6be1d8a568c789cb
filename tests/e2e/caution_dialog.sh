#!/usr/bin/env bash
# A month out of range brings up the modal caution, which takes the keyboard focus and, read
# back through the accessibility tree, says what is wrong and what to do. Return dismisses it,
# the focus goes back to the window, the application runs on with the month field emptied and
# focused, so the corrected month is taken and the age computed (today fixed at 2006-08-10:
# 16 years and 2 months for 1990-05-20).
# Leaves caution_dialog.png (the screen with the caution) in the working directory.
#   caution_dialog.sh PROGRAM
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_at_year_field "$1" "2006-08-10 12:00:00"
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
# The first read also waits for the accessibility registry to start.
await_shown 10 dialog=注意 \
  dialog.1=注意：日付に誤りがあります。 \
  dialog.2=月を正しく入力してください。 \
  dialog.3= 'focus=push button OK'
xdotool key Return
await_no_window "$CAUTION_TITLE"
assert_alive "dismissing the caution"

WID=$main
await_focus "$main" "the main window does not get the keyboard focus back"
await_shown 5 dialog= year=1990 month= focus=month
xdotool type 5
xdotool key Tab
xdotool type 20
xdotool key Tab
xdotool key ctrl+k
await_shown 5 dialog= month=05 day=20 years=16歳 months=2ヶ月
region_drawn "${YEARS_RESULT[@]}" || fail "the age is not drawn"

xdotool key ctrl+q
await_exit 10 0
echo "month 13 cautioned, dismissed with Return, corrected to 5: 16歳 2ヶ月; exit status 0"
