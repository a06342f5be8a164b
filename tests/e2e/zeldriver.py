"""Drives the real zel program under its own Xvfb or Xorg server, as a user would.

Only the standard library and the X tools from Debian (Xvfb, Xorg with the
dummy driver, xrandr, xdotool, xwininfo, xwd, openbox, wmctrl) are used.
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
        self.framebuffer = None

    def __enter__(self):
        self._fbdir = tempfile.TemporaryDirectory()
        # Xvfb picks a free display itself and tells its number through a pipe,
        # so tests running side by side never share a server.
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.width}x{self.height}x24",
             "-nolisten", "tcp", "-fbdir", self._fbdir.name],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        check(number.isdigit(), "Xvfb did not start")
        self.display = f":{number}"
        self.framebuffer = os.path.join(self._fbdir.name, "Xvfb_screen0")
        return self

    def __exit__(self, *exc):
        if self.process:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
        self._fbdir.cleanup()

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

    def click_in(self, geometry, spot, button=1):
        """Clicks at `spot`, one of the places below, of a window at `geometry`."""
        self.click_at(geometry[0] + spot[0], geometry[1] + spot[1], button)

    def type_text(self, text):
        self.run("xdotool", "type", "--delay", "20", text)

    def key(self, *keys):
        self.run("xdotool", "key", *keys)

    # --- pictures ------------------------------------------------------------
    def grab(self, x, y, width, height):
        """The screen area as rows of (r, g, b) tuples, read from the server's frame buffer."""
        with open(self.framebuffer, "rb") as f:
            data = f.read()  # Xvfb keeps its screen in this file as an XWD picture
        return read_xwd_area(data, x, y, width, height)


class CannotRun(Exception):
    """What a test needs cannot run on this machine; the test is skipped."""


class XorgServer(XServer):
    """Xorg with the dummy driver on a free display: no input devices, no VT of its own,
    one output of `width` x `height` whose monitors xrandr can split and join."""

    CONFIG = """
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 64000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "2304x800" 150.00 2304 2320 2336 2352 800 805 810 815
    Modeline "1368x768" 85.00 1368 1384 1400 1416 768 773 778 783
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "2304x800" "1368x768"
        Virtual 2304 800
    EndSubSection
EndSection
"""

    def __init__(self):
        super().__init__(2304, 800)

    def __enter__(self):
        if not shutil.which("Xorg") or not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"):
            raise CannotRun("Xorg with the dummy driver is not installed")
        self._fbdir = tempfile.TemporaryDirectory()
        config = os.path.join(self._fbdir.name, "xorg.conf")
        with open(config, "w") as f:
            f.write(self.CONFIG)
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xorg", "-displayfd", str(write_end), "-config", config, "-configdir", self._fbdir.name,
             "-logfile", os.path.join(self._fbdir.name, "xorg.log"), "-sharevts", "-novtswitch",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number.isdigit():
            self.__exit__()
            raise CannotRun("Xorg with the dummy driver did not start")
        self.display = f":{number}"
        return self

    def grab(self, x, y, width, height):
        data = subprocess.run(["xwd", "-root", "-silent"], env=self.env(), capture_output=True,
                              timeout=30, check=True).stdout
        return read_xwd_area(data, x, y, width, height)


class Openbox:
    """openbox with its stock settings, on the given X server."""

    def __init__(self, xserver):
        self.x = xserver

    def __enter__(self):
        self._config = tempfile.TemporaryDirectory()  # no user's settings
        env = self.x.env() | {"XDG_CONFIG_HOME": self._config.name}
        self.process = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_for(lambda: "Openbox" in self.x.run("wmctrl", "-m", check_result=False), 10,
                     "openbox to manage the screen")
        except Failure as failure:
            self.__exit__()
            raise CannotRun(failure)
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(5)
        self._config.cleanup()


def drag(x, window, dx, dy):
    """Drags the strip by its handle; returns its geometry once it has moved."""
    before = x.geometry(window)
    x.move(before[0] + 4, before[1] + before[3] // 2)
    x.press(1)
    for step in range(1, 11):
        x.move(before[0] + 4 + dx * step // 10, before[1] + before[3] // 2 + dy * step // 10)
        time.sleep(0.02)
    x.release(1)
    return wait_for(lambda: (lambda g: g[:2] != before[:2] and g)(x.geometry(window)), 5,
                    "the strip to move")


def frame(x, window):
    """(top, bottom) of a window's frame, decorations included."""
    _, top, _, height = x.geometry(window)
    extents = x.run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS").split("=")[-1]
    _, _, above, below = (int(v) for v in extents.split(","))
    return top - above, top + height + below


def maximize(x, window, on):
    change = "add" if on else "remove"
    x.run("wmctrl", "-i", "-r", str(window), "-b", f"{change},maximized_vert,maximized_horz")


def read_xwd_area(data, x, y, width, height):
    import struct
    header = struct.unpack(">25I", data[:100])
    header_size, bits_per_pixel, bytes_per_line, ncolors = header[0], header[11], header[12], header[19]
    check(bits_per_pixel in (24, 32), f"unexpected xwd pixel size {bits_per_pixel}: {header}")
    size = bits_per_pixel // 8  # Xorg's xwd packs three bytes a pixel, Xvfb's file four
    pixels = header_size + ncolors * 12
    byte_order = header[7]  # 0 = LSBFirst
    rows = []
    for row in range(y, y + height):
        start = pixels + row * bytes_per_line + x * size
        line = data[start:start + width * size]
        if byte_order == 0:
            rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, len(line), size)])
        else:
            rows.append([tuple(line[i + size - 3:i + size]) for i in range(0, len(line), size)])
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
        try:
            self.window = self.x.wait_window("^Zel$")
        except Failure:
            self.__exit__()
            raise Failure(f"zel showed no window (exit {self.process.returncode}): {self.output()}")
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
        if self.process.poll() is None:
            return ""
        out, err = self.process.communicate(timeout=5)
        return out + err


# --- where a user clicks, from a window's top-left corner ----------------------

PANEL_GET_DATA = (30, 14)
PANEL_SETTING_SPEED = (30, 33)
PANEL_RELOAD = (30, 53)
PANEL_QUIT = (25, 73)
PANEL_CREDIT = (30, 90)
SETTINGS_CLOSE = (192, 6)  # "X" closes the settings on the press
SETTINGS_STEP_BOX = (180, 29)  # the step-size number box
SETTINGS_DELAY_BOX = (180, 69)  # the delay number box
SETTINGS_STEP_RIGHT = (194, 46)  # the step-size slider's right arrow
ABOUT_MIDDLE = (100, 50)


def open_panel(x, window):
    """Right-presses the strip's handle; returns the panel's geometry."""
    left, top, _, height = x.geometry(window)
    x.click_at(left + 4, top + height // 2, button=3)
    return x.geometry(x.wait_window("^Zel Remote Control$"))


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


# --- the moving text -----------------------------------------------------------

def dark_profile(rows, threshold=100):
    """For each column of a picture, how many of its pixels are dark (text)."""
    width = len(rows[0])
    return [sum(1 for row in rows if sum(row[x]) < 3 * threshold) for x in range(width)]


def leftward_shift(before, after, max_shift):
    """How many pixels the dark pattern moved to the left from `before` to `after`.

    Every column of `before` but the leftmost `shift` ones, which have left,
    must stand again `shift` columns further left in `after`.
    """
    width = len(before)
    best, best_cost = None, None
    for shift in range(0, max_shift + 1):
        cost = sum(abs(before[x] - after[x - shift]) for x in range(shift, width)) / (width - shift)
        if best_cost is None or cost < best_cost:
            best, best_cost = shift, cost
    return best


class Strip:
    """The ticker strip of a running zel, for pictures of its frame."""

    def __init__(self, xserver, window):
        self.x = xserver
        left, top, width, height = xserver.geometry(window)
        self.area = (left + 12, top, width - 12, height)  # the frame, right of the handle

    def profile(self):
        return dark_profile(self.x.grab(*self.area))

    def speed(self, seconds, max_shift=None):
        """Pixels per second that the text moves left, over `seconds`."""
        max_shift = max_shift or int(seconds * 400) + 5
        t0 = time.monotonic()
        before = self.profile()
        t0 = (t0 + time.monotonic()) / 2
        time.sleep(seconds)
        t1 = time.monotonic()
        after = self.profile()
        t1 = (t1 + time.monotonic()) / 2
        return leftward_shift(before, after, max_shift) / (t1 - t0)


def news_text(words, seed):
    """A text that never repeats itself within a screen's width."""
    import random
    rng = random.Random(seed)
    vocabulary = ["market", "rain", "train", "delay", "record", "harbour", "festival", "election",
                  "snow", "bridge", "museum", "energy", "ニュース", "東京", "天気", "速報"]
    return " ".join(rng.choice(vocabulary) + str(rng.randint(0, 99)) for _ in range(words))
