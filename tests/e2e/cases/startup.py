"""Start-up from the command line: what is dealt, where the window opens, and the refusals."""

import os
import re

from harness.checks import expect, expect_box, expect_eq
from harness.pelmor import (BOX_CAPTION, DESIGN_BOUNDS, DESIGN_CAPTION, NO_SAVED_GAME, game_number,
                            not_an_integer)
from harness.registry import case_table

from .game_end import status_text

# The status line of a fresh deal, read before the clock's first tick or right after it.
DEALT_STATUS = re.compile(r"^Cards Left:48 Draws Left:12 Duration:0 days, 00:00:0[01]$")

GIVEN_NUMBERS = [
    ("minus_7_with_bounds", {"args": "-7 10 20 600 400", "number": -7}),
    ("zero", {"args": "0", "number": 0}),
    ("int32_max", {"args": "2147483647", "number": 2147483647}),
    ("int32_min", {"args": "-2147483648", "number": -2147483648}),
]


@case_table("start.deals_given_number", GIVEN_NUMBERS)
def deals_given_number(app, args, number):
    pid, table = app.start(args)
    expect_eq(table["caption"], "Pelmor Solitaire #%d" % number, "caption")
    # Arguments 2 to 5 are a relaunch's bounds; a starting copy opens where it was designed.
    expect_eq(table["rect"], DESIGN_BOUNDS, "outer bounds of the table window")
    # Filled from the first moment the window shows, never its raw format.
    first = status_text(app, table)
    expect(DEALT_STATUS.match(first), "first status line read after the window appeared: %r" % first)
    app.no_message_box(pid, wait_ms=300)


@case_table("start.deals_random_game", [("no_argument", {"args": ""}), ("slash", {"args": "/"})])
def deals_random_game(app, args):
    pid, table = app.start(args)
    game_number(table["caption"])
    expect_eq(table["rect"], DESIGN_BOUNDS, "outer bounds of the table window")
    app.no_message_box(pid, wait_ms=300)


BAD_NUMBERS = [
    ("lowercase_l_switch", {"args": "/l", "text": "/l"}),
    ("above_int32", {"args": "2147483648", "text": "2147483648"}),
    ("below_int32", {"args": "-2147483649", "text": "-2147483649"}),
    ("trailing_letter", {"args": "12a", "text": "12a"}),
]


@case_table("start.refuses_bad_number", BAD_NUMBERS)
def refuses_bad_number(app, args, text):
    pid = app.launch(args)
    box = app.message_box(pid)
    # Nothing was dealt yet, so the application title is still the program's name.
    expect_box(box, caption=BOX_CAPTION, text=not_an_integer(text), icon="error")
    app.press(box, "OK")
    table = app.table(pid)
    expect_eq(table["caption"], DESIGN_CAPTION, "caption after the refusal (no game dealt)")
    app.no_message_box(pid, wait_ms=300)
    expect(app.running(pid), "the program ended after the refusal")


# A broken file: the identification, then game 77 with 53 cards claimed for pile A.
BROKEN_SAVED_GAME = b"PELMOR\0" + bytes([77, 0, 0, 0, 53])


@case_table("start.load_switch", [
    ("without_saved_file", {"file": None, "text": NO_SAVED_GAME, "icon": "information"}),
    ("with_broken_file", {"file": BROKEN_SAVED_GAME, "text": "Part of Pelmor.sav isn't correct", "icon": "error"}),
])
def load_switch_without_game(app, file, text, icon):
    if file is not None:
        with open(os.path.join(app.session.cwd, "Pelmor.sav"), "wb") as f:
            f.write(file)
    pid = app.launch("/L")
    box = app.message_box(pid)
    expect_box(box, caption=BOX_CAPTION, text=text, icon=icon)
    app.press(box, "OK")
    table = app.table(pid)
    expect_eq(table["caption"], DESIGN_CAPTION, "caption after a load that found no game")
    expect(app.running(pid), "the program ended after the failed load")
