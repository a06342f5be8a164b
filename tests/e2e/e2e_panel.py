#!/usr/bin/env python3
"""End to end: the remote-control panel and the speed settings."""

import sys
import time

from zeldriver import (PANEL_QUIT, PANEL_SETTING_SPEED, SETTINGS_CLOSE, XServer, Zel, check,
                       open_panel, run_steps, wait_for)

WIDTH, HEIGHT = 1280, 800


def panel_opens_centred_and_quits(executable):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, executable) as zel:
        panel = open_panel(x, zel.window)
        left, top, width, height = panel
        check((width, height) == (200, 100), f"panel is {width} x {height}")
        check((left, top) == ((WIDTH - 200) // 2, (HEIGHT - 100) // 2), f"panel is not centred: {left}, {top}")

        x.click_in(panel, PANEL_SETTING_SPEED)
        settings = x.geometry(x.wait_window("^Zel Speed Settings$"))
        check(settings[2:] == (200, 100), f"settings window is {settings[2]} x {settings[3]}")

        x.click_in(settings, SETTINGS_CLOSE)
        wait_for(lambda: not x.find_windows("^Zel Speed Settings$"), 5, "the settings window to close")

        x.click_in(panel, PANEL_QUIT)
        check(zel.exit_code() == 0, "zel did not end with status 0")
        output = zel.output()
        check("QObject" not in output and "Warning" not in output, f"zel complained on the way out: {output}")


if __name__ == "__main__":
    sys.exit(run_steps([
        ("the panel opens centred, opens the settings, and quits", panel_opens_centred_and_quits),
    ]))
