#!/usr/bin/env python3
"""End to end: the ticker strip on a bare X server."""

import glob
import os
import sys
import time
import xml.etree.ElementTree as ElementTree

from zeldriver import XServer, Zel, check, run_steps, wait_for

WIDTH, HEIGHT = 1280, 800


def strip_spans_the_screen_one_line_high(executable):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, executable) as zel:
        _, _, width, height = x.geometry(zel.window)
        check(width == WIDTH, f"strip is {width} px wide, screen is {WIDTH}")
        check(10 <= height <= 30, f"strip is {height} px high, not one text line")
        hints = x.run("xprop", "-id", str(zel.window), "_MOTIF_WM_HINTS", check_result=False)
        # Flags bit 1 says decorations are given; decoration bit 3 would ask for a title.
        values = [int(v, 0) for v in hints.split("=")[-1].replace(",", " ").split()] if "=" in hints else []
        check(len(values) >= 3 and values[0] & 2 and not values[2] & 8,
              f"window asks the window manager for a title bar: {hints.strip()}")
        names_the_program_as_its_entries_do(x, zel.window)


def names_the_program_as_its_entries_do(x, window):
    """WM_CLASS, the desktop entry (named by the program's id, which Qt is given too) and the
    software-centre entry name the same program, so that desktops match the window to the menu."""
    desktop, = glob.glob(os.path.join(os.environ["ZEL_APP_DIR"], "*.desktop"))
    app_id = os.path.basename(desktop)[:-len(".desktop")]
    with open(desktop) as f:
        entry = dict(line.strip().split("=", 1) for line in f if "=" in line)
    instance, wm_class = (v.strip(' "\n') for v in x.run("xprop", "-id", str(window), "WM_CLASS")
                          .split("=")[1].split(","))
    check((instance, wm_class) == (entry["Exec"], entry["StartupWMClass"]),
          f"WM_CLASS {instance}, {wm_class} is not Exec and StartupWMClass of {desktop}")
    info = ElementTree.parse(os.path.join(os.path.dirname(desktop), f"{app_id}.metainfo.xml"))
    named = (info.findtext("id"), info.findtext("launchable"), info.findtext("provides/binary"))
    check(named == (app_id, f"{app_id}.desktop", entry["Exec"]),
          f"the metainfo names {named}, the desktop entry {app_id}, {entry['Exec']}")


def left_drag_on_handle_moves_the_strip(executable):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, executable) as zel:
        left, top, _, height = x.geometry(zel.window)
        x.move(left + 4, top + height // 2)
        time.sleep(0.2)
        x.press(1)
        for step in range(1, 11):
            x.move(left + 4 + 10 * step, top + height // 2 + 30 * step)
            time.sleep(0.03)
        x.release(1)
        moved = wait_for(lambda: x.geometry(zel.window)[1] != top and x.geometry(zel.window), 5,
                         "the strip to move")
        check(abs(moved[1] - (top + 300)) <= 2, f"strip moved to y={moved[1]}, expected {top + 300}")
        check(moved[2] == WIDTH, "dragging changed the strip's width")
        check(zel.process.poll() is None, "zel ended during the drag")


if __name__ == "__main__":
    sys.exit(run_steps([
        ("the strip spans the screen, one line high, without a title bar",
         strip_spans_the_screen_one_line_high),
        ("a left drag on the handle moves the strip", left_drag_on_handle_moves_the_strip),
    ]))
