"""Game > New Game starts a new copy of the program with a fresh deal and ends the running one."""

from harness.checks import expect, expect_eq
from harness.pelmor import DESIGN_BOUNDS, game_number
from harness.registry import case


@case("new_game.relaunches_a_fresh_copy")
def relaunches_a_fresh_copy(app):
    pid, table = app.start("5")
    old_cwd = app.cwd_of(pid)
    expect_eq(old_cwd.lower(), app.windows_cwd().lower(), "working directory of the first copy")

    app.choose(table, "Game", "New Game")
    new_pid, old_code = app.follow_relaunch(pid)
    expect_eq(old_code, 0, "exit code of the process that chose New Game")
    expect(new_pid != pid, "the new copy has the old PID")

    new_table = app.table(new_pid, caption_prefix="Pelmor Solitaire #")
    game_number(new_table["caption"])
    expect(new_table["hwnd"] != table["hwnd"], "the new copy shows the old window")
    expect(not app.window_exists(table["hwnd"]), "the old table window is still there")
    expect_eq(new_table["rect"], DESIGN_BOUNDS, "outer bounds of the new copy's window")
    # The relaunch names no directory, so the copy must have inherited the working directory.
    expect_eq(app.cwd_of(new_pid).lower(), old_cwd.lower(), "working directory of the new copy")
    app.no_message_box(new_pid, wait_ms=300)
