"""Playing on screen: whole games with the mouse and with the keys checked against the model after
every step, refused moves that change nothing, the "Moves Avaliable" label, Ctrl-click names and
double-clicks."""

from harness import model
from harness.checks import CaseFailure, expect, expect_box, expect_eq
from harness.pelmor import BOX_CAPTION
from harness.registry import case, case_table
from harness.table import TableInput, start_table

# Settle time for Ctrl-clicks: Wine takes the Ctrl state when the program takes the click.
CTRL_PACE_MS = 80
NORMAL_PACE_MS = 30


def describe(move, game):
    kind, pile = move
    if kind == "draw":
        return "draw (%d left in the stock)" % len(game.piles[model.STOCK])
    verb = "discard from" if kind == "discard" else "move onto an empty pile from"
    return "%s pile %s (%s)" % (verb, model.PILE_LETTERS[pile], game.top(pile))


class Refusals:
    """Actions the game must refuse silently: each one leaves the screen exactly as it was."""

    def __init__(self, app, pid, screen, hands):
        self.app = app
        self.pid = pid
        self.screen = screen
        self.hands = hands
        self.count = 0

    def check(self, what, action):
        before = self.screen.capture()
        action()
        self.screen.expect_unchanged(before, what, settle=0.2)
        self.count += 1

    def click(self, what, area, button="left", y=None):
        self.check(what, lambda: self.hands.click_area(area, button, y=y))

    def key(self, what, text):
        self.check(what, lambda: self.hands.type(text))

    def ctrl_click_without_box(self, what, area):
        """A Ctrl-click that must name no card (an empty or a disabled pile)."""
        before = self.screen.capture()
        self.app.driver.send("pace", ms=CTRL_PACE_MS)
        try:
            self.hands.click_area(area, ctrl=True)
        finally:
            self.app.driver.send("pace", ms=NORMAL_PACE_MS)
        self.app.no_message_box(self.pid, wait_ms=500)
        self.screen.expect_unchanged(before, what, settle=0)
        self.count += 1


def refusals_at_deal(refuse, by):
    # Game 0 deals four suits: nothing can be discarded and no pile is empty.
    if by == "mouse":
        refuse.click("a left click on pile A (Eight of Clubs, no higher club)", model.PILE_A)
        refuse.click("a right click on pile B with no empty pile", model.PILE_B, "right")
        refuse.click("a middle click on pile C", model.PILE_C, "middle")
        refuse.click("a left click on the empty discard row", model.DISCARD)
        refuse.click("a right click on the stock", model.STOCK, "right")
    else:
        refuse.key("key a (Eight of Clubs, no higher club)", "a")
        refuse.key("key B with no empty pile", "B")
        for text in ("e", "E", "x", "1", "\r"):
            refuse.key("key %r, which no action has" % text, text)


def refusals_on_empty_pile(refuse, by, pile):
    letter = model.PILE_LETTERS[pile]
    if by == "mouse":
        refuse.click("a left click on empty pile %s" % letter, pile)
        refuse.click("a right click on empty pile %s" % letter, pile, "right")
        refuse.ctrl_click_without_box("a Ctrl-click on empty pile %s" % letter, pile)
    else:
        refuse.key("key %s on empty pile %s" % (letter.lower(), letter), letter.lower())
        refuse.key("key %s on empty pile %s" % (letter, letter), letter)


def refusals_when_finished(refuse, by):
    if by == "mouse":
        refuse.click("a click on the empty stock", model.STOCK)
        for pile in model.TABLEAU:
            for button in ("left", "right", "middle"):
                refuse.click("a %s click on pile %s of the finished game" % (button, model.PILE_LETTERS[pile]),
                             pile, button)
        # A disabled pile takes no clicks at all, so not even the card is named.
        refuse.ctrl_click_without_box("a Ctrl-click on pile A of the finished game", model.PILE_A)
    else:
        refuse.key("space with the stock empty", " ")
        for letter in model.PILE_LETTERS:
            refuse.key("key %s in the finished game" % letter.lower(), letter.lower())
            refuse.key("key %s in the finished game" % letter, letter)


@case_table("play.game_0_to_the_end", [("by_mouse", {"by": "mouse"}), ("by_keys", {"by": "keys"})])
def game_0_to_the_end(app, by):
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    refuse = Refusals(app, pid, screen, hands)
    game = model.Game.deal(0)
    screen.expect_position(game, "game 0 dealt")
    refusals_at_deal(refuse, by)

    counts = {"draw": 0, "discard": 0, "move": 0}
    seen_empty = set()
    discard_row_checked = False
    step = 0
    while True:
        move = model.next_move(game)
        if move is None:
            break
        step += 1
        what = "step %d, %s by %s" % (step, describe(move, game), by)
        hands.play(move, by, game)
        expect(model.apply(game, move), "the model refused its own %s" % what)
        counts[move[0]] += 1
        if game.lost():
            # The loss is asked about at once; No keeps the finished game on the table.
            box = app.message_box(pid)
            app.press(box, "No")
        screen.expect_position(game, "after " + what)
        if by == "mouse" and not discard_row_checked and game.piles[model.DISCARD]:
            discard_row_checked = True
            refuse.click("a left click on the discard row's card", model.DISCARD, y=10)
        for pile in model.TABLEAU:
            if not game.piles[pile] and pile not in seen_empty:
                seen_empty.add(pile)
                refusals_on_empty_pile(refuse, by, pile)
        expect(step < 200, "the game does not end")

    expect_eq(counts["draw"], 12, "draws until the stock was empty")
    expect(game.lost(), "the model's player ended in a position that is not finished: %s" % game.tops())
    expect(counts["move"] > 0 and seen_empty, "the game never needed a move onto an empty pile")
    refusals_when_finished(refuse, by)
    screen.expect_position(game, "the finished game")


@case("label.follows_shared_suits")
def label_follows_shared_suits(app):
    # Game 12345 deals two diamonds, so the start-up shows the label; discards and draws then hide
    # and show it again.
    pid, window, screen = start_table(app, "12345", back=3)
    hands = TableInput(screen)
    game = model.Game.deal(12345)
    expect(game.moves_available(), "the model says game 12345 deals no shared suit")
    screen.expect_position(game, "game 12345 dealt (label shown)")
    changes = 0
    for step in range(1, 9):
        move = model.next_move(game)
        shown_before = game.moves_available()
        what = "step %d, %s" % (step, describe(move, game))
        hands.play(move, "keys", game)
        model.apply(game, move)
        screen.expect_position(game, "after " + what)
        changes += shown_before != game.moves_available()
    expect(changes >= 3, "the label changed only %d times in the steps played" % changes)


@case("label.text_stays_in_its_box")
def label_text_stays_in_its_box(app):
    # A full repaint (the window appearing, a resize) draws the label over the stock where its box
    # overlaps it; nothing of the label may show beyond the box's right edge at x = 432, neither
    # on the stock nor, in a wider window, on the white background.
    pid, window, screen = start_table(app, "12345", back=3)
    game = model.Game.deal(12345)
    screen.expect_position(game, "game 12345 dealt (label shown)")
    problem = screen.area_problem(screen.capture(), model.STOCK, game, text_spill=False)
    if problem:
        raise CaseFailure("right after the start, the label's text shows outside its box: %s" % problem)
    screen.driver.send("setpos", hwnd=screen.hwnd, w=650)
    screen.refresh_layout()
    screen.expect_position(game, "in a window widened to 650 (the label's box lies on white)")


def card_text(card):
    return "That card is The %s Of %s" % (model.RANK_NAMES[card.rank], model.SUIT_NAMES[card.suit])


@case("identify.ctrl_click_names_the_card")
def ctrl_click_names_the_card(app):
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    game = model.Game.deal(0)
    for _ in range(3):
        hands.type(" ")
        game.draw()
    screen.expect_position(game, "game 0 after three draws")
    area_height = screen.layout.area(model.PILE_A)[3]
    # Heights within a pile of four: each 16-pixel strip names its card; below the last strip
    # the top card is named.
    clicks = [(model.PILE_A, 0, "left"), (model.PILE_A, 15, "left"), (model.PILE_A, 16, "left"),
              (model.PILE_A, 47, "left"), (model.PILE_A, 48, "left"), (model.PILE_A, 100, "left"),
              (model.PILE_A, area_height - 1, "left"), (model.PILE_C, 33, "right"),
              (model.PILE_D, 20, "middle")]
    app.driver.send("pace", ms=CTRL_PACE_MS)
    for pile, y, button in clicks:
        card = game.card_at(pile, y)
        where = "Ctrl+%s click on pile %s at height %d" % (button, model.PILE_LETTERS[pile], y)
        before = screen.capture()
        hands.click_area(pile, button, y=y, ctrl=True)
        box = app.message_box(pid)
        try:
            expect_box(box, caption=BOX_CAPTION, text=card_text(card), icon="information")
        except CaseFailure as failure:
            raise CaseFailure("%s: %s" % (where, failure))
        app.press(box, "OK")
        screen.expect_eventually_equal(before, where)
    # The draw takes no notice of Ctrl.
    hands.click_area(model.STOCK, ctrl=True)
    app.driver.send("pace", ms=NORMAL_PACE_MS)
    app.no_message_box(pid, wait_ms=300)
    game.draw()
    screen.expect_position(game, "after a Ctrl-click on the stock (a draw)")


@case("stock.double_click_draws_once")
def double_click_draws_once(app):
    # Game 0 deals four suits, so nothing moves between the draws; after four draws the Two of
    # Hearts on pile D goes, and then the card under it.
    pid, window, screen = start_table(app, "0", back=3)
    hands = TableInput(screen)
    game = model.Game.deal(0)
    screen.expect_position(game, "game 0 dealt")
    hands.double_click_area(model.STOCK)
    game.draw()
    screen.expect_position(game, "after a double-click on the stock (one draw of four cards)")
    for _ in range(2):
        hands.click_area(model.STOCK)  # each one the double-click time after the press before
        game.draw()
    screen.expect_position(game, "after two slow clicks on the stock (two draws)")
    hands.double_click_area(model.STOCK)
    game.draw()
    screen.expect_position(game, "after a second double-click on the stock")
    # The piles take both presses of a double-click.
    expect(game.discard(model.PILE_D) and game.discard(model.PILE_D), "the model cannot discard twice from pile D")
    hands.double_click_area(model.PILE_D)
    screen.expect_position(game, "after a double-click on pile D (two discards)")
