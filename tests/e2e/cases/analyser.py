"""The analyser's winning lines played in the real program, key by key: every key is accepted, the
game is never declared lost on the way, and the last key brings the win question."""

import os
import re
import subprocess

from harness import model
from harness.checks import CaseFailure, expect, expect_box, expect_eq
from harness.registry import case_table
from harness.table import TableInput, start_table

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
ANALYSER = os.path.join(REPO, "build", "native", "tools", "analyse", "pelmor-analyse")


def winning_line(number):
    """The line the analyser prints for a deal (it replays every line through the rules first)."""
    done = subprocess.run([ANALYSER, str(number)], capture_output=True, text=True, timeout=120)
    found = re.search(r'line: "([a-dA-D ]*)"', done.stdout)
    if not found:
        raise CaseFailure("the analyser printed no winning line for game %d: %s" % (number, done.stdout.strip()))
    return found.group(1)


def apply_key(game, key):
    """The key's effect on the model; False when the model refuses it."""
    if key == " ":
        return game.draw()
    pile = model.PILE_LETTERS.index(key.upper())
    return game.discard(pile) if key.islower() else game.move_to_empty(pile) is not None


@case_table("analyser.winning_line_wins", [("game_13", {"number": 13}), ("game_19", {"number": 19})])
def winning_line_wins(app, number):
    line = winning_line(number)
    pid, window, screen = start_table(app, str(number), back=3)
    game = model.Game.deal(number)
    for step, key in enumerate(line[:-1]):
        expect(apply_key(game, key), "the model refuses key %d (%r) of the line %r" % (step + 1, key, line))
        expect(not game.lost(), "the line passes a lost position at key %d" % (step + 1))
    # All but the last key, with the screen checked against the model; the last key wins.
    hands = TableInput(screen)
    hands.type(line[:-1])
    screen.expect_position(game, "game %d one key before the end of its line %r" % (number, line), timeout=10.0)
    expect(apply_key(game, line[-1]), "the model refuses the last key of the line %r" % line)
    expect_eq(len(game.piles[model.DISCARD]), 48, "cards discarded by the line in the model")
    hands.type(line[-1])
    expect_box(app.message_box(pid), "Pelmor", "Congradulations, you won!\r\nPlay Again?", "none",
               buttons=("Yes", "No"), default="Yes")
