"""Lines of play for the end-of-game cases, found with the rules model: a small depth-first search
for a winning line, the simple player's line to a loss, and a line whose draw makes the aces cover
every pile (the concession question)."""

from . import model


def aces_blocked(game):
    """The game's test, after a draw, that the aces cover every pile (three shapes of position)."""
    covering = [0, 0, 0, 0]
    covering_total = lone_bottom = max_aces = 0
    for suit in range(1, 5):
        ace = model.Card(0, suit)
        for pile in model.TABLEAU:
            cards = game.piles[pile]
            index = cards.index(ace) if ace in cards else -1
            count = sum(1 for c in cards if c.rank == 0)
            if index > 0:
                covering[pile] += 1
                covering_total += 1
            else:
                if index == 0 and count == 1:
                    lone_bottom += 1
                max_aces = max(max_aces, count)
    return ((covering_total == 4 and covering == [1, 1, 1, 1])
            or (covering_total == 1 and lone_bottom == 3)
            or (covering_total == 2 and lone_bottom == 2 and max_aces == 1))


def _key(game):
    return tuple(tuple(p) for p in game.piles[:5])


def _copy(game):
    return model.Game(game.piles)


def winning_line(number, budget=20000):
    """A list of moves ("discard", p), ("move", p), ("draw", None) that wins game number, or None
    when none is found within budget positions. Discards are made as soon as they can be (they
    never spoil a game); the search branches over the moves onto an empty pile and the draw."""
    seen = set()
    visits = [0]

    def discards(game, line):
        progress = True
        while progress:
            progress = False
            for pile in model.TABLEAU:
                if game.discard(pile):
                    line.append(("discard", pile))
                    progress = True

    def search(game, line):
        visits[0] += 1
        if visits[0] > budget:
            return None
        discards(game, line)
        if game.won():
            return line
        key = _key(game)
        if key in seen:
            return None
        seen.add(key)
        choices = []
        if game.some_pile_empty():
            choices += [("move", p) for p in model.TABLEAU if len(game.piles[p]) >= 2]
        if game.piles[model.STOCK]:
            choices.append(("draw", None))
        for move in choices:
            after = _copy(game)
            model.apply(after, move)
            if move[0] == "draw" and aces_blocked(after):
                continue  # such a position can no longer be won
            found = search(after, line + [move])
            if found:
                return found
        return None

    return search(model.Game.deal(number), [])


def simple_line(number):
    """The model's simple player from the deal to the end: (moves, final game)."""
    game = model.Game.deal(number)
    moves = []
    while True:
        move = model.next_move(game)
        if move is None:
            return moves, game
        model.apply(game, move)
        moves.append(move)
