"""What the table shows: the dealt position in the program's own pictures, pixel for pixel, the
card back that the settings choose, a custom back file, and the deck libraries."""

import os
import time

from harness import model
from harness.bmp import Image, write_bmp
from harness.checks import expect, expect_box, expect_eq
from harness.pelmor import SETTINGS_KEY, game_number
from harness.registry import case, case_table
from harness.table import (ArtFolder, BACK_COUNT, RED, TableScreen, compose_area, crop, grow, start_table,
                           windows_path)

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


def expect_ink(shot, layout, pile, ink, what):
    """A pile's single card shows only its ink and white paper (two-colour faces are opaque and
    keep their own colours on the green)."""
    x, y, _, _ = layout.area(pile)
    colours = crop(shot, (x, y, 71, 96)).colours()
    expect_eq(colours, {ink, WHITE}, "colours of %s" % what)


@case("table.deal_shows_the_pictures")
def deal_shows_the_pictures(app):
    pid, window, screen = start_table(app, "0", back=3)
    game = model.Game.deal(0)
    shot = screen.expect_position(game, "game 0 just dealt")
    expect_ink(shot, screen.layout, model.PILE_D, RED, "the Five of Hearts on pile D")
    expect_ink(shot, screen.layout, model.PILE_A, BLACK, "the Eight of Clubs on pile A")
    # Taller, the stock shows its lowest back whole, which tells BACK3 from the other eleven.
    grow(screen)
    screen.expect_position(game, "game 0 in a taller window")


def stock_backs_matching(screen, game, timeout=3.0):
    """Which of the twelve built-in backs the stock on screen is drawn with. The repaint after a
    resize may lag behind a loaded machine, so it looks again until exactly one matches or the
    time is up."""
    art = screen.art
    compositions = [compose_area(screen.layout, model.STOCK, game, art.builtin(n)) for n in range(BACK_COUNT)]
    distinct = {tuple(c.rows) for c in compositions}
    expect_eq(len(distinct), BACK_COUNT, "distinct stock pictures the twelve backs make (the art must differ)")
    deadline = time.monotonic() + timeout
    while True:
        shot = screen.capture()
        matching = [n for n in range(BACK_COUNT)
                    if screen.area_problem(shot, model.STOCK, game, art.builtin(n)) is None]
        if len(matching) == 1 or time.monotonic() >= deadline:
            return matching
        time.sleep(0.1)


BACKS = [
    ("stored_0", {"stored": 0, "args": "5", "wanted": 0}),
    ("stored_11", {"stored": 11, "args": "5", "wanted": 11}),
    ("stored_12_is_random", {"stored": 12, "args": "5", "wanted": None}),
    ("stored_255_is_random", {"stored": 255, "args": "5", "wanted": None}),
    ("stored_minus_1_is_random", {"stored": -1, "args": "5", "wanted": None}),
    ("unset_is_random", {"stored": None, "args": "5", "wanted": None}),
    # A relaunch puts the old window's height in fifth place; it must not name a back.
    ("stored_255_relaunch_height", {"stored": 255, "args": "5 43 106 501 300", "wanted": None}),
    ("stored_255_fifth_argument_7", {"stored": 255, "args": "5 43 106 501 7", "wanted": 7}),
    ("stored_3_beats_fifth_argument", {"stored": 3, "args": "5 43 106 501 7", "wanted": 3}),
]


@case_table("table.stock_back", BACKS)
def stock_back(app, stored, args, wanted):
    pid, window, screen = start_table(app, args, back=stored)
    game = model.Game.deal(5)
    grow(screen)
    matching = stock_backs_matching(screen, game)
    expect(len(matching) == 1, "the stock matches backs %s; expected exactly one of BACK0..BACK11" % matching)
    if wanted is not None:
        expect_eq("BACK%d" % matching[0], "BACK%d" % wanted, "back on the stock")
    # The rest of the table is drawn as usual with that back.
    screen.deck = screen.art.builtin(matching[0])
    screen.expect_position(game, "game 5 with BACK%d" % matching[0])


def pattern(width, height):
    """A back of our own: teal with yellow diagonal stripes and a one-pixel blue frame, unlike any
    built-in picture in every row."""
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if x in (0, width - 1) or y in (0, height - 1):
                row += bytes((0, 0, 255))
            elif (x + 2 * y) % 7 < 3:
                row += bytes((255, 220, 0))
            else:
                row += bytes((0, 128, 128))
        rows.append(bytes(row))
    return Image(width, height, rows)


@case_table("table.custom_back_file", [("card_size", {"width": 71, "height": 96}),
                                       ("smaller_picture", {"width": 40, "height": 20})])
def custom_back_file(app, width, height):
    picture = pattern(width, height)
    write_bmp(os.path.join(app.session.cwd, "Pelmor.bac"), picture)
    pid, window, screen = start_table(app, "0", back=3, custom_back=picture)
    app.no_message_box(pid, wait_ms=300)
    game = model.Game.deal(0)
    # A smaller picture is drawn at its own size: the stock base shows beside and below it.
    screen.expect_position(game, "stock with Pelmor.bac (%dx%d)" % (width, height))
    grow(screen)
    screen.expect_position(game, "stock with Pelmor.bac (%dx%d) in a taller window" % (width, height))


@case("table.custom_back_file_unreadable")
def custom_back_file_unreadable(app):
    with open(os.path.join(app.session.cwd, "Pelmor.bac"), "wb") as f:
        f.write(b"BM this is no bitmap \x00\x01\x02" * 8)
    app.driver.send("reg_set", key=SETTINGS_KEY, name="CardBack", type="dword", data=3)
    pid = app.launch("0")
    box = app.message_box(pid)
    expect_box(box, caption="Pelmor Solitaire #0", text="Bitmap image is not valid", icon="error")
    app.press(box, "OK")
    table = app.table(pid)
    art = ArtFolder.beside(app.session.run.bin_dir)
    screen = TableScreen(app, table, art, art.builtin(3))
    game = model.Game.deal(0)
    grow(screen)
    screen.expect_position(game, "the table after the unreadable Pelmor.bac (BACK3 expected)")
    app.no_message_box(pid, wait_ms=300)


DECKS = [
    # Only the 52 faces: no backs on the stock, no tiles under the piles and the stock.
    ("faces_only", {"file": "faces-only.CAR", "names": ArtFolder.FACES}),
    # A file that is no module leaves every picture empty: green areas only.
    ("not_a_module", {"file": "not-a-deck.CAR", "names": []}),
    ("missing_file_falls_back", {"file": "no-such-deck.CAR", "names": None}),
]


def deck_path(app, file):
    return windows_path(os.path.join(app.session.run.bin_dir, "decks", file))


@case_table("table.deck_library", DECKS)
def deck_library(app, file, names):
    pid, window, screen = start_table(app, "0", back=3, deck_names=names,
                                      settings=[("DeckDLL", "sz", deck_path(app, file))])
    game = model.Game.deal(0)
    grow(screen)
    screen.expect_position(game, "game 0 drawn from %s" % file)
    app.no_message_box(pid, wait_ms=200)


MARKER = "deck-code-ran.txt"


def expect_no_marker(app, when):
    expect(not os.path.exists(os.path.join(app.session.cwd, MARKER)),
           "%s appeared in the working directory %s: the deck's code ran" % (MARKER, when))


@case("table.deck_library.marker_deck_code_never_runs")
def marker_deck_code_never_runs(app):
    pid, window, screen = start_table(app, "0", back=3,
                                      settings=[("DeckDLL", "sz", deck_path(app, "marker-deck.CAR"))])
    grow(screen)
    screen.expect_position(model.Game.deal(0), "game 0 drawn from marker-deck.CAR")
    expect_no_marker(app, "after the start")

    app.choose(window, "Game", "New Game")
    new_pid, _ = app.follow_relaunch(pid)
    new_table = app.table(new_pid, caption_prefix="Pelmor Solitaire #")
    number = game_number(new_table["caption"])
    again = TableScreen(app, new_table, screen.art, screen.deck)
    grow(again)
    again.expect_position(model.Game.deal(number), "game %d after New Game, drawn from marker-deck.CAR" % number)
    expect_no_marker(app, "after New Game")

    # The control: loaded as an ordinary library, the same file does leave its marker, so its
    # absence above means the game never ran the deck's code.
    control = os.path.join(app.session.cwd, "control")
    os.makedirs(control)
    loader = app.driver.send("launch", exe="C:\\windows\\system32\\rundll32.exe", dir=control,
                             args='"%s",DllMain' % deck_path(app, "marker-deck.CAR"))
    deadline = time.monotonic() + 10
    while not os.path.exists(os.path.join(control, MARKER)) and time.monotonic() < deadline:
        time.sleep(0.1)
    app.driver.send("kill", pid=loader["pid"], check=False)
    expect(os.path.exists(os.path.join(control, MARKER)),
           "the marker deck left no marker even when loaded as a library: the check above proves nothing")
