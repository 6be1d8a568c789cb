#!/usr/bin/env bash
# A date of birth typed field by field, the age by Ctrl+K, then Ctrl+Q, with today fixed at
# 2006-08-10. Read back through the accessibility tree: the fields hold the date as completed,
# the era label the era of 1990, the results 16 years and 2 months (born 1990-05-20: the 16th
# birthday was 2006-05-20, and 2006-07-20 the last full month since); Tab goes on through the
# fields and from the day back to the year. The era and the age also get drawn, no caution comes
# up, the process lives throughout and exits with 0. The year field has the focus from the start,
# and a click back into it selects its text, so the digit typed next replaces the year.
# Leaves date_entry.png (the screen with the result) in the working directory.
#   date_entry.sh PROGRAM
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_at_year_field "$1" "2006-08-10 12:00:00"

# The first read also waits for the accessibility registry to start.
await_shown 10 year= era= years= months= focus=year
region_drawn "${ERA_LABEL[@]}" && fail "the era label shows something before a year is entered"
xdotool type 1990
xdotool key Tab
await_shown 5 year=1990 'era=平成（へいせい） 2 年' focus=month
region_drawn "${ERA_LABEL[@]}" || fail "the era text is not drawn"

xdotool type 5
xdotool key Tab
xdotool type 20
xdotool key Tab
await_shown 5 month=05 day=20 focus=year years= months=
region_drawn "${YEARS_RESULT[@]}" && fail "a result is drawn before the calculation"

xdotool key ctrl+k
# The keys are handled in order, and a modal caution for month 5 or day 20 would hold Ctrl+K back.
await_shown 5 dialog= years=16歳 months=2ヶ月 year=1990 month=05 day=20 \
  'era=平成（へいせい） 2 年' focus=year
region_drawn "${YEARS_RESULT[@]}" || fail "the age is not drawn"
screenshot date_entry

# Back into the filled year field by a click: its text is selected, so a digit replaces it.
xdotool key Tab
await_shown 5 focus=month
click_content "${YEAR_FIELD[@]}"
xdotool type 2
await_shown 5 year=2 focus=year years= months= 'era=平成（へいせい） 2 年'

# A middle click pastes the X selection; a click after it only places the caret, not selects.
xdotool type 0
click_content "${MONTH_FIELD[@]}"
printf 8 | xclip -selection primary -quiet 2>/dev/null & _owned_pids+=($!)
poll_until 5 eval '[[ $(xclip -o -selection primary 2>/dev/null) == 8 ]]' || fail "xclip holds no 8"
click_content "${YEAR_FIELD_END[@]}" 2
xdo click 1
xdotool type 7
await_shown 5 year=2087

xdotool key ctrl+q
await_exit 10 0
echo "1990/5/20 entered on 2006-08-10: era and age shown; Ctrl+Q: exit status 0"
