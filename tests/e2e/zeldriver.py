"""Drives the real zel program under its own Xvfb server, as a user would.

Only the standard library and the X tools from Debian (Xvfb, xdotool,
xwininfo, xwd) are used.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise Failure(f"timed out after {timeout} s waiting for {what}")


class XServer:
    """An Xvfb server without a window manager, on a free display number."""

    def __init__(self, width=1280, height=800):
        self.width, self.height = width, height
        self.process = None
        self.display = None

    def __enter__(self):
        for number in range(90, 200):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            display = f":{number}"
            process = subprocess.Popen(
                ["Xvfb", display, "-screen", "0", f"{self.width}x{self.height}x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_for(lambda: process.poll() is not None or self._answers(display), 10, "Xvfb")
            except Failure:
                process.kill()
                raise
            if process.poll() is None:
                self.process, self.display = process, display
                return self
        raise Failure("no free X display number")

    @staticmethod
    def _answers(display):
        return subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def __exit__(self, *exc):
        if self.process:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env["QT_QPA_PLATFORM"] = "xcb"
        env.pop("WAYLAND_DISPLAY", None)
        env["LC_ALL"] = "C.UTF-8"
        return env

    def run(self, *args, check_result=True):
        result = subprocess.run(list(args), env=self.env(), capture_output=True, text=True, timeout=30)
        if check_result and result.returncode != 0:
            raise Failure(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    # --- windows -------------------------------------------------------------
    def find_windows(self, name):
        out = self.run("xdotool", "search", "--onlyvisible", "--name", name, check_result=False)
        return [int(w) for w in out.split()]

    def wait_window(self, name, timeout=15):
        return wait_for(lambda: (self.find_windows(name) or [None])[-1], timeout, f"window {name!r}")

    def geometry(self, window):
        """(x, y, width, height) of a window, in root coordinates."""
        out = self.run("xwininfo", "-id", str(window))
        fields = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    # --- pointer and keyboard ------------------------------------------------
    def move(self, x, y):
        self.run("xdotool", "mousemove", str(x), str(y))

    def press(self, button=1):
        self.run("xdotool", "mousedown", str(button))

    def release(self, button=1):
        self.run("xdotool", "mouseup", str(button))

    def click_at(self, x, y, button=1):
        self.move(x, y)
        time.sleep(0.1)
        self.press(button)
        time.sleep(0.1)
        self.release(button)
        time.sleep(0.2)

    def type_text(self, text):
        self.run("xdotool", "type", "--delay", "20", text)

    def key(self, *keys):
        self.run("xdotool", "key", *keys)

    # --- pictures ------------------------------------------------------------
    def grab(self, x, y, width, height):
        """The screen area as rows of (r, g, b) tuples, read from an xwd dump."""
        with tempfile.NamedTemporaryFile(suffix=".xwd") as dump:
            self.run("xwd", "-root", "-silent", "-out", dump.name)
            return read_xwd_area(dump.name, x, y, width, height)


def read_xwd_area(path, x, y, width, height):
    import struct
    with open(path, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    header_size, bits_per_pixel, bytes_per_line, ncolors = header[0], header[11], header[12], header[19]
    check(bits_per_pixel == 32, f"unexpected xwd depth {bits_per_pixel}")
    pixels = header_size + ncolors * 12
    byte_order = header[7]  # 0 = LSBFirst
    rows = []
    for row in range(y, y + height):
        start = pixels + row * bytes_per_line + x * 4
        line = data[start:start + width * 4]
        if byte_order == 0:
            rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, len(line), 4)])
        else:
            rows.append([(line[i + 1], line[i + 2], line[i + 3]) for i in range(0, len(line), 4)])
    return rows


class Zel:
    """The program under test."""

    def __init__(self, xserver, executable):
        self.x = xserver
        self.executable = executable
        self.process = None

    def __enter__(self):
        self.process = subprocess.Popen([self.executable], env=self.x.env(),
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.window = self.x.wait_window("^Zel$")
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def exit_code(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure("zel did not end")

    def output(self):
        out, err = self.process.communicate(timeout=5)
        return out + err


def run_steps(steps):
    """Runs the named steps in order; prints one line each and a closing count."""
    import traceback
    executable = os.environ.get("ZEL_EXECUTABLE") or shutil.which("zel")
    failed = 0
    for name, step in steps:
        try:
            step(executable)
            print(f"PASS: {name}")
        except Exception:  # a step's failure must not hide the others
            failed += 1
            print(f"FAIL: {name}")
            traceback.print_exc()
    passed = len(steps) - failed
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0
