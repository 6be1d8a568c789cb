#!/usr/bin/env bash
# Under a dark desktop colour scheme the window keeps the light look it was drawn in: its black
# label texts stay on a light background.
# Leaves dark_theme.png (the screen) in the working directory.
#   dark_theme.sh PROGRAM
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

theme_plugin=$(find /usr/lib -path '*/qt6/plugins/platformthemes/libqgtk3.so' -print -quit)
[[ -n $theme_plugin ]] || fail "Qt's GTK platform theme is not installed (see ./dev)"

start_xvfb
QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark start_app "$1"
await_window "$MAIN_TITLE"
main_geometry
screenshot dark_theme

# lightest_darkest X Y W H: the lightest and the darkest grey (0 to 100) in a content rectangle.
lightest_darkest() {
  import -window "$WID" -crop "$3x$4+$1+$(($2 + MENU_HEIGHT))" +repage png:- |
    convert - -colorspace Gray -format '%[fx:round(100*maxima)] %[fx:round(100*minima)]\n' info:
}

# The prompt and the year's unit: black text, so the darkest is the ink and the lightest what
# lies behind it.
for region in "58 10 319 27 the prompt" "158 48 23 25 the unit 年"; do
  read -r x y w h what <<<"$region"
  read -r background ink < <(lightest_darkest "$x" "$y" "$w" "$h")
  ((background >= 80 && ink <= 30)) ||
    fail "$what: ink at $ink% grey on a background at $background%, not dark on light"
done
assert_alive "the checks"
echo "dark desktop scheme: the labels read dark on light"
