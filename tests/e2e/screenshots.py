#!/usr/bin/python3
"""Takes the README's pictures of the table: game 0 just dealt, and game 0 a few moves in (after the
clock's tick that brings the status line up to date), each the whole window with its frame, checked
against the model before it is saved as PNG; then the about dialog as Help > About shows it.

Usage: /usr/bin/python3 tests/e2e/screenshots.py --bin build/win64/bin [--out docs]
"""

import argparse
import os
import subprocess
import sys
import time
import types

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# No __pycache__ folders in the source tree.
sys.dont_write_bytecode = True

from harness import model  # noqa: E402
from harness.standalone import standalone_app  # noqa: E402
from harness.table import CLOCK_TIMER, TableInput, hold_clock, start_table  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
NEEDED = ("pelmor-e2e-driver.exe", "pelmor-e2e-hook.dll", "Pelmor.exe")
# The picture of a game in play: enough discards to show the fanned row, with the label up.
IN_PLAY_DISCARDS = 10
# The status bar is the one child whose caption starts so.
STATUS_PREFIX = "Cards Left:"


def save_png(screen, path):
    """The whole window, frame included, as a PNG made by ImageMagick from the driver's BMP."""
    bmp = os.path.join(screen.app.session.root, os.path.basename(path) + ".bmp")
    screen.driver.send("screenshot", file=bmp, hwnd=screen.hwnd)
    subprocess.run(["convert", bmp, "-strip", path], check=True)
    os.unlink(bmp)
    print("screenshots: wrote %s" % os.path.relpath(path, REPO))


def show_status(app, hwnd, game):
    """Lets the held clock tick once: the status line shows the counts of the moves played only
    from the next tick on, as it does for a player."""
    wanted = "%s%d Draws Left:%d " % (STATUS_PREFIX, 48 - len(game.piles[model.DISCARD]),
                                      len(game.piles[model.STOCK]) // 4)
    app.driver.send("settimer", hwnd=hwnd, id=CLOCK_TIMER, ms=1000)
    deadline = time.monotonic() + 5
    while True:
        texts = [c["caption"] for c in app.driver.send("children", hwnd=hwnd)["children"]
                 if c["caption"].startswith(STATUS_PREFIX)]
        if texts and texts[0].startswith(wanted):
            break
        if time.monotonic() > deadline:
            raise RuntimeError("the status line still reads %r, not %r..." % (texts, wanted))
        time.sleep(0.1)
    hold_clock(app, hwnd)


def take(app, out_dir):
    pid, window, screen = start_table(app, "0", back=3)
    game = model.Game.deal(0)
    screen.expect_position(game, "game 0 dealt")
    save_png(screen, os.path.join(out_dir, "table-dealt.png"))

    hands = TableInput(screen)
    while len(game.piles[model.DISCARD]) < IN_PLAY_DISCARDS or not game.moves_available():
        move = model.next_move(game)
        hands.play(move, "keys", game)
        model.apply(game, move)
    screen.expect_position(game, "game 0 with %d discards" % len(game.piles[model.DISCARD]))
    show_status(app, screen.hwnd, game)
    save_png(screen, os.path.join(out_dir, "table-in-play.png"))

    app.choose(window, "Help", "About")
    about = app.driver.send("find", pid=pid, visible=True, timeout=10000, **{"class": "TAboutBox"})
    # The pointer off the banner, whose tooltip would cover the panel.
    app.driver.send("move", hwnd=about["hwnd"], x=400, y=340)
    time.sleep(1)
    shot = types.SimpleNamespace(app=app, driver=app.driver, hwnd=about["hwnd"])
    save_png(shot, os.path.join(out_dir, "about-box.png"))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", default=os.path.join(REPO, "docs"))
    parser.add_argument("--cache", default=os.path.join(REPO, "build", "e2e-cache"))
    args = parser.parse_args(argv)
    bin_dir = os.path.abspath(args.bin)
    missing = [n for n in NEEDED if not os.path.exists(os.path.join(bin_dir, n))]
    if missing:
        print("screenshots: missing in %s: %s" % (bin_dir, ", ".join(missing)), file=sys.stderr)
        return 2
    os.makedirs(args.out, exist_ok=True)

    try:
        with standalone_app(bin_dir, args.cache, "screenshots") as app:
            take(app, os.path.abspath(args.out))
    except Exception as failure:
        print("screenshots: failed: %s" % failure, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
