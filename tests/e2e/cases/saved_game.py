"""The saved game in the running program: Save Game and Load Saved Game, "/L" at start-up with a
valid file, a rejected file that changes nothing and a save that cannot be written."""

import os
import re
import struct
import time

from harness import model
from harness.checks import expect, expect_box, expect_eq
from harness.pelmor import BOX_CAPTION
from harness.registry import case
from harness.table import TableInput, hold_clock, start_table, windows_path

from .change_deck import Dialog, setting
from .game_end import status_text

SAVED = "Pelmor.sav"
PART_INCORRECT = "Part of Pelmor.sav isn't correct"
NOT_SAVED = "The game could not be saved: Pelmor.sav could not be written"
# The box goes on with the folder and the system's reason; Wine's text for a file call refused.
NOT_SAVED_IN = NOT_SAVED + "\r\nFolder: %s\r\nReason: Access denied."
ONE_DAY = bytes.fromhex("0000000000000080FF3F")
# The status line a few seconds into a loaded day of play.
ONE_DAY_ON = re.compile(r"Duration:1 days, 00:00:(0[1-9]|[12][0-9])$")


def encode(game, number, elapsed=bytes(10)):
    out = b"PELMOR\0" + struct.pack("<i", number)
    for pile in game.piles:
        out += bytes([len(pile)]) + b"".join(bytes([card.rank, card.suit]) for card in pile)
    return out + elapsed


def days(elapsed):
    """The 80-bit extended value of the file's last ten bytes, as a Python float."""
    significand = int.from_bytes(elapsed[:8], "little")
    top = int.from_bytes(elapsed[8:10], "little")
    value = significand * 2.0 ** ((top & 0x7FFF or 1) - 16383 - 63)
    return -value if top & 0x8000 else value


def saved_path(app):
    return os.path.join(app.session.cwd, SAVED)


def read_saved(app):
    with open(saved_path(app), "rb") as f:
        return f.read()


def write_saved(app, data):
    with open(saved_path(app), "wb") as f:
        f.write(data)


def play_one(screen, game):
    """Plays the model's next move with the keys and returns the position after it."""
    move = model.next_move(game)
    TableInput(screen).play(move, "keys", game)
    model.apply(game, move)
    screen.expect_position(game, "after the move %s" % (move,))
    return game


@case("saved_game.save_then_load_in_play")
def save_then_load_in_play(app):
    pid, window, screen = start_table(app, "5")
    game = play_one(screen, model.Game.deal(5))
    app.choose(window, "Game", "Save Game")
    app.no_message_box(pid, wait_ms=300)
    expect_eq(read_saved(app)[:-10], encode(game, 5)[:-10], "Pelmor.sav after Save Game (all but the time)")
    expect(not os.path.exists(saved_path(app) + ".new"), "the temporary file of the save was left behind")

    later = play_one(screen, model.Game(game.piles))
    later = play_one(screen, later)
    app.choose(window, "Game", "Load Saved Game")
    # A load leaves "Moves Avaliable" as it was until the next move.
    screen.expect_position(game, "the saved position after Load Saved Game", check_label=False)
    expect_eq(app.window(window["hwnd"])["caption"], "Pelmor Solitaire #5", "caption after the load")

    # A loaded time goes on from there on the status line, and saved again it is about the same.
    write_saved(app, encode(later, -12, ONE_DAY))
    app.choose(window, "Game", "Load Saved Game")
    screen.expect_position(later, "the hand-written position of game -12", check_label=False)
    expect_eq(app.window(window["hwnd"])["caption"], "Pelmor Solitaire #-12", "caption after the second load")
    deadline = time.monotonic() + 5
    while not ONE_DAY_ON.search(status_text(app, window)) and time.monotonic() < deadline:
        time.sleep(0.05)
    expect(ONE_DAY_ON.search(status_text(app, window)),
           "status line after loading one day: %r" % status_text(app, window))
    hold_clock(app, window["hwnd"])  # the load started the clock afresh
    app.choose(window, "Game", "Save Game")
    elapsed = days(read_saved(app)[-10:])
    expect(1.0 < elapsed < 1.0 + 30 / 86400, "time saved after loading one day: %r days" % elapsed)

    # A file rejected anywhere changes nothing: the same position, number and caption.
    broken = bytearray(encode(game, 99))
    broken[12] = 13  # pile A's first card has rank 13
    write_saved(app, bytes(broken))
    before = screen.capture()
    app.choose(window, "Game", "Load Saved Game")
    box = app.message_box(pid)
    expect_box(box, caption=BOX_CAPTION, text=PART_INCORRECT, icon="error")
    app.press(box, "OK")
    screen.expect_eventually_equal(before, "the table after a rejected file")
    expect_eq(app.window(window["hwnd"])["caption"], "Pelmor Solitaire #-12", "caption after a rejected file")


@case("saved_game.load_switch_valid")
def load_switch_valid(app):
    game = model.Game.deal(77)
    game.draw()
    write_saved(app, encode(game, 77, ONE_DAY))
    pid, window, screen = start_table(app, "/L 10 20 600 400")
    # The loaded game's cards and time from the first moment the window shows.
    first = status_text(app, window)
    expect(re.match(r"^Cards Left:48 Draws Left:11 Duration:1 days, 00:00:0[01]$", first),
           "first status line read after the window appeared: %r" % first)
    app.no_message_box(pid, wait_ms=300)
    expect_eq(window["caption"], "Pelmor Solitaire #77", "caption after /L")
    screen.expect_position(game, "the saved game after /L")


@case("saved_game.unwritable_save_keeps_the_last_file")
def unwritable_save(app):
    old = encode(model.Game.deal(3), 3)
    write_saved(app, old)
    # Where the save would write its new file first, a folder stands in the way.
    os.makedirs(saved_path(app) + ".new")
    not_saved = NOT_SAVED_IN % windows_path(app.session.cwd)
    pid, window, screen = start_table(app, "5")
    app.choose(window, "Game", "Save Game")
    box = app.message_box(pid)
    expect_box(box, caption=BOX_CAPTION, text=not_saved, icon="error")
    app.press(box, "OK")
    expect_eq(read_saved(app), old, "Pelmor.sav after the failed save")
    screen.expect_position(model.Game.deal(5), "game 5 after the failed save")

    # The change-deck dialog's Save stores the back, but with the game unsaved it does not relaunch.
    dialog = Dialog(app, pid, app.window(window["hwnd"]))
    dialog.button("Save")
    box = app.message_box(pid)
    expect_box(box, caption=BOX_CAPTION, text=not_saved, icon="error")
    app.press(box, "OK")
    app.no_new_copy(pid)
    expect(app.running(pid), "the program ended after the failed save")
    expect_eq(setting(app, "CardBack"), 0, "CardBack stored by Save")
    expect_eq(read_saved(app), old, "Pelmor.sav after the dialog's failed save")
