"""The hint cursor: the up-arrow over a pile whose top card may be discarded, the arrow elsewhere,
read inside the program through the hook; with NoHints stored the cursor is left as it is."""

from harness import model
from harness.checks import expect_eq
from harness.pelmor import SETTINGS_KEY
from harness.registry import case
from harness.table import TableInput, start_table


class Pointer:
    """Moves the pointer over the piles and reads the cursor the program set."""

    def __init__(self, app, screen):
        self.driver = app.driver
        self.screen = screen
        self.nudge = 0

    def over(self, pile):
        # A move to where the pointer already is sends no mouse move, so each lands elsewhere.
        self.nudge = (self.nudge + 7) % 40
        x, y = self.screen.layout.centre(pile)
        self.driver.send("move", hwnd=self.screen.hwnd, x=x - 20 + self.nudge, y=y - 20 + self.nudge)
        return self.cursor()

    def cursor(self):
        return self.driver.send("cursor", hwnd=self.screen.hwnd)["report"]["cursor"]


def expected_cursor(game, pile):
    return "uparrow" if game.can_discard(pile) else "arrow"


def set_no_hints(app, value):
    app.driver.send("reg_set", key=SETTINGS_KEY, name="NoHints", type="dword", data=value)


@case("hints.cursor_follows_the_discard_rule")
def cursor_follows_the_discard_rule(app):
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    pointer = Pointer(app, screen)
    game = model.Game.deal(0)
    for pile in model.TABLEAU:
        expect_eq(pointer.over(pile), "arrow", "cursor over pile %s of game 0 dealt" % model.PILE_LETTERS[pile])
    # The first draw tops pile D with the Six of Clubs under pile A's Ten of Clubs.
    hands.type(" ")
    game.draw()
    for pile in (model.PILE_D, model.PILE_A, model.PILE_B, model.PILE_C, model.PILE_D):
        expect_eq(pointer.over(pile), expected_cursor(game, pile),
                  "cursor over pile %s (%s) after the first draw" % (model.PILE_LETTERS[pile], game.top(pile)))
    # A discard by key refreshes the pile's cursor at once, without a pointer move.
    hands.type("d")
    game.discard(model.PILE_D)
    expect_eq(pointer.cursor(), expected_cursor(game, model.PILE_D),
              "cursor over pile D after its Six of Clubs went (Five of Hearts on top)")


@case("hints.no_hints_set_while_running_keeps_the_cursor")
def no_hints_set_while_running_keeps_the_cursor(app):
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    pointer = Pointer(app, screen)
    game = model.Game.deal(0)
    for _ in range(2):
        hands.type(" ")
        game.draw()
    # Pile C's Seven of Spades may go under pile A's Eight of Spades.
    expect_eq(pointer.over(model.PILE_C), "uparrow", "cursor over pile C (Seven of Spades) with hints on")
    expect_eq(pointer.over(model.PILE_A), "arrow", "cursor over pile A (Eight of Spades) with hints on")
    set_no_hints(app, 1)
    expect_eq(pointer.over(model.PILE_C), "uparrow", "cursor over pile C after NoHints was stored")
    hands.type("c")
    game.discard(model.PILE_C)
    expect_eq(game.can_discard(model.PILE_C), False, "the model's pile C after the discard")
    expect_eq(pointer.over(model.PILE_C), "uparrow",
              "cursor over pile C (now %s, not discardable) with NoHints stored" % (game.top(model.PILE_C),))
    set_no_hints(app, 0)
    expect_eq(pointer.over(model.PILE_C), "arrow", "cursor over pile C once NoHints is 0 again")


@case("hints.no_hints_stored_at_start_shows_no_up_arrow")
def no_hints_stored_at_start(app):
    set_no_hints(app, 1)
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    pointer = Pointer(app, screen)
    game = model.Game.deal(0)
    hands.type(" ")
    game.draw()
    discardable = [p for p in model.TABLEAU if game.can_discard(p)]
    expect_eq(discardable, [model.PILE_D], "piles the model lets discard after the first draw")
    for pile in model.TABLEAU + (model.PILE_D,):
        expect_eq(pointer.over(pile), "arrow", "cursor over pile %s with NoHints stored" % model.PILE_LETTERS[pile])
    # A left click on D discards its Six of Clubs, but its cursor is still not touched.
    hands.click_area(model.PILE_D, y=24)
    game.discard(model.PILE_D)
    screen.expect_position(game, "after the discard from pile D")
    expect_eq(pointer.cursor(), "arrow", "cursor over pile D after the click with NoHints stored")
