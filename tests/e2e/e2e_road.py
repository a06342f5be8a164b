#!/usr/bin/env python3
"""End to end: the whole road, from choosing a file to quitting, as a user goes it."""

import os
import sys
import tempfile
import time

from zeldriver import (ABOUT_MIDDLE, PANEL_CREDIT, PANEL_GET_DATA, PANEL_QUIT, PANEL_RELOAD,
                       PANEL_SETTING_SPEED, SETTINGS_CLOSE, SETTINGS_STEP_RIGHT, Strip, XServer, Zel,
                       check, news_text, open_panel, run_steps, wait_for)

WIDTH, HEIGHT = 1280, 800


def whole_road(executable):
    with tempfile.TemporaryDirectory() as folder, XServer(WIDTH, HEIGHT) as x, Zel(x, executable) as zel:
        news = os.path.join(folder, "news.txt")
        with open(news, "w", encoding="utf-8") as f:
            f.write(news_text(400, seed=1))
        binary = os.path.join(folder, "picture.png")
        with open(binary, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR" + bytes(range(256)) * 8)

        panel = open_panel(x, zel.window)

        def choose(path):
            x.click_in(panel, PANEL_GET_DATA)
            x.wait_window("^Path Box$")
            time.sleep(0.2)
            x.key("ctrl+a")
            x.type_text(path)
            x.key("Return")
            wait_for(lambda: not x.find_windows("^Path Box$"), 5, "the Path Box to close")

        # The chosen file moves from right to left at the default speed.
        choose(news)
        strip = Strip(x, zel.window)
        time.sleep(1.0)
        slow = strip.speed(1.0)
        check(40 <= slow <= 100, f"text moves at {slow:.1f} px/s at the defaults")

        # A faster step size from the settings dialog's slider.
        x.click_in(panel, PANEL_SETTING_SPEED)
        settings = x.geometry(x.wait_window("^Zel Speed Settings$"))
        for _ in range(2):
            x.click_in(settings, SETTINGS_STEP_RIGHT)
        fast = strip.speed(1.0)
        check(fast > 2 * slow, f"the slider did not make it faster: {slow:.1f} -> {fast:.1f} px/s")
        x.click_in(settings, SETTINGS_CLOSE)
        wait_for(lambda: not x.find_windows("^Zel Speed Settings$"), 5, "the settings to close")

        # A reload shows the file's new text at once, entering at the right edge.
        with open(news, "w", encoding="utf-8") as f:
            f.write("RELOADED")
        x.click_in(panel, PANEL_RELOAD)
        time.sleep(0.3)
        profile = strip.profile()
        dark = [i for i, count in enumerate(profile) if count]
        check(dark and min(dark) > len(profile) - 400, f"the old text is still shown after the reload: {dark[:3]}")

        # A file that is not text brings the message; the ticker goes on.
        main_window = zel.window
        choose(binary)
        message = wait_for(lambda: [w for w in x.find_windows("^Zel$") if w != main_window], 5,
                           "the message box")[0]
        m_left, m_top, m_width, m_height = x.geometry(message)
        check(m_width > 100 and m_height > 50, f"the message box is {m_width} x {m_height}")
        x.key("Return")
        wait_for(lambda: message not in x.find_windows("^Zel$"), 5, "the message box to close")
        check(strip.speed(0.5) > 0, "the ticker stopped after the message")

        # The credit line opens an about box; a click closes it.
        x.click_in(panel, PANEL_CREDIT)
        x.click_in(x.geometry(x.wait_window("^About Zel$")), ABOUT_MIDDLE)
        wait_for(lambda: not x.find_windows("^About Zel$"), 5, "the about box to close")

        x.click_in(panel, PANEL_QUIT)
        check(zel.exit_code() == 0, "zel did not end with status 0")


if __name__ == "__main__":
    sys.exit(run_steps([("choose, watch, speed up, reload, refuse, about, quit", whole_road)]))
