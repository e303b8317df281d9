"""Resizing the table by dragging its frame corner: the areas follow the new client size (the
stock at the right edge, the discard row above the status bar) and show the same position; below
the least size that shows every area whole, the frame stops."""

from harness import model
from harness.checks import expect, expect_eq
from harness.registry import case
from harness.table import AREA_HEIGHT, CARD_WIDTH, DISCARD_HEIGHT, STATUS_HEIGHT, TableInput, start_table

# The four piles and the stock side by side, above the discard row and the status bar.
LEAST_CLIENT = (5 * CARD_WIDTH, AREA_HEIGHT + DISCARD_HEIGHT + STATUS_HEIGHT)


def drag_frame_corner(app, screen, dx, dy):
    """Drags the bottom-right corner of the frame by dx, dy with real input; returns the old and
    the new rect after checking that the window kept its place."""
    rect = screen.window["rect"]
    client = screen.window["client"]
    # One pixel inside the outer corner, in client coordinates.
    x = rect["left"] + rect["width"] - 2 - client["left"]
    y = rect["top"] + rect["height"] - 2 - client["top"]
    app.driver.send("drag", hwnd=screen.hwnd, x=x, y=y, to_x=x + dx, to_y=y + dy, steps=6)
    screen.refresh_layout()
    new = screen.window["rect"]
    expect_eq((new["left"], new["top"]), (rect["left"], rect["top"]), "window position after the drag")
    return rect, new


def drag_corner(app, screen, dx, dy):
    """Drags the corner by dx, dy and checks that the outer size followed; returns the new rect."""
    old, new = drag_frame_corner(app, screen, dx, dy)
    what = "outer size after dragging the corner by %+d, %+d" % (dx, dy)
    expect(abs(new["width"] - old["width"] - dx) <= 2 and abs(new["height"] - old["height"] - dy) <= 2,
           "%s: %dx%d, was %dx%d" % (what, new["width"], new["height"], old["width"], old["height"]))
    return new


def expect_status_bar_at_bottom(app, screen):
    children = app.driver.send("children", hwnd=screen.hwnd)["children"]
    panels = [c for c in children if c["class"] == "TPanel"]
    expect_eq(len(panels), 1, "status bar windows")
    client = screen.window["client"]
    x, y, w, h = screen.layout.status
    expect_eq(panels[0]["rect"], {"left": client["left"] + x, "top": client["top"] + y, "width": w, "height": h},
              "status bar rectangle (screen coordinates) for a %dx%d client" % (screen.layout.width,
                                                                                screen.layout.height))


@case("table.resize_by_dragging_the_frame_repaints")
def resize_by_dragging_the_frame_repaints(app):
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    game = model.Game.deal(0)
    # From the 32nd discard on, the newest lies wholly beyond the right edge of the first width
    # (at x = 496); a wider window shows it. A moment without "Moves Avaliable": what the label
    # shows after a resize is the label case's concern.
    while len(game.piles[model.DISCARD]) < 32 or game.moves_available():
        move = model.next_move(game)
        hands.play(move, "keys", game)
        model.apply(game, move)
    screen.expect_position(game, "%d discards at the first size" % len(game.piles[model.DISCARD]))
    for dx, dy in ((80, 150), (-160, -150)):
        drag_corner(app, screen, dx, dy)
        expect_status_bar_at_bottom(app, screen)
        screen.expect_position(game, "after dragging the frame corner by %+d, %+d (client %dx%d)" % (
            dx, dy, screen.layout.width, screen.layout.height))


@case("table.resize_stops_at_the_least_size")
def resize_stops_at_the_least_size(app):
    pid, window, screen = start_table(app, "0", back=3)
    game = model.Game.deal(0)
    # Far below the least size: the frame stops where the areas still lie whole and apart.
    drag_frame_corner(app, screen, -400, -200)
    expect_eq((screen.layout.width, screen.layout.height), LEAST_CLIENT, "client size after dragging far inwards")
    expect_status_bar_at_bottom(app, screen)
    screen.expect_position(game, "game 0 at the least size")
