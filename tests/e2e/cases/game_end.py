"""The ends of a game played by keys: a loss answered No and Yes, a win, the concession answered Yes
then No, with the statistics in the registry, the saved game, the clock and the questions; the
status line ticking; High Scores and No Hints on the Game menu."""

import os
import re
import shutil
import time

from harness import lines, model
from harness.checks import expect, expect_box, expect_eq
from harness.pelmor import SETTINGS_KEY, game_number
from harness.registry import case
from harness.table import start_table

SOUNDS = ("lose.wav", "winner.wav", "ticktock.wav")
COUNTERS = ("GamesPlayed", "GamesWon", "SumScore", "MaxScore")
STATUS = re.compile(r"^Cards Left:(\d+) Draws Left:(\d+) Duration:(\d+) days, (\d\d):(\d\d):(\d\d)$")
RECORD = "Congradulations, you broke a new record!"


def put_sounds(app):
    """The three sounds the build makes, in the game folder (the working directory)."""
    for name in SOUNDS:
        shutil.copy(os.path.join(app.session.run.bin_dir, "game-files", name), app.session.cwd)


def put_saved_game(app):
    path = os.path.join(app.session.cwd, "Pelmor.sav")
    with open(path, "wb") as f:
        f.write(b"PELMOR\0" + bytes(20))
    return path


def store_counters(app, played, won, total, best):
    for name, value in zip(COUNTERS, (played, won, total, best)):
        app.driver.send("reg_set", key=SETTINGS_KEY, name=name, type="dword", data=value)


def counters(app):
    values = {v["name"]: v["data"] for v in app.driver.send("reg_values", key=SETTINGS_KEY)["values"]}
    return tuple(values.get(name) for name in COUNTERS)


def status_text(app, window):
    panels = [c for c in app.driver.send("children", hwnd=window["hwnd"])["children"]
              if c["caption"].startswith("Cards Left:")]
    expect_eq(len(panels), 1, "status bars")
    return panels[0]["caption"]


def expect_clock_stopped(app, window, what):
    before = status_text(app, window)
    time.sleep(2.2)
    expect_eq(status_text(app, window), before, "status line 2.2 s later, %s" % what)


def keys_for(moves):
    text = ""
    for kind, pile in moves:
        if kind == "draw":
            text += " "
        else:
            letter = model.PILE_LETTERS[pile]
            text += letter.lower() if kind == "discard" else letter
    return text


def play(app, window, moves):
    app.driver.send("type", text=keys_for(moves), hwnd=window["hwnd"])


def loss_text(score, record):
    return "Sorry, there are no more moves.\r\nScore: %d/48\r\n%s\r\nPlay again?" % (score, record)


@case("game_end.loss_answered_no_keeps_the_finished_game")
def loss_answered_no(app):
    store_counters(app, 5, 1, 100, 20)
    saved = put_saved_game(app)
    put_sounds(app)
    pid, window, screen = start_table(app, "0", clock=True)
    # The clock: the raw format until the first tick, then the time going on.
    first = None
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and first is None:
        first = STATUS.match(status_text(app, window))
        time.sleep(0.1)
    expect(first is not None, "the status line never showed the time: %r" % status_text(app, window))
    expect_eq(first.group(1, 2, 3), ("48", "12", "0"), "cards left, draws left and days of game 0 dealt")
    time.sleep(1.6)
    later = STATUS.match(status_text(app, window))
    expect(later and later.group(6) != first.group(6), "the seconds did not move on: %r then %r" % (
        first.group(0), later.group(0) if later else None))

    moves, game = lines.simple_line(0)
    score = len(game.piles[model.DISCARD])
    play(app, window, moves)
    box = app.message_box(pid)
    expect_box(box, caption="Game Over", text=loss_text(score, RECORD), icon="none", buttons=("Yes", "No"),
               default="Yes")
    expect(not os.path.exists(saved), "Pelmor.sav is still there while the loss is asked about")
    expect_eq(counters(app), (6, 1, 100 + score, score), "statistics after the loss")
    expect_clock_stopped(app, window, "with the loss question open")
    app.press(box, "No")

    app.no_new_copy(pid, wait_ms=300)
    expect(app.running(pid), "the program ended after No")
    expect_clock_stopped(app, window, "after No")
    before = screen.capture()
    app.driver.send("type", text="abcdABCD ", hwnd=window["hwnd"])
    screen.expect_unchanged(before, "keys on the finished game")
    app.no_message_box(pid, wait_ms=300)
    expect_eq(counters(app), (6, 1, 100 + score, score), "statistics after playing on")


@case("game_end.loss_answered_yes_starts_a_new_copy_without_sound_files")
def loss_answered_yes(app):
    # No statistics yet and no sound files in the folder: the question still comes at once.
    pid, window = app.start("0")
    moves, game = lines.simple_line(0)
    score = len(game.piles[model.DISCARD])
    play(app, window, moves)
    box = app.message_box(pid, timeout=5000)
    expect_eq(box["text"], loss_text(score, RECORD), "loss question of the first game ever")
    expect_eq(counters(app), (1, 0, score, score), "statistics after the first loss")
    app.press(box, "Yes")
    new_pid, code = app.follow_relaunch(pid)
    expect_eq(code, 0, "exit code after Yes")
    game_number(app.table(new_pid, caption_prefix="Pelmor Solitaire #")["caption"])


def winnable_deal():
    for number in (11, 29, 32, 45, 4, 19, 28):
        line = lines.winning_line(number)
        if line:
            return number, line
    raise AssertionError("no winning line found for the deals tried")


@case("game_end.win_records_and_keeps_animating")
def win(app):
    number, line = winnable_deal()
    store_counters(app, 7, 2, 150, 40)
    saved = put_saved_game(app)
    put_sounds(app)
    pid, window, screen = start_table(app, str(number), clock=True)
    play(app, window, line)
    box = app.message_box(pid)
    expect_box(box, caption="Pelmor", text="Congradulations, you won!\r\nPlay Again?", icon="none",
               buttons=("Yes", "No"), default="Yes")
    expect(not os.path.exists(saved), "Pelmor.sav is still there after the win")
    expect_eq(counters(app), (8, 3, 198, 48), "statistics after the win")
    # The animation draws while the question is open and after No; the clock stands still.
    first = screen.capture()
    time.sleep(0.5)
    expect(screen.capture() != first, "nothing was drawn in half a second with the question open")
    expect_clock_stopped(app, window, "with the win question open")
    app.press(box, "No")
    app.no_new_copy(pid, wait_ms=300)
    first = screen.capture()
    time.sleep(0.5)
    expect(screen.capture() != first, "nothing was drawn in half a second after No")
    expect_clock_stopped(app, window, "after No")


def concession_deal():
    """The first deal whose simple player meets the concession question twice: (number, moves and
    for each whether the question follows it)."""
    for number in range(300):
        game = model.Game.deal(number)
        steps = []
        while True:
            move = model.next_move(game)
            if move is None:
                break
            model.apply(game, move)
            steps.append((move, move[0] == "draw" and lines.aces_blocked(game), len(game.piles[model.DISCARD])))
        if sum(1 for _, asked, _ in steps if asked) >= 2:
            return number, steps
    raise AssertionError("no deal below 300 meets the concession question twice")


@case("game_end.concession_answered_yes_then_no")
def concession(app):
    number, steps = concession_deal()
    store_counters(app, 4, 1, 100, 30)
    saved = put_saved_game(app)
    pid, window = app.start(str(number))
    asked = 0
    for move, asks, score in steps:
        play(app, window, [move])
        if not asks:
            continue
        asked += 1
        box = app.message_box(pid)
        expect_box(box, caption="Pelmor", text="Aces are covering all piles making it impossible to win.\r\n"
                   "Score %d/48\r\nContinue playing?" % score, icon="none", buttons=("Yes", "No"), default="Yes")
        if asked == 1:
            # The clock goes on while this question is open.
            before = status_text(app, window)
            time.sleep(1.5)
            expect(status_text(app, window) != before, "the clock stood still with the concession question open")
            app.press(box, "Yes")
            app.no_new_copy(pid, wait_ms=300)
            expect_eq(counters(app), (4, 1, 100, 30), "statistics after Yes")
            continue
        app.press(box, "No")
        new_pid, code = app.follow_relaunch(pid)
        expect_eq(code, 0, "exit code after No")
        game_number(app.table(new_pid, caption_prefix="Pelmor Solitaire #")["caption"])
        expect_eq(counters(app), (5, 1, 100, 30), "statistics after No")
        expect(os.path.exists(saved), "the concession removed Pelmor.sav")
        return
    raise AssertionError("the line of game %d met the concession question %d times" % (number, asked))


def statistics_text(played, won, best, total):
    win = 100.0 * won / played if played else 0.0
    average = float(total) / played if played else 0.0
    return ("Games Played: %d\r\nGames won: %d\r\nGames lost: %d\r\nWinning percentage: %.2f%%\r\n"
            "Losing percentage: %.2f%%\r\nHighest Score: %d/48\r\nAverage Score: %.2f" % (
                played, won, (played - won) % 2 ** 32, win, 100.0 - win, best, average))


@case("game_end.high_scores_shows_and_writes_nothing")
def high_scores(app):
    pid, window = app.start("0")
    for stored in (None, (3, 1, 80, 48)):
        if stored:
            store_counters(app, stored[0], stored[1], stored[2], stored[3])
        values = app.driver.send("reg_values", key=SETTINGS_KEY)["values"]
        app.choose(window, "Game", "High Scores")
        box = app.message_box(pid)
        played, won, total, best = stored or (0, 0, 0, 0)
        expect_box(box, caption="Pelmor Statistics", text=statistics_text(played, won, best, total), icon="none")
        app.press(box, "OK")
        expect_eq(app.driver.send("reg_values", key=SETTINGS_KEY)["values"], values, "values after High Scores")


@case("game_end.no_hints_toggled_twice")
def no_hints_twice(app):
    pid, window = app.start("0")

    def checked():
        game_menu = app.menu_tree(window)[0]
        return next(item["checked"] for item in game_menu["items"] if item["text"] == "No Hints")

    expect_eq(checked(), False, "No Hints at the start")
    for expected in (True, False):
        app.choose(window, "Game", "No Hints")
        deadline = time.monotonic() + 2
        while checked() != expected and time.monotonic() < deadline:
            time.sleep(0.05)
        expect_eq(checked(), expected, "No Hints checked after a toggle")
        stored = app.driver.send("reg_get", key=SETTINGS_KEY, name="NoHints")
        expect_eq((stored["type"], stored["data"]), ("dword", int(expected)), "stored NoHints")
