#!/usr/bin/python3
"""Prints what a running program's windows show, as its accessibility tree tells it: one line
per widget on screen,

    WINDOW <TAB> ROLE <TAB> X Y W H <TAB> focused|- <TAB> TEXT

WINDOW is the title of the top-level window, X Y W H the widget's rectangle relative to that
window's content area, TEXT a field's contents or else the widget's name (a label's text, a
button's caption). Tabs, newlines and backslashes in TEXT are written \\t, \\n and \\\\.
Exits with 1, printing nothing, while the program has no window in the tree (it registers a
moment after it starts).

    read_window.py PID

Needs Debian's python3 with python3-pyatspi and the session bus the program uses.
"""
import sys

import pyatspi


def escaped(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def shown_text(accessible):
    if accessible.getRole() == pyatspi.ROLE_TEXT:
        return accessible.queryText().getText(0, -1)
    return accessible.name


def extents(accessible):
    return accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def walk(accessible, title, origin, lines):
    box = extents(accessible)
    focused = accessible.getState().contains(pyatspi.STATE_FOCUSED)
    lines.append("\t".join((
        title, accessible.getRoleName(),
        f"{box.x - origin.x} {box.y - origin.y} {box.width} {box.height}",
        "focused" if focused else "-", escaped(shown_text(accessible)))))
    for child in accessible:
        if child is not None and showing(child):
            walk(child, title, origin, lines)


def main():
    pid = int(sys.argv[1])
    lines = []
    for application in pyatspi.Registry.getDesktop(0):
        if application is None or application.get_process_id() != pid:
            continue
        for window in application:
            if window is None or not showing(window):
                continue
            # A main window's content area is its first filler (the menu bar lies above it);
            # a dialog has none and is its own content area.
            content = next((child for child in window
                            if child is not None and child.getRole() == pyatspi.ROLE_FILLER),
                           window)
            walk(window, window.name, extents(content), lines)
    if not lines:
        return 1
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
