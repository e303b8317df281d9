"""The suite's own model of the game: the generator, the deal and the rules of play, written from
the game's rules rather than from the program, so the cases know which picture must be where."""

import collections

MULTIPLIER = 134775813
MASK = 0xFFFFFFFF

RANK_NAMES = ("Ace", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Jack", "Queen",
              "King")
SUIT_NAMES = {1: "Clubs", 2: "Diamonds", 3: "Hearts", 4: "Spades"}
# The ace is the strongest card although its rank index is 0.
RANK_ORDER = (13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12)

PILE_A, PILE_B, PILE_C, PILE_D, STOCK, DISCARD = range(6)
TABLEAU = (PILE_A, PILE_B, PILE_C, PILE_D)
PILE_LETTERS = "ABCD"
WINNING_DISCARDS = 48
TABLEAU_STEP = 16


class Card(collections.namedtuple("Card", "rank suit")):
    __slots__ = ()

    @property
    def name(self):
        return "%s of %s" % (RANK_NAMES[self.rank], SUIT_NAMES[self.suit])

    @property
    def picture(self):
        """The name of the card's face picture: CARD, the suit digit, the rank as a hex digit."""
        return "CARD%d%X" % (self.suit, self.rank)

    def beats(self, other):
        return self.suit == other.suit and RANK_ORDER[self.rank] > RANK_ORDER[other.rank]

    def __repr__(self):
        return self.name


def card_by_name(name):
    rank, _, suit = name.partition(" of ")
    return Card(RANK_NAMES.index(rank), [s for s, n in SUIT_NAMES.items() if n == suit][0])


class Generator:
    """The game's linear congruential generator; every draw is one step."""

    def __init__(self, state=0):
        self.state = state & MASK
        self.steps = 0

    def step(self):
        self.state = (self.state * MULTIPLIER + 1) & MASK
        self.steps += 1
        return self.state

    def below(self, n):
        return (self.step() * n) >> 32


class Game:
    """Six piles (A, B, C, D, stock, discard), each a list with its bottom card first."""

    def __init__(self, piles, generator=None, number=None):
        self.piles = [list(p) for p in piles]
        self.generator = generator
        self.number = number

    @classmethod
    def deal(cls, number):
        generator = Generator(number)
        dealt = set()
        stock = []
        while len(stock) < 52:
            suit = generator.below(4) + 1
            rank = generator.below(13)
            if (rank, suit) in dealt:
                continue
            dealt.add((rank, suit))
            stock.append(Card(rank, suit))
        piles = [[], [], [], [], stock, []]
        for pile in TABLEAU:
            piles[pile].append(stock.pop())
        return cls(piles, generator, number)

    def top(self, pile):
        return self.piles[pile][-1] if self.piles[pile] else None

    def tops(self):
        return [self.top(p) for p in TABLEAU]

    def can_discard(self, pile):
        card = self.top(pile)
        if card is None:
            return False
        return any(self.top(other) is not None and self.top(other).beats(card) for other in TABLEAU)

    def discard(self, pile):
        """Discards pile's top card if the rule allows it; returns whether it did."""
        if not self.can_discard(pile):
            return False
        self.piles[DISCARD].append(self.piles[pile].pop())
        return True

    def empty_target(self, pile):
        """The first empty tableau pile after pile, wrapping round, or None."""
        for step in range(1, 4):
            target = (pile + step) % 4
            if not self.piles[target]:
                return target
        return None

    def move_to_empty(self, pile):
        """Moves pile's top card onto the first empty pile after it; returns the target or None."""
        if not self.piles[pile]:
            return None
        target = self.empty_target(pile)
        if target is None:
            return None
        self.piles[target].append(self.piles[pile].pop())
        return target

    def draw(self):
        """Deals the stock's top four cards onto A, B, C, D; returns whether there was a stock."""
        if not self.piles[STOCK]:
            return False
        for pile in TABLEAU:
            if self.piles[STOCK]:
                self.piles[pile].append(self.piles[STOCK].pop())
        return True

    def moves_available(self):
        """Two top cards share a suit (what the "Moves Avaliable" label shows)."""
        suits = [c.suit for c in self.tops() if c is not None]
        return len(suits) != len(set(suits))

    def some_pile_empty(self):
        return any(not self.piles[p] for p in TABLEAU)

    def won(self):
        return len(self.piles[DISCARD]) >= WINNING_DISCARDS

    def lost(self):
        return not (self.moves_available() or self.piles[STOCK] or self.won() or self.some_pile_empty())

    def card_at(self, pile, y):
        """The card a Ctrl-click at height y of a pile names: the one whose strip holds y, else the top."""
        cards = self.piles[pile]
        index = y // TABLEAU_STEP
        return cards[index] if 0 <= index < len(cards) else cards[-1]


def next_move(game):
    """A simple player: discard what can be discarded, fill an empty pile from a pile of two or more
    cards, else draw. Returns ("discard", pile), ("move", pile), ("draw", None) or None when stuck."""
    for pile in TABLEAU:
        if game.can_discard(pile):
            return ("discard", pile)
    if game.some_pile_empty():
        for pile in TABLEAU:
            if len(game.piles[pile]) >= 2:
                return ("move", pile)
    if game.piles[STOCK]:
        return ("draw", None)
    return None


def apply(game, move):
    kind, pile = move
    if kind == "discard":
        return game.discard(pile)
    if kind == "move":
        return game.move_to_empty(pile) is not None
    return game.draw()


def animation(state, outer_width, outer_height, count):
    """The first count faces of the victory animation from generator state: (card, x, y) each,
    drawn in this order: suit, rank, then y within the outer height and x within the outer width."""
    generator = Generator(state)
    faces = []
    for _ in range(count):
        suit = generator.below(4) + 1
        rank = generator.below(13)
        y = generator.below(outer_height)
        x = generator.below(outer_width)
        faces.append((Card(rank, suit), x, y))
    return faces


# Deals the game's description gives, to hold the model to: number -> (A, B, C, D, stock top first,
# stock bottom first, generator steps of the deal); None where it does not say.
KNOWN_DEALS = {
    0: (("Eight of Clubs", "Six of Spades", "King of Diamonds", "Five of Hearts"),
        ("Ten of Clubs", "Queen of Spades", "Ten of Diamonds", "Six of Clubs", "Eight of Spades",
         "Seven of Diamonds", "Seven of Spades", "King of Clubs"),
        ("Ace of Clubs", "Three of Spades", "Nine of Diamonds", "Three of Diamonds"), 416),
    1: (("Nine of Hearts", "Queen of Spades", "Two of Spades", "Six of Clubs"),
        ("Three of Clubs", "King of Spades", "Six of Diamonds", "King of Diamonds", "Six of Spades",
         "Ace of Hearts", "Four of Spades", "King of Clubs"),
        ("Queen of Clubs", "Four of Clubs", "Five of Hearts", "Five of Clubs"), 332),
    -1: (("Eight of Diamonds", "Three of Hearts", "Three of Clubs", "Five of Clubs"),
         ("Eight of Spades", "Four of Hearts", "Nine of Clubs", "Queen of Diamonds", "Six of Diamonds",
          "Ace of Hearts", "Eight of Clubs", "Seven of Diamonds"),
         ("Three of Spades", "Two of Hearts", "Ace of Spades", "King of Diamonds"), 612),
    12345: (("Ten of Diamonds", "Nine of Diamonds", "Seven of Spades", "Five of Clubs"),
            ("Three of Diamonds", "Queen of Diamonds", "Ten of Spades", "King of Spades"), None, None),
    2147483647: (("Eight of Diamonds", "Two of Hearts", "Ace of Spades", "Ace of Clubs"),
                 ("Four of Clubs", "Queen of Hearts", "Jack of Hearts", "Ten of Clubs"), None, None),
    -2147483648: (("Five of Diamonds", "Queen of Clubs", "Eight of Diamonds", "Four of Spades"),
                  ("Ace of Hearts", "Six of Diamonds", "Two of Spades", "Queen of Hearts"), None, None),
}


def _position(tops, others=()):
    """A position with the given top cards (None for an empty pile), other cards below nothing."""
    piles = [[card_by_name(t)] if t else [] for t in tops]
    return Game(piles + [list(others), []])


def self_check():
    """Holds the model to the facts the game's description states; returns the problems found."""
    problems = []

    def check(condition, text):
        if not condition:
            problems.append(text)

    g = Generator(0)
    check([g.step() for _ in range(4)] == [1, 134775814, 3698175007, 870078620], "generator states from 0")
    g = Generator(0)
    check((g.below(4), g.below(13)) == (0, 0), "first draws from state 0")

    for number, (tops, stock_top, stock_bottom, steps) in KNOWN_DEALS.items():
        game = Game.deal(number)
        check(tuple(c.name for c in game.tops()) == tops, "game %d piles A-D: %s" % (number, game.tops()))
        stock = game.piles[STOCK]
        seen_top = tuple(c.name for c in reversed(stock[-len(stock_top):]))
        check(seen_top == stock_top, "game %d stock top: %s" % (number, seen_top))
        if stock_bottom:
            seen_bottom = tuple(c.name for c in stock[:len(stock_bottom)])
            check(seen_bottom == stock_bottom, "game %d stock bottom: %s" % (number, seen_bottom))
        if steps is not None:
            check(game.generator.steps == steps, "game %d took %d generator steps" % (number, game.generator.steps))
        check(len(stock) == 48 and len(set(stock)) == 48 and not game.piles[DISCARD], "game %d sizes" % number)
        check(len(set(stock) | set(game.tops())) == 52, "game %d holds 52 distinct cards" % number)
    check(Game.deal(0).piles == Game.deal(0).piles, "the same number deals the same cards")

    game = _position(["Five of Hearts", "Ace of Hearts", "King of Clubs", "Two of Clubs"])
    check([game.can_discard(p) for p in TABLEAU] == [True, False, False, True], "discard rule, mixed tops")
    check(game.moves_available(), "two hearts and two clubs share suits")
    game = _position(["Five of Hearts", "Nine of Hearts", None, "King of Spades"])
    check(game.moves_available(), "moves available beside an empty pile")
    game = _position(["King of Hearts", "Ace of Hearts", "Ace of Spades", "Queen of Spades"])
    check(game.can_discard(PILE_A) and not game.can_discard(PILE_B), "a king goes only under its ace")
    game = _position(["Two of Clubs", "Three of Diamonds", "Four of Hearts", "Five of Spades"], others=[Card(0, 1)])
    check(not game.moves_available() and not game.lost(), "four suits with a stock: not lost")
    game.piles[STOCK] = []
    check(game.lost(), "four suits, no stock, no empty pile: lost")

    game = _position([None, "Two of Clubs", "Three of Clubs", None])
    check(game.move_to_empty(PILE_C) == PILE_D, "a move from C with A and D empty goes to D")
    game = _position([None, None, "Three of Clubs", "Four of Clubs"])
    check(game.move_to_empty(PILE_D) == PILE_A, "a move from D with A and B empty wraps round to A")
    game = _position(["Two of Clubs", "Three of Clubs", "Four of Clubs", "Five of Clubs"])
    check(game.move_to_empty(PILE_A) is None, "no move without an empty pile")

    game = Game.deal(0)
    check(game.draw() and [len(game.piles[p]) for p in range(6)] == [2, 2, 2, 2, 44, 0], "a draw deals four")
    check([c.name for c in game.tops()] == ["Ten of Clubs", "Queen of Spades", "Ten of Diamonds", "Six of Clubs"],
          "the first draw of game 0")
    five = Game([[Card(r, 1) for r in range(1, 6)], [], [], [], [], []])
    check([five.card_at(PILE_A, y).rank for y in (15, 40, 200)] == [1, 3, 5], "card identification heights")
    check(Card(10, 1).picture == "CARD1A" and Card(9, 4).picture == "CARD49" and Card(0, 2).picture == "CARD20",
          "picture names")
    return problems
