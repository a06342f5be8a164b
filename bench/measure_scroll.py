#!/usr/bin/env python3
"""Measures the running ticker under Xvfb: speed, smoothness, CPU, big files.

    python3 bench/measure_scroll.py [--zel build/zel [--zel other/zel ...]]
        [--seconds 20] [--scenarios step1,step2,delay1000,empty,stopped]
        [--texts mixed] [--big-mib 100] [--floor build/zel-scroll-floor]
        [--scale 1,1.25,1.5,2] [--rounds 2] [--cpu-only]

Speed and smoothness come from the X server's own frame buffer, read about a
thousand times a second: every change of the strip is a frame the display
shows. CPU and the main thread's voluntary context switches are measured in a
second run without that polling. With several programs, each scenario runs
them one after the other, so that their figures compare within one run; a
table of all figures ends the report. `--big-mib 0` leaves out the start-up
and big-file measures. `--floor` adds, for the moving scenarios, the CPU of a
bare Qt widget program that scrolls a strip of the same height at the same
pace, measured in turn with the others: the least that any Qt ticker costs on
this machine at that moment. `--texts` runs the scenarios that show a text
with each text named: mixed, latin or japanese, short (one piece of the ticker)
or long (many pieces, measured once the text fills the strip), as in
`--texts mixed,latin-short,japanese-long`; a name without a length is short.
`--scale` runs the moving scenarios again at each display scale named, as Qt
sets it for a desktop of 120 or 144 dpi (QT_SCALE_FACTOR), the floor at the
same scale; speeds are then in logical pixels, as the ticker counts them. With
`--floor`, every X server first sees a window of a dialog's size come and go,
as on a desktop, so that the server treats the ticker's connection (which
shows a dialog) and the floor's alike.

The texts run one after the other, each at every scale in turn, `--rounds`
times (back and forth). With 1 among several scales the report ends with each
program's CPU, its own and its X server's together, at every scale against the
same at 100 % in the same round, the worst case named; with `--floor`, with
each program against the bare scroller measured right after it. `--cpu-only`
leaves out the speed and smoothness runs. `--side-by-side` runs every scale of
a text at once instead, each program and the floor on an X server of its own,
and samples their CPU over the same seconds (the defaults only).
"""

import subprocess

import argparse
import contextlib
import os
import struct
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from zeldriver import (PANEL_GET_DATA, Failure, PANEL_SETTING_SPEED, SETTINGS_CLOSE,  # noqa: E402
                       SETTINGS_DELAY_BOX, SETTINGS_STEP_BOX, Strip, XServer, Zel, dark_profile,
                       leftward_shift, news_text, open_panel, wait_for)

WIDTH, HEIGHT = 1280, 800


def cpu_seconds(pid):
    """CPU time of all the process's threads so far, to the microsecond (the
    scheduler's own count; the clock ticks of /proc/PID/stat come in 10 ms)."""
    total = 0.0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/sched") as f:
                for line in f:
                    if line.startswith("se.sum_exec_runtime"):
                        total += float(line.split(":")[1]) / 1000
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total


def voluntary_switches(pid):
    """Voluntary context switches of the main thread so far."""
    with open(f"/proc/{pid}/task/{pid}/status") as f:
        for line in f:
            if line.startswith("voluntary_ctxt_switches:"):
                return int(line.split()[1])
    return 0


def peak_memory_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


class ScaledXServer(XServer):
    """An X server whose programs run at a display scale; clicks land on the
    same logical spots of a window. With a floor program, a window of a
    dialog's size comes and goes first, so that every program meets the server
    as on a desktop (see bench/scrollfloor.cpp)."""

    settle_with = None

    def __init__(self, scale=1.0):
        super().__init__(WIDTH, HEIGHT)
        self.scale = scale

    def __enter__(self):
        super().__enter__()
        if self.settle_with:
            subprocess.run([self.settle_with, "--large-window"], env=self.env(), timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def env(self):
        env = super().env()
        if self.scale != 1:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        return env

    def click_in(self, geometry, spot, button=1):
        super().click_in(geometry, (round(spot[0] * self.scale), round(spot[1] * self.scale)), button)


class Session:
    def __init__(self, x, zel):
        self.x, self.zel = x, zel
        self.panel = open_panel(x, zel.window)
        self.strip = Strip(x, zel.window)
        if x.scale != 1:  # the frame starts right of the handle, 12 logical pixels in
            left, top, width, height = x.geometry(zel.window)
            handle = round(12 * x.scale)
            self.strip.area = (left + handle, top, width - handle, height)

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

    def set_speed(self, step, delay):
        self.x.click_in(self.panel, PANEL_SETTING_SPEED)
        settings = self.x.geometry(self.x.wait_window("^Zel Speed Settings$"))
        for spot, value in ((SETTINGS_STEP_BOX, step), (SETTINGS_DELAY_BOX, delay)):
            self.x.click_in(settings, spot)
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
    """Every distinct picture of the strip over `seconds`, with its time; the time it took."""
    seen = []
    last = None
    begin = time.monotonic()
    while time.monotonic() < begin + seconds:
        band, stride = strip_band(x, area)
        if band != last:
            seen.append((time.monotonic(), band))
            last = band
        time.sleep(0.0005)
    return seen, stride, time.monotonic() - begin


def profile_of(band, stride, area):
    left, _, width, height = area
    rows = []
    for row in range(height):
        line = band[row * stride + left * 4: row * stride + (left + width) * 4]
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, len(line), 4)])
    return dark_profile(rows)


class Scenario:
    """What the ticker runs: a text file (None: stopped) at a step size and delay.

    `pace` is the nominal speed in pixels a second where the floor program
    can run beside it."""

    def __init__(self, name, text, step=1, delay=0, pace=None, settle=2.0):
        self.name, self.text, self.step, self.delay, self.pace = name, text, step, delay, pace
        self.settle = settle


def scenarios(text, empty, fills_strip=False):
    """The scenarios for one text; a long one settles until it fills the strip."""
    def settle(pace):
        return WIDTH / pace + 2.0 if fills_strip and pace else 2.0

    # At delay 1000 a step of 15 twips moves one pixel, so every step shows.
    return {s.name: s for s in (
        Scenario("step1", text, pace=1000 / 15, settle=settle(1000 / 15)),
        Scenario("step2", text, step=2, pace=2000 / 15, settle=settle(2000 / 15)),
        Scenario("delay1000", text, step=15, delay=1000),
        Scenario("empty", empty), Scenario("stopped", None))}


LATIN_WORDS = ("the", "licence", "permission", "software", "copy", "notice", "without", "warranty",
               "holders", "liable", "damages", "contract", "shall", "included", "portions",
               "merchantability", "fitness", "particular", "purpose", "express", "implied")
JAPANESE_WORDS = ("東京", "天気", "速報", "ニュース", "きょうは", "はれ", "ところにより", "あめ",
                  "電車", "遅れ", "お知らせ", "会議室", "みなさま", "ございます", "大阪", "地震")


def words_text(vocabulary, words, seed, separators):
    import random
    rng = random.Random(seed)
    return "".join(rng.choice(vocabulary) + rng.choice(separators) for _ in range(words))


def text_of(name):
    """The named text: its kind, then short (one piece, under 512 characters) or long."""
    kind, _, length = name.partition("-")
    long = length == "long"
    if kind == "mixed":
        return news_text(1500, seed=7)[:6144] if long else news_text(10000, seed=7)[:500]
    if kind == "latin":
        return words_text(LATIN_WORDS, 800 if long else 50, 11, (" ", " ", " ", ", ", ". "))[
            :6144 if long else 500]
    if kind == "japanese":
        return words_text(JAPANESE_WORDS, 1500 if long else 80, 13, ("", "", "、", "。"))[
            :3072 if long else 500]
    raise SystemExit(f"unknown text {name!r}: mixed, latin or japanese, -short or -long")


def start(x, zel, scenario):
    """Starts the scenario and lets it settle; returns the strip's area."""
    session = Session(x, zel)
    if (scenario.step, scenario.delay) != (1, 0):
        session.set_speed(scenario.step, scenario.delay)
    if scenario.text is not None:
        session.choose(scenario.text)
    time.sleep(scenario.settle)
    return session.strip.area


def smoothness(zel_path, scenario, seconds, scale=1.0):
    with ScaledXServer(scale) as x, Zel(x, zel_path) as zel:
        area = start(x, zel, scenario)
        seen, stride, elapsed = frames(x, area, seconds)
    profiles = [profile_of(band, stride, area) for _, band in seen]
    moves = [leftward_shift(a, b, 12) for a, b in zip(profiles, profiles[1:])]
    times = [t for t, _ in seen]
    gaps = [b - a for a, b in zip(times, times[1:])]
    if not moves:
        return {"px_per_s": 0.0, "frames_per_s": 0.0, "px_per_frame": {}, "longest_gap_ms": None,
                "frames": 0}
    return {
        "px_per_s": sum(moves) / elapsed / scale,
        "frames_per_s": len(moves) / elapsed,
        "px_per_frame": {m: moves.count(m) for m in sorted(set(moves))},
        "longest_gap_ms": max(gaps) * 1000,
        "frames": len(moves),
    }


def cpu(zel_path, scenario, seconds, scale=1.0):
    with ScaledXServer(scale) as x, Zel(x, zel_path) as zel:
        area = start(x, zel, scenario)
        return dict(cpu_share(zel.process.pid, x, seconds), strip_height=area[3])


def cpu_share(pid, x, seconds):
    def sample():
        return cpu_seconds(pid), cpu_seconds(x.process.pid), voluntary_switches(pid), time.monotonic()

    program0, x0, sw0, t0 = sample()
    time.sleep(seconds)
    program1, x1, sw1, t1 = sample()
    return {"zel_cpu_percent": 100 * (program1 - program0) / (t1 - t0),
            "xvfb_cpu_percent": 100 * (x1 - x0) / (t1 - t0),
            "switches_per_s": (sw1 - sw0) / (t1 - t0)}


def side_by_side(programs, floor_path, scenario, seconds, scales):
    """Every program, and the floor, at every scale at once, each on its own X
    server, sampled over the same seconds: a load that comes and goes on the
    machine meets them all alike. Returns {(program, scale): figures}."""
    with contextlib.ExitStack() as stack:
        runs = []
        for scale in scales:
            for program in programs:
                x = stack.enter_context(ScaledXServer(scale))
                zel = stack.enter_context(Zel(x, program))
                quick = Scenario(scenario.name, scenario.text, scenario.step, scenario.delay, settle=0)
                area = start(x, zel, quick)
                runs.append(((program, scale), zel.process.pid, x))
            if floor_path and scenario.pace:
                x = stack.enter_context(ScaledXServer(scale))
                floor = subprocess.Popen([floor_path, str(scenario.pace), str(round(area[3] / scale))],
                                         env=x.env(), stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
                stack.callback(floor.wait)
                stack.callback(floor.kill)
                runs.append(((floor_path, scale), floor.pid, x))
        time.sleep(scenario.settle)
        before = [(cpu_seconds(pid), cpu_seconds(x.process.pid), voluntary_switches(pid))
                  for _, pid, x in runs]
        began = time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - began
        figures = {}
        for (key, pid, x), (program0, x0, switches0) in zip(runs, before):
            figures[key] = {"zel_cpu_percent": 100 * (cpu_seconds(pid) - program0) / elapsed,
                            "xvfb_cpu_percent": 100 * (cpu_seconds(x.process.pid) - x0) / elapsed,
                            "switches_per_s": (voluntary_switches(pid) - switches0) / elapsed}
        return figures


def floor_cpu(floor_path, pace, height, seconds, scale=1.0):
    """The floor's CPU; `height` is the strip's in device pixels."""
    with ScaledXServer(scale) as x:
        floor = subprocess.Popen([floor_path, str(pace), str(round(height / scale))], env=x.env(),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time.sleep(2.0)
            return cpu_share(floor.pid, x, seconds)
        finally:
            floor.kill()
            floor.wait()


def table_row(program, name, m):
    gap = "-" if m.get("longest_gap_ms") is None else f"{m['longest_gap_ms']:.0f}"
    per_frame = " ".join(f"{px}px:{n}" for px, n in m.get("px_per_frame", {}).items()) or "-"
    speed = "".join(f"{m[key]:7.2f} " if key in m else f"{'-':>7} " for key in ("px_per_s", "frames_per_s"))
    return (f"{program:<24} {name:<24} {speed} {per_frame:<18} {gap:>7} "
            f"{m['switches_per_s']:9.1f} {m['zel_cpu_percent']:7.2f} {m['xvfb_cpu_percent']:7.2f}")


def big_file(zel_path, path):
    with ScaledXServer() as x, Zel(x, zel_path) as zel:
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
    with ScaledXServer() as x:
        started = time.monotonic()
        with Zel(x, zel_path):
            return {"start_to_window_s": time.monotonic() - started}


def retried(measure, *args):
    """A measure run again once where its X server or its program did not
    start: display numbers are shared with whatever else runs on the machine."""
    try:
        return measure(*args)
    except Failure as failure:
        print("measuring again after:", str(failure).splitlines()[0], flush=True)
        return measure(*args)


def together(m):
    """The CPU share of the program and of its X server together."""
    return m["zel_cpu_percent"] + m["xvfb_cpu_percent"]


def spread(values):
    low, high = min(values), max(values)
    return f"{low:.2f}" if f"{low:.2f}" == f"{high:.2f}" else f"{low:.2f}-{high:.2f}"


def scale_comparison(measured, scales):
    """Each program's cost at every scale against its own at 100 %, for the
    same scenario and text in the same round; the worst case last."""
    lines = [f"\n{'program':<24} {'scale':>5} {'zel+X %':>11} {'at 100 %':>11} "
             f"{'x 100 %':>11} {'worst':>6}  worst for"]
    programs = list(dict.fromkeys(program for program, *_ in measured))
    for program in programs:
        for scale in scales:
            ratios, shares, bases = [], [], []
            for (who, label, rnd, at), m in measured.items():
                base = measured.get((who, label, rnd, 1.0))
                if who != program or at != scale or base is None:
                    continue
                ratios.append((together(m) / together(base), label, rnd))
                shares.append(together(m))
                bases.append(together(base))
            if not ratios:
                continue
            worst = max(ratios)
            lines.append(f"{program:<24} {scale:>5g} {spread(shares):>11} {spread(bases):>11} "
                         f"{spread([r for r, _, _ in ratios]):>11} {worst[0]:6.2f}  "
                         f"{worst[1]} (round {worst[2] + 1})")
    return "\n".join(lines)


def floor_comparison(measured, floor):
    """The program at each scale against the bare scroller's turn beside it."""
    lines = [f"\n{'program':<24} {'scale':>5} {'zel ÷ floor':>12} {'zel+X ÷ floor+X':>16}  worst for"]
    for program in dict.fromkeys(program for program, *_ in measured):
        if program == floor:
            continue
        for scale in sorted({at for *_, at in measured}):
            pairs = [(m, measured[(floor, label, rnd, at)], label, rnd)
                     for (who, label, rnd, at), m in measured.items()
                     if who == program and at == scale and (floor, label, rnd, at) in measured]
            if not pairs:
                continue
            alone = [m["zel_cpu_percent"] / f["zel_cpu_percent"] for m, f, _, _ in pairs]
            both = [(together(m) / together(f), label, rnd) for m, f, label, rnd in pairs]
            worst = max(both)
            lines.append(f"{program:<24} {scale:>5g} {spread(alone):>12} "
                         f"{spread([r for r, _, _ in both]):>16}  {worst[1]} (round {worst[2] + 1})")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--zel", action="append", help="a program to measure; may be repeated")
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--scenarios", default="step1,step2,delay1000,empty,stopped")
    parser.add_argument("--texts", default="mixed", help="the texts to run: see above")
    parser.add_argument("--big-mib", type=int, default=100)
    parser.add_argument("--floor", help="the bare scroller to measure beside the programs")
    parser.add_argument("--scale", default="1",
                        help="display scales to run the moving scenarios at, as 1,1.25,1.5,2")
    parser.add_argument("--rounds", type=int, default=1,
                        help="how often every text runs at every scale, in turns")
    parser.add_argument("--cpu-only", action="store_true",
                        help="leave out the speed and smoothness measures")
    parser.add_argument("--side-by-side", action="store_true",
                        help="measure every scale of a text at once (CPU only)")
    args = parser.parse_args()
    ScaledXServer.settle_with = args.floor
    programs = args.zel or [os.path.join(os.path.dirname(__file__), "..", "build", "zel")]

    with tempfile.TemporaryDirectory() as folder:
        empty = os.path.join(folder, "empty.txt")
        open(empty, "w").close()
        rows = []
        measured = {}  # (program, label without scale, round, scale) -> figures
        texts = args.texts.split(",")
        scales = [float(value) for value in args.scale.split(",")]
        # Text after text, each at every scale in turn (back and forth from one
        # round to the next), so that the scales of one text compare within
        # minutes on a machine whose load drifts.
        turns = [(rnd, text, scale) for rnd in range(args.rounds) for text in texts
                 for scale in (scales if rnd % 2 == 0 else scales[::-1])]
        for rnd, text in dict.fromkeys((rnd, text) for rnd, text, _ in turns):
            if not args.side_by_side:
                break
            path = os.path.join(folder, f"{text}.txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write(text_of(text))
            scenario = scenarios(path, empty, fills_strip=text.endswith("-long"))["step1"]
            figures = retried(side_by_side, programs, args.floor, scenario, args.seconds, scales)
            for (program, scale), m in sorted(figures.items(), key=lambda item: item[0][1]):
                label = f"step1 {text}" + (f" @{scale:g}" if scale != 1 else "")
                print(f"{program}, {label}, CPU:", m, flush=True)
                rows.append(table_row(program, label, m))
                measured[(program, f"step1 {text}", rnd, scale)] = m
        for rnd, text, scale in turns if not args.side_by_side else []:
            path = os.path.join(folder, f"{text}.txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write(text_of(text))
            known = scenarios(path, empty, fills_strip=text.endswith("-long"))
            for name in args.scenarios.split(","):
                shows_text = known[name].text not in (None, empty)
                if not shows_text and (rnd, text, scale) != turns[0]:
                    continue  # the same with every text and scale
                base_label = f"{name} {text}" if shows_text else name
                label = base_label + (f" @{scale:g}" if scale != 1 else "")
                for program in programs:
                    figures = {}
                    if not args.cpu_only:
                        figures = retried(smoothness, program, known[name], args.seconds, scale)
                        print(f"{program}, {label}, smoothness:", figures, flush=True)
                    figures.update(retried(cpu, program, known[name], args.seconds, scale))
                    print(f"{program}, {label}, CPU:", figures, flush=True)
                    rows.append(table_row(program, label, figures))
                    measured[(program, base_label, rnd, scale)] = figures
                if args.floor and known[name].pace:
                    floor = retried(floor_cpu, args.floor, known[name].pace,
                                    figures["strip_height"], args.seconds, scale)
                    print(f"{args.floor}, {label}, CPU:", floor, flush=True)
                    rows.append(table_row(args.floor, label, floor))
                    measured[(args.floor, base_label, rnd, scale)] = floor
        if args.big_mib > 0:
            big = os.path.join(folder, "big.txt")
            line = (news_text(60, seed=3) + "\n").encode("utf-8")
            with open(big, "wb") as f:
                f.write(line * (args.big_mib * 1024 * 1024 // len(line)))
            for program in programs:
                print(f"{program}, start-up:", startup(program))
                print(f"{program}, {args.big_mib} MiB file:", big_file(program, big), flush=True)
    print(f"\n{'program':<24} {'scenario':<24} {'px/s':>7} {'frames/s':>7}  {'px per frame':<18} "
          f"{'gap ms':>7} {'switch/s':>9} {'CPU zel':>7} {'CPU X':>7}")
    print("\n".join(rows))
    if 1.0 in scales and len(scales) > 1:
        print(scale_comparison(measured, [scale for scale in scales if scale != 1]))
    if args.floor:
        print(floor_comparison(measured, args.floor))


if __name__ == "__main__":
    main()
