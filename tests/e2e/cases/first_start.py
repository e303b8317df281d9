"""The first start for a user explains the controls in two boxes; later starts do not."""

from harness.checks import CaseFailure, expect, expect_box
from harness.driver import DriverError
from harness.pelmor import BOX_CAPTION, HOW_TO_USE, game_number
from harness.registry import case


def answer_how_to_use(app, pid, table_hwnd_must_be_hidden):
    for number, text in enumerate(HOW_TO_USE, start=1):
        try:
            box = app.message_box(pid)
        except DriverError:
            raise CaseFailure("how-to-use box %d did not appear" % number)
        try:
            expect_box(box, caption=BOX_CAPTION, text=text, icon="none")
        except Exception as failure:
            raise type(failure)("how-to-use box %d: %s" % (number, failure))
        if table_hwnd_must_be_hidden:
            tables = app.driver.send("windows", pid=pid, visible=True, **{"class": "TPelmorTable"})["windows"]
            expect(not tables, "the table window is shown while how-to-use box %d is open" % number)
        app.press(box, "OK")


@case("first_start.shows_how_to_use_once", returning_user=False)
def shows_how_to_use_once(app):
    expect(not app.settings_key_exists(), "the fresh prefix already holds the settings key")
    pid = app.launch()
    answer_how_to_use(app, pid, table_hwnd_must_be_hidden=True)
    table = app.table(pid)
    game_number(table["caption"])
    app.no_message_box(pid, wait_ms=300)
    expect(app.settings_key_exists(), "the settings key does not exist after the first start")

    app.choose(table, "Game", "Exit")
    code = app.driver.send("wait_exit", pid=pid, timeout=10000)["exit_code"]
    expect(code == 0, "Exit ended the program with code %d" % code)

    second, table = app.start()  # fails if a box comes first
    game_number(table["caption"])
    app.no_message_box(second, wait_ms=1000)


@case("help.how_to_use_shows_both_boxes")
def how_to_use_from_menu(app):
    pid, table = app.start("5")
    app.choose(table, "Help", "How To Use This Game")
    answer_how_to_use(app, pid, table_hwnd_must_be_hidden=False)
    app.no_message_box(pid, wait_ms=300)
    expect(app.window(table["hwnd"])["caption"] == "Pelmor Solitaire #5", "the caption changed")
