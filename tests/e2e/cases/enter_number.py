"""Game > Enter Game Number: the input dialog, its refusals, and the relaunch with the entered game."""

from harness.checks import expect, expect_box, expect_eq
from harness.pelmor import (BOX_CAPTION, INT32_MAX, INT32_MIN, NOT_WHOLE_NUMBER, SIGNED_DECIMAL,
                            not_an_integer)
from harness.registry import case, case_table

START_GAME = "5"
START_CAPTION = "Pelmor Solitaire #5"


def open_dialog(app):
    pid, table = app.start(START_GAME)
    app.choose(table, "Game", "Enter Game Number")
    return pid, table, app.input_dialog(pid)


def expect_drawn_number(dialog):
    text = dialog["edit_text"]
    expect(SIGNED_DECIMAL.match(text) is not None, "initial text %r is not a signed decimal number" % text)
    expect(INT32_MIN <= int(text) <= INT32_MAX, "initial number %s is outside the signed 32-bit range" % text)


def expect_game_goes_on(app, pid, table):
    expect(app.running(pid), "the program ended")
    expect_eq(app.window(table["hwnd"])["caption"], START_CAPTION, "caption of the game in play")
    app.no_new_copy(pid, wait_ms=500)


@case("enter_number.dialog_offers_a_drawn_number")
def dialog_offers_a_drawn_number(app):
    pid, table, dialog = open_dialog(app)
    expect_eq(dialog["caption"], "New Game", "dialog caption")
    expect("Enter game#" in dialog["labels"], "prompt \"Enter game#\" missing; labels %r" % dialog["labels"])
    expect_drawn_number(dialog)
    buttons = {b["text"]: b["id"] for b in dialog["buttons"]}
    expect_eq(buttons, {"OK": 1, "Cancel": 2}, "dialog buttons and their IDs")


@case("enter_number.cancel_changes_nothing")
def cancel_changes_nothing(app):
    pid, table, dialog = open_dialog(app)
    app.press(dialog, "Cancel")
    app.no_message_box(pid, wait_ms=500)
    expect_game_goes_on(app, pid, table)


@case("enter_number.letters_rejected_then_asked_again")
def letters_rejected_then_asked_again(app):
    pid, table, dialog = open_dialog(app)
    app.type_into(dialog, "12a")
    app.press(dialog, "OK")
    box = app.message_box(pid)
    expect_box(box, caption=BOX_CAPTION, text=NOT_WHOLE_NUMBER, icon="information")
    app.press(box, "OK")
    again = app.input_dialog(pid)
    # A newly drawn number; it may by chance equal the first one, so only its form is checked.
    expect_drawn_number(again)
    app.press(again, "Cancel")
    expect_game_goes_on(app, pid, table)


UNCONVERTIBLE = [
    ("empty", {"text": ""}),
    ("inner_minus", {"text": "1-2"}),
    ("double_minus", {"text": "--5"}),
    ("above_int32", {"text": "2147483648"}),
]


@case_table("enter_number.conversion_error", UNCONVERTIBLE)
def conversion_error(app, text):
    pid, table, dialog = open_dialog(app)
    app.type_into(dialog, text)
    app.press(dialog, "OK")
    box = app.message_box(pid)
    # The toolkit's own error box, under the application title, which follows the caption.
    expect_box(box, caption=START_CAPTION, text=not_an_integer(text), icon="error")
    app.press(box, "OK")
    app.no_message_box(pid, wait_ms=300)
    reopened = app.driver.send("inputdlg", pid=pid, timeout=0, check=False)
    expect(not reopened["ok"], "the input dialog came back after the conversion error")
    expect_game_goes_on(app, pid, table)


RELAUNCHES = [
    ("minus_zero", {"text": "-0", "number": 0}),
    ("negative", {"text": "-12345", "number": -12345}),
]


@case_table("enter_number.relaunches_with_entered_game", RELAUNCHES)
def relaunches_with_entered_game(app, text, number):
    pid, table, dialog = open_dialog(app)
    app.type_into(dialog, text)
    app.press(dialog, "OK")
    new_pid, old_code = app.follow_relaunch(pid)
    expect_eq(old_code, 0, "exit code of the process that relaunched")
    new_table = app.table(new_pid, caption_prefix="Pelmor Solitaire #")
    expect_eq(new_table["caption"], "Pelmor Solitaire #%d" % number, "caption of the new copy")
