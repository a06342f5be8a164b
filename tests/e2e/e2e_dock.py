#!/usr/bin/env python3
"""End to end: under openbox, beside an xlogo window, the strip stays in sight, keeps its line
at the top and bottom edges, takes no focus, and lets the panel come up above it.
Exits 77 (skipped) where openbox cannot start."""

import os
import shutil
import subprocess
import sys

from zeldriver import (PANEL_SETTING_SPEED, CannotRun, Openbox, XServer, Zel, check, drag, frame,
                       maximize, open_panel, wait_for)

WIDTH, HEIGHT = 1280, 800
SKIPPED = 77


def strip_stays_in_sight(executable):
    with XServer(WIDTH, HEIGHT) as x, Openbox(x), Zel(x, executable) as zel:
        handle_sample = lambda: x.grab(*x.geometry(zel.window)[:2], 8, 8)
        x.move(WIDTH - 1, HEIGHT // 2)  # the pointer is drawn into the picture
        painted = lambda h: len(set(h[0] + h[-1])) == 1 and h[0][0] != (0, 0, 0) and h  # one colour
        handle = wait_for(lambda: painted(handle_sample()), 5, "the handle to be painted")

        def handle_shows(what):
            x.move(WIDTH - 1, HEIGHT // 2)
            wait_for(lambda: handle_sample() == handle, 5, f"the handle to show {what}")

        logo_process = subprocess.Popen(["xlogo", "-geometry", f"{WIDTH}x{HEIGHT}+0+0"], env=x.env(),
                                        stderr=subprocess.DEVNULL)
        try:
            logo = str(x.wait_window("^xlogo$"))
            x.run("wmctrl", "-i", "-a", logo)
            focused = lambda: x.run("xdotool", "getwindowfocus").strip() == logo
            wait_for(focused, 5, "xlogo's focus")
            left, top, _, height = x.geometry(zel.window)
            check(0 < top < HEIGHT // 2, f"strip starts at y={top}, not in mid-screen")
            x.run("wmctrl", "-i", "-r", logo, "-e", f"0,0,0,{WIDTH},{HEIGHT}")
            x.run("wmctrl", "-i", "-a", logo)
            wait_for(lambda: frame(x, logo)[0] <= top and frame(x, logo)[1] >= top + height, 5,
                     "xlogo to cover the strip's line")
            handle_shows("over a window raised over the whole screen")

            moved = drag(x, zel.window, 0, 37)
            check(moved[:2] == (left, top + 37), f"a drag by 37 px moved the strip to {moved[:2]}")
            check(focused(), "the drag took the focus")

            drag(x, zel.window, 0, 5 - moved[1])  # a few pixels short of the top edge
            wait_for(lambda: x.geometry(zel.window)[1] == 0, 5, "the strip to snap to the top")
            maximize(x, logo, True)
            wait_for(lambda: frame(x, logo)[0] == height, 5,
                     "the maximized window to begin below the strip")
            handle_shows("above a maximized window")

            x.run("wmctrl", "-s", "1")
            handle_shows("on workspace 2")
            x.run("wmctrl", "-s", "0")

            drag(x, zel.window, 0, HEIGHT - height - 3)
            wait_for(lambda: x.geometry(zel.window)[1] == HEIGHT - height, 5,
                     "the strip to snap to the bottom")
            wait_for(lambda: frame(x, logo) == (0, HEIGHT - height), 5,
                     "the maximized window to end above the strip")

            # Into mid-screen, across the second label-button of the panel that opens centred.
            button = (HEIGHT - 100) // 2 + PANEL_SETTING_SPEED[1]
            strip = drag(x, zel.window, 0, button - height // 2 - x.geometry(zel.window)[1])
            maximize(x, logo, False)
            maximize(x, logo, True)
            wait_for(lambda: frame(x, logo) == (0, HEIGHT), 5, "a maximized window to fill the screen")

            panel = open_panel(x, zel.window)
            check(focused(), "the right press took the focus")
            check(strip[1] < panel[1] + PANEL_SETTING_SPEED[1] < strip[1] + height,
                  "the strip does not cross the panel's second label-button")
            x.click_in(panel, PANEL_SETTING_SPEED)
            x.wait_window("^Zel Speed Settings$")
        finally:
            logo_process.terminate()
            logo_process.wait(5)


if __name__ == "__main__":
    if not shutil.which("openbox"):
        print("SKIP: openbox is not installed")
        sys.exit(SKIPPED)
    try:
        strip_stays_in_sight(os.environ.get("ZEL_EXECUTABLE") or shutil.which("zel"))
    except CannotRun as reason:
        print(f"SKIP: {reason}")
        sys.exit(SKIPPED)
    print("PASS: under openbox the strip stays in sight and keeps its line at the top and bottom edges")
