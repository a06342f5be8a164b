#!/usr/bin/env python3
"""End to end: zel on native Wayland, on weston.

Weston's headless output takes no input from outside, so there the zelprobe
input plugin presses the handle and the panel's label-buttons inside the
program. Weston's X11 output, in a window of Xvfb, takes xdotool's pointer:
there the strip is dragged as a user drags it. Exits 77 (skipped) with a
message where weston or Qt's Wayland platform is missing or weston cannot
start.
"""

import glob
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

from zeldriver import Failure, XServer, check, wait_for

WIDTH, HEIGHT = 1024, 640
SKIPPED = 77


class CannotRun(Exception):
    pass


class Weston:
    """A weston on its own socket, with a runtime folder of its own: on a headless output, or in a
    window of the given X server, whose pointer (driven by xdotool) is then weston's pointer."""

    def __init__(self, xserver=None):
        self.xserver = xserver

    def __enter__(self):
        self._runtime = tempfile.TemporaryDirectory()
        os.chmod(self._runtime.name, 0o700)  # Wayland refuses a runtime folder others can read
        self.socket = "zel-e2e"
        self.log = os.path.join(self._runtime.name, "weston.log")
        # The pixman renderer draws real pixels, which the screenshooter needs.
        backend = "x11-backend.so" if self.xserver else "headless-backend.so"
        env = self.env()
        if self.xserver:
            env["DISPLAY"] = self.xserver.display
        self.process = subprocess.Popen(
            ["weston", f"--backend={backend}", "--use-pixman", "--no-config", "--debug",
             f"--socket={self.socket}", f"--width={WIDTH}", f"--height={HEIGHT}", "--idle-time=0",
             f"--log={self.log}"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 15
        while not os.path.exists(os.path.join(self._runtime.name, self.socket)):
            if self.process.poll() is not None or time.monotonic() > deadline:
                log = self.log_text()[-2000:]
                self.__exit__()
                raise CannotRun(f"weston did not start: {log}")
            time.sleep(0.05)
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self._runtime.cleanup()

    def log_text(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def env(self):
        env = dict(os.environ)
        env["XDG_RUNTIME_DIR"] = self._runtime.name
        env["WAYLAND_DISPLAY"] = "zel-e2e"
        env["QT_QPA_PLATFORM"] = "wayland"
        for name in ("DISPLAY", "XDG_SESSION_TYPE", "QT_XCB_NO_MITSHM"):
            env.pop(name, None)
        env["LC_ALL"] = "C.UTF-8"
        if not self.xserver:
            # The headless output has no seat, and Qt 6.4's Wayland text input then crashes when a
            # text box draws its cursor (a desktop always has a seat). A client-side input method,
            # as many desktops choose, keeps Qt's Wayland text input out of the way.
            env["QT_IM_MODULE"] = "compose"
        return env

    def screenshot(self):
        """Weston's own screenshot of the output, as rows of (r, g, b); kept in ZEL_SCREENSHOT_DIR
        when that is set."""
        with tempfile.TemporaryDirectory() as scratch:
            return self._screenshot(os.environ.get("ZEL_SCREENSHOT_DIR") or scratch)

    def _screenshot(self, folder):
        before = set(os.listdir(folder))
        subprocess.run(["weston-screenshooter"], cwd=folder, env=self.env(), timeout=20, check=True,
                       capture_output=True)
        taken = [name for name in os.listdir(folder) if name not in before and name.endswith(".png")]
        check(len(taken) == 1, f"weston-screenshooter left {taken}")
        path = os.path.join(folder, taken[0])
        ppm = subprocess.run(["convert", path, "ppm:-"], capture_output=True, timeout=20, check=True).stdout
        return read_ppm(ppm)


def read_ppm(data):
    fields, rest = data.split(maxsplit=4)[:4], data.split(maxsplit=4)[4]
    check(fields[0] == b"P6" and fields[3] == b"255", f"unexpected picture header {fields}")
    width, height = int(fields[1]), int(fields[2])
    return [[tuple(rest[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


class ProbedZel:
    """zel with the probe plugin; reads the probe's reports from standard error."""

    def __init__(self, weston, executable):
        env = weston.env()
        env["QT_PLUGIN_PATH"] = os.environ["ZEL_PROBE_PLUGINS"]
        env["QT_QPA_GENERIC_PLUGINS"] = "zelprobe"
        self.process = subprocess.Popen([executable], env=env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.lines = []
        self._buffer = b""

    def wait_report(self, name, timeout=20):
        """The probe's next report line that begins with `name`, split into words."""
        deadline = time.monotonic() + timeout
        while True:
            while self._buffer.count(b"\n"):
                line, self._buffer = self._buffer.split(b"\n", 1)
                self.lines.append(line.decode(errors="replace"))
                if line.startswith(b"zel-probe: " + name.encode()):
                    return line.decode().split()[1:]
            ready, _, _ = select.select([self.process.stderr], [], [], 0.1)
            chunk = os.read(self.process.stderr.fileno(), 4096) if ready else b""
            if (ready and not chunk) or time.monotonic() > deadline:
                raise Failure(f"no report {name!r} from the probe (exit {self.process.poll()}): " +
                              "\n".join(self.lines[-20:]))
            self._buffer += chunk

    def ask(self, command):
        """Has the probe press what `command` names: panel, settings or quit."""
        self.process.stdin.write(command.encode() + b"\n")
        self.process.stdin.flush()

    def quit(self, timeout=10):
        self.ask("quit")
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("zel did not end on Quit")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def size(word):
    width, height = word.split("x")
    return int(width), int(height)


def strip_spans_the_output_and_the_panel_works(executable):
    with Weston() as weston:
        zel = ProbedZel(weston, executable)
        try:
            strip = zel.wait_report("strip")
            width, height = size(strip[1])
            check(size(strip[3]) == (WIDTH, HEIGHT), f"zel sees a screen of {strip[3]}")
            check(width == WIDTH, f"strip is {width} px wide, weston's output {WIDTH}")
            check(10 <= height <= 30, f"strip is {height} px high, not one text line (title bar?)")
            check(strip[4] == "fixed", "the strip's size is not fixed: tiling compositors would tile it")

            rows = wait_for(lambda: (lambda rows: find_strip(rows) and rows)(weston.screenshot()), 10,
                            "weston's screenshot to show the strip")
            check(len(rows) == HEIGHT and len(rows[0]) == WIDTH, f"screenshot is not {WIDTH}x{HEIGHT}")
            check(find_strip(rows)[0] == 0, f"the strip begins at {find_strip(rows)}, not at the left edge")

            zel.ask("panel")
            panel = zel.wait_report("panel")
            check(size(panel[1]) == (200, 100), f"panel is {panel[1]}")
            zel.ask("settings")
            settings = zel.wait_report("settings")
            check(size(settings[1]) == (200, 100), f"settings window is {settings[1]}")
            zel.ask("about")
            check(size(zel.wait_report("about")[1])[0] > 0, "the about box has no size")

            # The whole road: a file, Latin and Japanese, moves through the strip.
            with tempfile.TemporaryDirectory() as folder:
                path = os.path.join(folder, "news.txt")
                with open(path, "w", encoding="utf-8") as f:
                    f.write("Zel on Wayland — 東京 天気 速報 — market record, harbour festival " * 20)
                zel.ask("getdata")
                zel.wait_report("pathbox")
                zel.ask(f"open {path}")
                left, top = find_strip(rows)
                wait_for(lambda: has_text(weston.screenshot()[top + 2:top + 12]), 10,
                         "the text in the strip")
                if os.environ.get("ZEL_SCREENSHOT_DIR"):
                    time.sleep(4)
                    weston.screenshot()  # the text on its way, for whoever keeps the screenshots
            check(zel.process.poll() is None, "zel ended while the text ran")

            check(zel.quit() == 0, f"zel ended with status {zel.process.returncode}")
        finally:
            zel.stop()


def compositor_moves_the_strip_and_the_panel_opens(executable):
    with XServer(WIDTH + 200, HEIGHT + 200) as x, Weston(x) as weston:
        zel = ProbedZel(weston, executable)
        try:
            zel.wait_report("strip")
            left, top = wait_for(lambda: find_strip(weston.screenshot()), 10, "the strip on screen")
            # Weston's window takes the pointer when it enters from outside, so the X screen is
            # larger than the window and the pointer comes in from beyond its corner.
            x.move(WIDTH + 100, HEIGHT + 100)
            time.sleep(0.1)
            x.move(left + 4, top + 5)
            time.sleep(0.2)
            x.press(1)
            # The compositor starts the move only while the button is down: hold still until zel,
            # perhaps slow on a busy machine, has asked for it.
            time.sleep(1.5)
            for step in range(1, 11):
                x.move(left + 4 + 10 * step, top + 5 + 30 * step)
                time.sleep(0.03)
            x.release(1)
            moved = wait_for(lambda: find_strip(weston.screenshot()) != (left, top) and
                             find_strip(weston.screenshot()), 5, "the strip to move")
            check(moved == (left + 100, top + 300), f"strip moved from {(left, top)} to {moved}")

            x.click_at(moved[0] + 4, moved[1] + 5, button=3)
            zel.wait_report("panel")
            check(zel.quit() == 0, f"zel ended with status {zel.process.returncode}")
        finally:
            zel.stop()


def has_text(rows):
    """Whether dark pixels (text) stand in the strip's light frame, right of the settings window."""
    pixels = [pixel for row in rows for pixel in row[300:]]
    frame = max(set(pixels), key=pixels.count)
    return sum(frame) > 450 and any(sum(pixel) < 120 for pixel in pixels)


def find_strip(rows):
    """(x, y) where the strip's handle begins in a screenshot, or None: the first row that ends in 200
    pixels of one colour, the empty frame, which the textured desktop never does, with a run of
    another colour as wide as the handle (10 pixels) left of the frame."""
    for y, row in enumerate(rows):
        frame = row[-1]
        if any(pixel != frame for pixel in row[-200:]):
            continue
        x = len(row) - 200
        while x > 0 and row[x - 1] == frame:
            x -= 1
        handle = x - 1
        while handle > 0 and row[handle - 1] == row[x - 1]:
            handle -= 1
        if x > 0 and 8 <= x - handle <= 12:
            return handle, y
    return None


def why_not_runnable():
    if not shutil.which("weston") or not shutil.which("weston-screenshooter"):
        return "weston is not installed"
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        return "Qt's Wayland platform (qt6-wayland) is not installed"
    return None


if __name__ == "__main__":
    reason = why_not_runnable()
    if reason:
        print(f"SKIP: {reason}")
        sys.exit(SKIPPED)
    steps = [("on native Wayland the strip spans the output, the panel and the settings open, Quit "
              "ends with status 0", strip_spans_the_output_and_the_panel_works),
             ("a drag on the handle has the compositor move the strip; a right press opens the panel",
              compositor_moves_the_strip_and_the_panel_opens)]
    executable = os.environ.get("ZEL_EXECUTABLE") or shutil.which("zel")
    for name, step in steps:
        try:
            step(executable)
        except CannotRun as reason:
            print(f"SKIP: {reason}")
            sys.exit(SKIPPED)
        print(f"PASS: {name}")
