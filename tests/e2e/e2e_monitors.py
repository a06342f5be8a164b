#!/usr/bin/env python3
"""End to end on Xorg with two monitors (1280x800 at 0,0 and 1024x768 to its right): the strip
lies inside one monitor after drops, unplugs, re-plugs and changes of resolution, and keeps
exactly its own line, under openbox, under xfwm4, and with no window manager at first.
Exits 77 (skipped) only where Xorg with the dummy driver cannot start."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

from zeldriver import (CannotRun, Openbox, XorgServer, Zel, check, frame, maximize, run_steps,
                       wait_for)

LEFT, RIGHT = (0, 0, 1280, 800), (1280, 0, 1024, 768)
SKIPPED = 77


def set_monitors(x, *monitors):
    """Monitors given as (x, y, width, height), or the output's own single monitor for none."""
    listed = x.run("xrandr", "--listmonitors")
    for name in ("LEFT", "RIGHT"):
        if f" {name} " in listed:
            x.run("xrandr", "--delmonitor", name)
    for name, (left, top, width, height) in zip(("LEFT", "RIGHT"), monitors):
        output = "DUMMY0" if name == "LEFT" else "none"
        x.run("xrandr", "--setmonitor", name, f"{width}/300x{height}/200+{left}+{top}", output)


def strut(x, window):
    out = x.run("xprop", "-id", str(window), "_NET_WM_STRUT_PARTIAL", "_NET_WM_STRUT")
    values = [line.split("=")[1] for line in out.splitlines() if "=" in line]
    return [[int(v) for v in value.split(",")] for value in values]


class StripOnMonitors:
    def __init__(self, x, zel):
        self.x, self.window = x, zel.window
        self.height = x.geometry(zel.window)[3]
        self.handle = wait_for(lambda: self._painted(self._sample()), 5, "the handle to be painted")

    def _sample(self):
        left, top, _, _ = self.x.geometry(self.window)
        self.x.move(2303 if left < 1280 else 0, 400)  # the pointer is drawn into the picture
        return self.x.grab(left, top, 8, 8)

    @staticmethod
    def _painted(sample):
        colours = set(sample[0] + sample[-1])
        return len(colours) == 1 and (0, 0, 0) not in colours and sample

    def drop(self, px, py):
        """Drags the strip by its handle until the pointer is at (px, py)."""
        left, top, _, _ = self.x.geometry(self.window)
        x0, y0 = left + 4, top + self.height // 2
        self.x.move(x0, y0)
        self.x.press(1)
        for step in range(1, 11):
            self.x.move(x0 + (px - x0) * step // 10, y0 + (py - y0) * step // 10)
        self.x.release(1)

    def lies(self, left, top, width, what, strut_values, legacy=None):
        """Within a second the strip lies at (left, top) `width` wide, its handle shows,
        and it reserves `strut_values`, and the older strut only as `legacy` says."""
        wanted = [strut_values, legacy] if legacy else [strut_values] if any(strut_values) else []
        wait_for(lambda: self.x.geometry(self.window)[:3] == (left, top, width), 1,
                 f"the strip at {(left, top, width)} {what}, not {self.x.geometry(self.window)[:3]}")
        wait_for(lambda: strut(self.x, self.window) == wanted, 1,
                 f"the strut {wanted} {what}, not {strut(self.x, self.window)}")
        check(self._sample() == self.handle, f"the handle is not in sight {what}")

    def top(self, left, width):
        return [0, 0, self.height, 0, 0, 0, 0, 0, left, left + width - 1, 0, 0]

    def bottom(self, left, width, below=0):
        """The strut at the bottom of a monitor whose bottom lies `below` px above the root's."""
        return [0, 0, 0, below + self.height, 0, 0, 0, 0, 0, 0, left, left + width - 1]


def logo(x, left):
    """A maximized xlogo on the monitor at `left`; returns its window."""
    subprocess.Popen(["xlogo", "-geometry", f"300x200+{left + 100}+100"], env=x.env(),
                     stderr=subprocess.DEVNULL)
    window = wait_for(lambda: [w for w in x.find_windows("^xlogo$") if x.geometry(w)[0] >= left
                               and x.geometry(w)[0] < left + 1000], 5, "xlogo")[0]
    maximize(x, window, True)
    return window


def docks_and_follows_the_monitors(executable):
    with XorgServer() as x, Openbox(x), Zel(x, executable) as zel:
        set_monitors(x, LEFT, RIGHT)
        strip = StripOnMonitors(x, zel)
        h = strip.height
        strip.drop(1299, 3)
        strip.lies(1280, 0, 1024, "dropped at the top of the second monitor", strip.top(1280, 1024))
        first, second = logo(x, 0), logo(x, 1280)
        wait_for(lambda: frame(x, second)[0] == h, 5, "a window maximized on the second monitor "
                 f"to leave the strip's line, not {frame(x, second)}")
        wait_for(lambda: frame(x, first) == (0, 800), 5, "a window maximized on the first monitor "
                 f"to keep its full height, not {frame(x, first)}")

        strip.drop(1281, 765)  # the hand 1 px over the seam, the strip's left end 3 px short of it
        strip.lies(1280, 768 - h, 1024, "dropped across the seam at the second monitor's bottom",
                   strip.bottom(1280, 1024, below=32))
        wait_for(lambda: frame(x, second)[1] == 768 - h, 5, "a window maximized on the second "
                 f"monitor to end above the strip, not {frame(x, second)}")
        check(frame(x, first) == (0, 800), f"the first monitor lost height: {frame(x, first)}")

        x.run("xrandr", "--delmonitor", "RIGHT")
        strip.lies(0, 800 - h, 1280, "after its monitor is unplugged", strip.bottom(0, 1280),
                   legacy=[0, 0, 0, h])
        x.run("xrandr", "--setmonitor", "RIGHT", "1024/300x768/200+1280+0", "none")
        strip.lies(0, 800 - h, 1280, "after the monitor is plugged in again", strip.bottom(0, 1280))
        wait_for(lambda: frame(x, first)[1] == 800 - h, 5, "a window maximized on the first "
                 f"monitor to end above the strip, not {frame(x, first)}")

        set_monitors(x)
        strip.lies(0, 800 - h, 2304, "on one monitor over the whole output", strip.bottom(0, 2304),
                   legacy=[0, 0, 0, h])
        x.run("xrandr", "--output", "DUMMY0", "--mode", "1368x768")
        strip.lies(0, 768 - h, 1368, "after the resolution dropped",
                   strip.bottom(0, 1368), legacy=[0, 0, 0, h])
        x.run("xrandr", "--output", "DUMMY0", "--mode", "2304x800")
        strip.lies(0, 800 - h, 2304, "after the resolution came back", strip.bottom(0, 2304),
                   legacy=[0, 0, 0, h])


def keeps_its_line_with_no_window_manager_then_openbox(executable):
    with XorgServer() as x:
        set_monitors(x, LEFT, RIGHT)
        with Zel(x, executable) as zel:
            strip = StripOnMonitors(x, zel)
            strip.lies(0, 0, 1280, "with no window manager", strip.top(0, 1280))
            with Openbox(x):
                window = logo(x, 0)
                wait_for(lambda: frame(x, window)[0] == strip.height, 5, "openbox to leave the "
                         f"strip's line to a maximized window, not {frame(x, window)}")


def keeps_its_line_where_xfwm4_places_it(executable):
    with XorgServer() as x:
        set_monitors(x, LEFT, RIGHT)
        if not shutil.which("xfwm4") or not shutil.which("dbus-run-session"):
            raise CannotRun("xfwm4 is not installed")
        with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as config:
            xfwm4 = subprocess.Popen(
                ["dbus-run-session", "--", "xfwm4", "--compositor=off", "--sm-client-disable"],
                env=x.env() | {"XDG_CONFIG_HOME": config}, start_new_session=True,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_for(lambda: "Xfwm4" in x.run("wmctrl", "-m", check_result=False), 10,
                         "xfwm4 to manage the screen")
                spy = subprocess.Popen(["xprop", "-root", "-spy", "_NET_WORKAREA"], env=x.env(),
                                       stdout=subprocess.PIPE, text=True)
                with Zel(x, executable) as zel:
                    strip = StripOnMonitors(x, zel)
                    strip.lies(0, 0, 1280, "placed by xfwm4", strip.top(0, 1280))
                    line = [0, strip.height, 1280, 800 - strip.height]
                    workarea = lambda: x.run("xprop", "-root", "_NET_WORKAREA").split("=")[1]
                    wait_for(lambda: [int(v) for v in workarea().split(",")[:4]] == line, 5,
                             f"the work area to leave exactly the strip's line, not {workarea()}")
                spy.terminate()
                seen = [[int(v) for v in out.split("=")[1].split(",")[:4]]
                        for out in spy.communicate()[0].splitlines()]
                check(all(area in ([0, 0, 1280, 800], line) for area in seen),
                      f"the work area was for a while other than the strip's line: {seen}")
            finally:
                os.killpg(xfwm4.pid, signal.SIGTERM)
                xfwm4.wait(5)


if __name__ == "__main__":
    try:
        with XorgServer():
            pass
    except CannotRun as reason:
        print(f"SKIP: {reason}")
        sys.exit(SKIPPED)
    sys.exit(run_steps([
        ("drops, unplug, re-plug and resolution changes under openbox",
         docks_and_follows_the_monitors),
        ("no window manager, then openbox", keeps_its_line_with_no_window_manager_then_openbox),
        ("placed at the top by xfwm4", keeps_its_line_where_xfwm4_places_it),
    ]))
