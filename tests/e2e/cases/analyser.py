"""The analyser's winning lines played in the real program, key by key: every key is accepted, the
game is never declared lost on the way, and the last key brings the win question. One line starts
at the deal, the other from the program's own saved game, halfway through a game. And the Windows
analyser as a player meets it: its help and its version information."""

import os
import re
import subprocess
import tempfile

from harness import model, procs
from harness.checks import CaseFailure, expect, expect_box, expect_eq
from harness.registry import case, case_table
from harness.table import TableInput, start_table

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
ANALYSER = os.path.join(REPO, "build", "native", "tools", "analyse", "pelmor-analyse")


def winning_line(*args):
    """The line the analyser prints for a deal or a saved game (it replays every line first)."""
    done = subprocess.run([ANALYSER, *args], capture_output=True, text=True, timeout=120)
    found = re.search(r'line: "([a-dA-D ]*)"', done.stdout)
    if not found:
        raise CaseFailure("the analyser printed no winning line for %s: %s%s" % (
            " ".join(args), done.stdout.strip(), done.stderr.strip()))
    return found.group(1)


def apply_key(game, key):
    """The key's effect on the model; False when the model refuses it."""
    if key == " ":
        return game.draw()
    pile = model.PILE_LETTERS.index(key.upper())
    return game.discard(pile) if key.islower() else game.move_to_empty(pile) is not None


@case_table("analyser.winning_line_wins", [
    ("from_the_deal_of_game_13", {"number": 13, "saved_after": 0}),
    ("from_a_saved_game_19", {"number": 19, "saved_after": 20}),
])
def winning_line_wins(app, number, saved_after):
    line = winning_line(str(number))
    pid, window, screen = start_table(app, str(number), back=3)
    game = model.Game.deal(number)
    hands = TableInput(screen)
    if saved_after:
        # Part of the deal's line, Save Game, and the rest from the analysis of the saved file.
        for key in line[:saved_after]:
            expect(apply_key(game, key), "the model refuses a key of the line %r" % line)
        hands.type(line[:saved_after])
        screen.expect_position(game, "game %d after %d keys of its line" % (number, saved_after), timeout=10.0)
        app.choose(window, "Game", "Save Game")
        app.no_message_box(pid, wait_ms=300)
        line = winning_line("--position", os.path.join(app.session.cwd, "Pelmor.sav"))
    for step, key in enumerate(line[:-1]):
        expect(apply_key(game, key), "the model refuses key %d (%r) of the line %r" % (step + 1, key, line))
        expect(not game.lost(), "the line passes a lost position at key %d" % (step + 1))
    # All but the last key, with the screen checked against the model; the last key wins.
    hands.type(line[:-1])
    screen.expect_position(game, "game %d one key before the end of the line %r" % (number, line), timeout=10.0)
    expect(apply_key(game, line[-1]), "the model refuses the last key of the line %r" % line)
    expect_eq(len(game.piles[model.DISCARD]), 48, "cards discarded by the line in the model")
    hands.type(line[-1])
    expect_box(app.message_box(pid), "Pelmor", "Congradulations, you won!\r\nPlay Again?", "none",
               buttons=("Yes", "No"), default="Yes")


@case("analyser.windows_help_and_version")
def windows_help_and_version(app):
    session = app.session
    exe = session.run.program(os.path.join("game-files", "pelmor-analyse.exe"))
    # Files, not pipes: Wine's background services could hold a pipe open.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        proc = procs.start(session.run.kind.command(exe, "/?"), env=session.env, cwd=session.cwd,
                           stdout=out, stderr=err)
        try:
            code = proc.wait(timeout=60)
        finally:
            procs.stop(proc, grace=0.5)
        out.seek(0)
        err.seek(0)
        stdout, stderr = out.read().decode("utf-8", "replace"), err.read().decode("utf-8", "replace")
    expect_eq(code, 0, "exit code of pelmor-analyse.exe /? (stderr: %r)" % stderr)
    expect(stdout.startswith("usage: pelmor-analyse "), "/? printed no usage on stdout: %r" % stdout[:200])
    for words in ("(default 4,000,000)", "  won ", "  lost ", "  unknown ", "\"at most\""):
        expect(words in stdout, "the usage lacks %r" % words)

    # The game's version numbers and product, with the analyser's own description and file name.
    with open(os.path.join(REPO, "resources", "version.h")) as f:
        version = re.search(r'PELMOR_VERSION_TEXT "([0-9.]+)"', f.read()).group(1)
    mine = app.driver.send("fileversion", file=exe)
    game = app.driver.send("fileversion", file=session.run.program("Pelmor.exe"))
    for info in (mine, game):
        expect_eq((info["file_version"], info["product_version"], info["strings"]["FileVersion"],
                   info["strings"]["ProductVersion"]), (version,) * 4, "version numbers")
    for name in ("CompanyName", "ProductName"):
        expect_eq(mine["strings"][name], game["strings"][name], name)
    expect_eq(mine["strings"]["OriginalFilename"], "pelmor-analyse.exe", "OriginalFilename")
    expect("analyser" in mine["strings"]["FileDescription"], "FileDescription %r does not say what it is"
           % mine["strings"]["FileDescription"])


@case("analyser.windows_waits_for_enter_only_in_a_console_of_its_own")
def windows_waits_for_enter(app):
    driver = app.driver
    exe = app.session.run.program(os.path.join("game-files", "pelmor-analyse.exe"))
    # Without a console of its own (here none at all) it never waits: the usage, exit code 2.
    shared = driver.send("launch", exe=exe)
    expect_eq(driver.send("wait_exit", pid=shared["pid"], timeout=10000)["exit_code"], 2,
              "exit code without arguments or a console")
    # Opened as Explorer opens it, in a console made for it: it shows its words and waits for Enter.
    opened = driver.send("launch", exe=exe, console="new")
    console = driver.send("find", visible=True, timeout=10000, caption_sub="pelmor-analyse.exe",
                          **{"class": "WineConsoleClass"})
    driver.send("sleep", ms=1000)
    expect(driver.send("status", pid=opened["pid"])["running"], "it did not wait for Enter in its own console")
    driver.send("foreground", hwnd=console["hwnd"])
    driver.send("key", "Enter", hwnd=console["hwnd"])
    expect_eq(driver.send("wait_exit", pid=opened["pid"], timeout=10000)["exit_code"], 0,
              "exit code after Enter")
