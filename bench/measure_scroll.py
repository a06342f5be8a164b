#!/usr/bin/env python3
"""Measures the running ticker under Xvfb: speed, smoothness, CPU, big files.

    python3 bench/measure_scroll.py [--zel build/zel] [--seconds 20]

Speed and smoothness come from the X server's own frame buffer, read about a
thousand times a second: every change of the strip is a frame the display
shows. CPU is measured in a second run without that polling.
"""

import argparse
import os
import struct
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from zeldriver import (PANEL_GET_DATA, PANEL_SETTING_SPEED, SETTINGS_CLOSE,  # noqa: E402
                       SETTINGS_STEP_BOX, Strip, XServer, Zel, dark_profile, leftward_shift,
                       news_text, open_panel, wait_for)

WIDTH, HEIGHT = 1280, 800


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_memory_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


class Session:
    def __init__(self, x, zel):
        self.x, self.zel = x, zel
        self.panel = open_panel(x, zel.window)
        self.strip = Strip(x, zel.window)

    def choose(self, path):
        """Chooses a file; returns the moment Enter was pressed."""
        self.x.click_in(self.panel, PANEL_GET_DATA)
        self.x.wait_window("^Path Box$")
        time.sleep(0.2)
        self.x.key("ctrl+a")
        self.x.type_text(path)
        pressed = time.monotonic()
        self.x.key("Return")
        return pressed

    def set_step_size(self, value):
        self.x.click_in(self.panel, PANEL_SETTING_SPEED)
        settings = self.x.geometry(self.x.wait_window("^Zel Speed Settings$"))
        self.x.click_in(settings, SETTINGS_STEP_BOX)
        self.x.key("ctrl+a")
        self.x.type_text(str(value))
        self.x.click_in(settings, SETTINGS_CLOSE)


def strip_band(x, area):
    """The raw bytes of the strip's rows in the frame buffer."""
    left, top, width, height = area
    with open(x.framebuffer, "rb") as f:
        header = f.read(100)
        fields = struct.unpack(">25I", header)
        start = fields[0] + fields[19] * 12
        f.seek(start + top * fields[12])
        return f.read(height * fields[12]), fields[12]


def frames(x, area, seconds):
    """Every distinct picture of the strip over `seconds`, with its time."""
    seen = []
    last = None
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        band, stride = strip_band(x, area)
        if band != last:
            seen.append((time.monotonic(), band))
            last = band
        time.sleep(0.0005)
    return seen, stride


def profile_of(band, stride, area):
    left, _, width, height = area
    rows = []
    for row in range(height):
        line = band[row * stride + left * 4: row * stride + (left + width) * 4]
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, len(line), 4)])
    return dark_profile(rows)


def start_scrolling(x, zel, text_file, step):
    """Loads the text at the given step size and lets it settle; returns the session."""
    session = Session(x, zel)
    if step != 1:
        session.set_step_size(step)
    session.choose(text_file)
    time.sleep(2.0)
    return session


def smoothness(zel_path, text_file, step, seconds):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, zel_path) as zel:
        session = start_scrolling(x, zel, text_file, step)
        seen, stride = frames(x, session.strip.area, seconds)
    profiles = [profile_of(band, stride, session.strip.area) for _, band in seen]
    moves = [leftward_shift(a, b, 12) for a, b in zip(profiles, profiles[1:])]
    times = [t for t, _ in seen]
    gaps = [b - a for a, b in zip(times, times[1:])]
    elapsed = times[-1] - times[0]
    distance = sum(moves)
    histogram = {m: moves.count(m) for m in sorted(set(moves))}
    return {
        "px_per_s": distance / elapsed,
        "frames_per_s": len(moves) / elapsed,
        "px_per_frame": histogram,
        "longest_stall_ms": max(gaps) * 1000,
        "frames": len(moves),
    }


def cpu(zel_path, text_file, step, seconds):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, zel_path) as zel:
        start_scrolling(x, zel, text_file, step)
        zel0, x0, t0 = cpu_seconds(zel.process.pid), cpu_seconds(x.process.pid), time.monotonic()
        time.sleep(seconds)
        zel1, x1, t1 = cpu_seconds(zel.process.pid), cpu_seconds(x.process.pid), time.monotonic()
    return {"zel_cpu_percent": 100 * (zel1 - zel0) / (t1 - t0),
            "xvfb_cpu_percent": 100 * (x1 - x0) / (t1 - t0)}


def big_file(zel_path, path):
    with XServer(WIDTH, HEIGHT) as x, Zel(x, zel_path) as zel:
        session = Session(x, zel)
        pressed = session.choose(path)
        area = session.strip.area

        def text_shown():
            band, stride = strip_band(x, area)
            return any(profile_of(band, stride, area))

        wait_for(text_shown, 60, "the big file's text")
        shown = time.monotonic()
        return {"ok_to_text_s": shown - pressed, "peak_memory_mib": peak_memory_mib(zel.process.pid)}


def startup(zel_path):
    with XServer(WIDTH, HEIGHT) as x:
        started = time.monotonic()
        with Zel(x, zel_path):
            return {"start_to_window_s": time.monotonic() - started}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--zel", default=os.path.join(os.path.dirname(__file__), "..", "build", "zel"))
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--big-mib", type=int, default=100)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as folder:
        small = os.path.join(folder, "news.txt")
        with open(small, "w", encoding="utf-8") as f:
            f.write(news_text(10000, seed=7)[:1024])
        print("start-up:", startup(args.zel))
        for step in (1, 2):
            print(f"step {step}, smoothness:", smoothness(args.zel, small, step, args.seconds))
            print(f"step {step}, CPU:", cpu(args.zel, small, step, args.seconds))
        big = os.path.join(folder, "big.txt")
        line = (news_text(60, seed=3) + "\n").encode("utf-8")
        with open(big, "wb") as f:
            f.write(line * (args.big_mib * 1024 * 1024 // len(line)))
        print(f"{args.big_mib} MiB file:", big_file(args.zel, big))


if __name__ == "__main__":
    main()
