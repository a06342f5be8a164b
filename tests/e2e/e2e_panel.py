#!/usr/bin/env python3
"""End to end: the remote-control panel and the speed settings."""

import sys
import time

from zeldriver import XServer, Zel, check, run_steps, wait_for

WIDTH, HEIGHT = 1280, 800


def open_panel(x, zel):
    left, top, _, height = x.geometry(zel.window)
    x.click_at(left + 4, top + height // 2, button=3)
    return x.wait_window("^Zel Remote Control$")


def panel_opens_centred_and_quits(executable):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, executable) as zel:
        panel = open_panel(x, zel)
        left, top, width, height = x.geometry(panel)
        check((width, height) == (200, 100), f"panel is {width} x {height}")
        check((left, top) == ((WIDTH - 200) // 2, (HEIGHT - 100) // 2), f"panel is not centred: {left}, {top}")

        x.click_at(left + 30, top + 33)  # "Setting Speed"
        settings = x.wait_window("^Zel Speed Settings$")
        s_left, s_top, s_width, s_height = x.geometry(settings)
        check((s_width, s_height) == (200, 100), f"settings window is {s_width} x {s_height}")

        x.click_at(s_left + 192, s_top + 6)  # its "X" closes it on the press
        wait_for(lambda: not x.find_windows("^Zel Speed Settings$"), 5, "the settings window to close")

        x.click_at(left + 25, top + 73)  # "Quit Zel"
        check(zel.exit_code() == 0, "zel did not end with status 0")
        output = zel.output()
        check("QObject" not in output and "Warning" not in output, f"zel complained on the way out: {output}")


if __name__ == "__main__":
    sys.exit(run_steps([
        ("the panel opens centred, opens the settings, and quits", panel_opens_centred_and_quits),
    ]))
