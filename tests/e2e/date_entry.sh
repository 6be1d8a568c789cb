#!/usr/bin/env bash
# A date of birth typed field by field, the age by Ctrl+K, then Ctrl+Q: the era label and the
# years result get drawn, no caution comes up, the process lives throughout and exits with 0.
# Leaves date_entry.png (the screen with the result) in the working directory.
#   date_entry.sh PROGRAM
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_at_year_field "$1"

region_drawn "${ERA_LABEL[@]}" && fail "the era label shows something before a year is entered"
xdotool type 1990
xdotool key Tab
poll_until 5 region_drawn "${ERA_LABEL[@]}" || fail "no era shown after the year was left by Tab"
assert_alive "the year"

xdotool type 5
xdotool key Tab
xdotool type 20
xdotool key Tab
assert_alive "the month and the day"

region_drawn "${YEARS_RESULT[@]}" && fail "a result is shown before the calculation"
xdotool key ctrl+k
# The keys are handled in order, and a modal caution for month 5 or day 20 would hold Ctrl+K back.
if ! poll_until 5 region_drawn "${YEARS_RESULT[@]}"; then
  [[ -z $(visible_windows "$CAUTION_TITLE") ]] || fail "a caution came up for month 5, day 20"
  fail "no age shown after Ctrl+K"
fi
assert_alive "the calculation"
screenshot date_entry

xdotool key ctrl+q
await_exit 10 0
echo "1990/5/20 entered, age shown, Ctrl+Q: exit status 0"
