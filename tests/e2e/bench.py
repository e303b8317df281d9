#!/usr/bin/python3
"""Benchmarks under Wine: Game > New Game until the new copy shows its dealt caption, the start of
Pelmor.exe 0 until its dealt window shows (the pictures are loaded by then), each against the start
of a minimal Win32 window (medians of several runs after a warm-up), and the table's repaint times
from pelmor-paint-bench.exe.

Usage: /usr/bin/python3 tests/e2e/bench.py --bin build/win64/bin [--runs 10]
"""

import argparse
import os
import re
import statistics
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# No __pycache__ folders in the source tree.
sys.dont_write_bytecode = True

from harness import procs  # noqa: E402
from harness.pelmor import SETTINGS_KEY, TABLE_CLASS  # noqa: E402
from harness.standalone import standalone_app  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
NEEDED = ("pelmor-e2e-driver.exe", "pelmor-e2e-hook.dll", "Pelmor.exe", "minimal-window.exe",
          "pelmor-paint-bench.exe")
PAINT_LINE = re.compile(r"^repaint, .*: [0-9.]+ us")
# Runs at the start of each series that fill Wine's and the system's caches and are not counted.
WARM_UP = 2


def new_game_times(app, runs):
    """Milliseconds from the Enter key that chooses New Game to the new copy's window showing
    "Pelmor Solitaire #..."; each new copy is the next run's starting point."""
    driver = app.driver
    pid, table = app.start("5")
    times = []
    for _ in range(runs + WARM_UP):
        entered = app.choose(table, "Game", "New Game")
        shown = driver.send("find", not_pid=pid, visible=True, caption_prefix="Pelmor Solitaire #", timeout=20000,
                            **{"class": TABLE_CLASS})
        times.append(shown["t"] - entered)
        new_pid, _ = app.follow_relaunch(pid)
        if new_pid != shown["pid"]:
            raise RuntimeError("followed process %d but the window belongs to %d" % (new_pid, shown["pid"]))
        pid, table = new_pid, shown
    driver.send("kill", pid=pid)
    return times[WARM_UP:]


def start_up_times(app, runs):
    """Milliseconds from CreateProcess of "Pelmor.exe 0" to its window visible with the caption
    "Pelmor Solitaire #0"; the start-up loads every picture before it shows the window."""
    driver = app.driver
    times = []
    for _ in range(runs + WARM_UP):
        launched = driver.send("launch", exe=app.exe, dir=app.session.cwd, args="0")
        shown = driver.send("find", pid=launched["pid"], visible=True, caption="Pelmor Solitaire #0", timeout=20000,
                            **{"class": TABLE_CLASS})
        times.append(shown["t"] - launched["t"])
        driver.send("close", hwnd=shown["hwnd"])
        driver.send("wait_exit", pid=launched["pid"], timeout=10000)
    return times[WARM_UP:]


def paint_bench_lines(session):
    """The repaint lines of pelmor-paint-bench.exe, run in the session's prefix (settings key and
    back already stored) in an empty working directory of its own."""
    with tempfile.TemporaryDirectory(prefix="pelmor-paint-") as empty:
        code, out = procs.run(session.run.kind.command(session.run.program("pelmor-paint-bench.exe")), env=session.env, cwd=empty,
                              timeout=300)
    lines = [line.strip() for line in out.splitlines() if PAINT_LINE.match(line.strip())]
    if code != 0 or len(lines) != 2:
        raise RuntimeError("pelmor-paint-bench.exe exited %s with: %s" % (code, out.strip()[-500:]))
    return lines


def minimal_window_times(session, runs):
    """Milliseconds from CreateProcess of minimal-window.exe to its window being visible."""
    driver = session.driver
    exe = session.run.program("minimal-window.exe")
    times = []
    for _ in range(runs + WARM_UP):
        launched = driver.send("launch", exe=exe, dir=session.cwd)
        shown = driver.send("find", pid=launched["pid"], visible=True, timeout=20000, **{"class": "TMinimalWindow"})
        times.append(shown["t"] - launched["t"])
        driver.send("close", hwnd=shown["hwnd"])
        driver.send("wait_exit", pid=launched["pid"], timeout=10000)
    return times[WARM_UP:]


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True)
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--cache", default=os.path.join(REPO, "build", "e2e-cache"))
    args = parser.parse_args(argv)
    bin_dir = os.path.abspath(args.bin)
    missing = [n for n in NEEDED if not os.path.exists(os.path.join(bin_dir, n))]
    if missing:
        print("bench: missing in %s: %s" % (bin_dir, ", ".join(missing)), file=sys.stderr)
        return 2
    if args.runs < 1:
        print("bench: --runs must be at least 1", file=sys.stderr)
        return 2

    try:
        with standalone_app(bin_dir, args.cache, "bench") as app:
            session = app.session
            # A fixed back: no random draw, the same pictures every run.
            session.driver.send("reg_set", key=SETTINGS_KEY, name="CardBack", type="dword", data=3)
            # All series run in the same prefix and wineserver, one after the other.
            minimal = minimal_window_times(session, args.runs)
            start_up = start_up_times(app, args.runs)
            new_game = new_game_times(app, args.runs)
            paint = paint_bench_lines(session)
    except Exception as failure:
        print("bench: cannot run: %s" % failure, file=sys.stderr)
        return 1

    new_game_ms = statistics.median(new_game)
    start_up_ms = statistics.median(start_up)
    minimal_ms = statistics.median(minimal)
    print("new game to dealt caption (median of %d): %.1f ms" % (len(new_game), new_game_ms))
    print("start-up of Pelmor.exe 0 to its dealt window, pictures loaded (median of %d): %.1f ms"
          % (len(start_up), start_up_ms))
    print("minimal window start (median of %d): %.1f ms" % (len(minimal), minimal_ms))
    print("ratio new game / minimal window: %.2f" % (new_game_ms / minimal_ms))
    print("ratio start-up / minimal window: %.2f" % (start_up_ms / minimal_ms))
    for line in paint:
        print(line)
    print("bench: new game runs (ms): %s" % " ".join("%.0f" % t for t in new_game), file=sys.stderr)
    print("bench: start-up runs (ms): %s" % " ".join("%.0f" % t for t in start_up), file=sys.stderr)
    print("bench: minimal window runs (ms): %s" % " ".join("%.0f" % t for t in minimal), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
