"""The table as the player sees it: where each area lies for a client size, which pictures a
position puts where (composed in Python from the program's own BMP files), and the screen checks
that compare the two pixel for pixel."""

import os
import time

from . import model
from .bmp import Image, read_bmp
from .checks import CaseFailure, expect
from .pelmor import SETTINGS_KEY

GREEN = 0x008000
RED = (255, 0, 0)
CARD_WIDTH, CARD_HEIGHT = 71, 96
STATUS_HEIGHT = 30
DISCARD_HEIGHT = 96
AREA_HEIGHT = 115  # the piles' and the stock's height as designed
STOCK_STEP = 4
DISCARD_STEP = 16
LABEL_BOX = (296, 8, 136, 15)
AREA_NAMES = ("pile A", "pile B", "pile C", "pile D", "stock", "discard row")
BACK_COUNT = 12
# Pixels left out of a comparison are filled with this in both images.
MASKED = 0x010203


class Layout:
    """The paint areas of a client area of width x height, each (x, y, w, h) in client coordinates."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        top_height = height - STATUS_HEIGHT - DISCARD_HEIGHT
        self.areas = [(CARD_WIDTH * p, 0, CARD_WIDTH, top_height) for p in model.TABLEAU]
        self.areas.append((width - CARD_WIDTH, 0, CARD_WIDTH, top_height))
        self.areas.append((0, top_height, width, DISCARD_HEIGHT))
        self.status = (0, height - STATUS_HEIGHT, width, STATUS_HEIGHT)
        # Between pile D and the stock the white window background shows.
        self.gap = (4 * CARD_WIDTH, 0, width - 5 * CARD_WIDTH, top_height)

    def area(self, index):
        return self.areas[index]

    def centre(self, index):
        x, top, w, h = self.areas[index]
        return x + w // 2, top + h // 2

    def label_box(self):
        """The part of Label1's box that lies on the white background."""
        x, y, w, h = LABEL_BOX
        right = max(x, min(x + w, self.gap[0] + self.gap[2]))
        return (x, y, right - x, h)

    def label_overlap(self, index, text_spill=True):
        """The part of an area that Label1 may have drawn on, in the area's coordinates, or None.
        The label's box reaches into the stock: a system repaint draws the label there, a direct
        repaint of the table covers it again, so those pixels depend on which came last. Its
        text is wider than the box in the fonts here and runs on to the right inside the label's
        rows; text_spill=False leaves that part in the comparison (the label case checks it)."""
        ax, ay, aw, ah = self.areas[index]
        lx, ly, lw, lh = LABEL_BOX
        right = ax + aw if text_spill else lx + lw
        left, top = max(ax, lx), max(ay, ly)
        right, bottom = min(ax + aw, right), min(ay + ah, ly + lh)
        if left >= right or top >= bottom:
            return None
        return (left - ax, top - ay, right - left, bottom - top)


class Deck:
    """The pictures a run draws with: a name -> Image lookup where a missing name draws nothing."""

    def __init__(self, pictures, back):
        self.pictures = pictures
        self.back = back

    def face(self, card):
        return self.pictures.get(card.picture)

    def empty_pile(self):
        return self.pictures.get("CARD02")

    def stock_base(self):
        return self.pictures.get("CARD01")


class ArtFolder:
    """The built-in pictures exactly as the program carries them (the build's art folder)."""

    FACES = ["CARD%d%X" % (suit, rank) for suit in range(1, 5) for rank in range(13)]
    TILES = ["CARD01", "CARD02"]
    BACKS = ["BACK%d" % n for n in range(BACK_COUNT)]

    def __init__(self, folder):
        self.folder = folder
        self._cache = {}

    @classmethod
    def beside(cls, bin_dir):
        return cls(os.path.join(os.path.dirname(os.path.abspath(bin_dir)), "art"))

    def picture(self, name):
        if name not in self._cache:
            self._cache[name] = read_bmp(os.path.join(self.folder, name + ".bmp"))
        return self._cache[name]

    def deck(self, back, names=None, custom_back=None):
        """A deck holding the named pictures (all by default) with BACK<back> as the stock back,
        or custom_back (an Image) in its place."""
        wanted = self.FACES + self.TILES + self.BACKS if names is None else names
        pictures = {name: self.picture(name) for name in wanted}
        chosen = custom_back if custom_back is not None else pictures.get("BACK%s" % back)
        return Deck(pictures, chosen)

    def builtin(self, back):
        return self.deck(back)


def compose_area(layout, index, game, deck):
    """The expected pixels of one paint area for a position drawn with a deck."""
    _, _, w, h = layout.area(index)
    image = Image.filled(w, h, GREEN)

    def draw(picture, x, y):
        if picture is not None:
            image.paste(picture, x, y)

    if index in model.TABLEAU:
        draw(deck.empty_pile(), 0, 0)
        for k, card in enumerate(game.piles[index]):
            draw(deck.face(card), 0, model.TABLEAU_STEP * k)
    elif index == model.STOCK:
        draw(deck.stock_base(), 0, 0)
        for k in range(len(game.piles[model.STOCK])):
            draw(deck.back, 0, STOCK_STEP * k)
    else:
        for k, card in enumerate(game.piles[model.DISCARD]):
            draw(deck.face(card), DISCARD_STEP * k, 0)
    return image


def crop(image, rect):
    x, y, w, h = rect
    return image.crop(x, y, w, h)


def has_red(image):
    return RED in image.colours()


class TableScreen:
    """Reads the table window's client area off the screen and checks it against a position."""

    def __init__(self, app, window, art, deck):
        self.app = app
        self.driver = app.driver
        self.hwnd = window["hwnd"]
        self.art = art
        self.deck = deck
        self.shots = 0
        self.refresh_layout()

    def refresh_layout(self):
        info = self.driver.send("window", hwnd=self.hwnd)
        self.window = info
        self.layout = Layout(info["client"]["width"], info["client"]["height"])
        return self.layout

    def capture(self):
        """The client area as it is on the screen, as an Image."""
        self.shots += 1
        path = os.path.join(self.app.session.root, "shot-%d.bmp" % self.shots)
        self.driver.send("screenshot", file=path, hwnd=self.hwnd, client=True)
        try:
            return read_bmp(path)
        finally:
            os.unlink(path)

    def area_problem(self, shot, index, game, deck=None, text_spill=True):
        """None when an area of the capture shows the position drawn with the deck, else what differs."""
        expected = compose_area(self.layout, index, game, deck or self.deck)
        seen = crop(shot, self.layout.area(index))
        overlap = self.layout.label_overlap(index, text_spill)
        if overlap is not None:
            expected.fill(*overlap, colour=MASKED)
            seen.fill(*overlap, colour=MASKED)
        if seen == expected:
            return None
        x, y, _, _ = self.layout.area(index)
        return "%s at (%d, %d): %s" % (AREA_NAMES[index], x, y, seen.describe_difference(expected))

    def problems(self, shot, game, areas=range(6), check_label=True, check_gap=True):
        """What differs between a capture and the position: one text per area that is wrong."""
        found = []
        for index in areas:
            problem = self.area_problem(shot, index, game)
            if problem:
                found.append(problem)
        if check_label:
            label = has_red(crop(shot, self.layout.label_box()))
            if label != game.moves_available():
                found.append("\"Moves Avaliable\" %s, expected %s (top cards %s)" % (
                    "shown" if label else "not shown", "shown" if game.moves_available() else "hidden",
                    game.tops()))
        if check_gap:
            found.extend(self.gap_problems(shot))
        return found

    def gap_problems(self, shot):
        """The white background between pile D and the stock, outside Label1's box."""
        gx, gy, gw, gh = self.layout.gap
        lx, ly, lw, lh = self.layout.label_box()
        for y in range(gy, gy + gh):
            spans = [(gx, gx + gw)]
            if ly <= y < ly + lh:
                # Clipped to the gap, which a narrow window makes narrower than the label's box.
                spans = [(gx, min(lx, gx + gw)), (max(lx + lw, gx), gx + gw)]
            for left, right in spans:
                if left >= right:
                    continue
                part = shot.rows[y][3 * left:3 * right]
                if part != b"\xff" * len(part):
                    x = left + next(k for k in range(right - left) if part[3 * k:3 * k + 3] != b"\xff\xff\xff")
                    colour = part[3 * (x - left):3 * (x - left) + 3].hex()
                    return ["white background at (%d, %d) is %s" % (x, y, colour)]
        return []

    def expect_position(self, game, what, areas=range(6), check_label=True, timeout=2.0):
        """Waits until the screen shows the position (painting may lag a little behind input)."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.capture()
            found = self.problems(shot, game, areas, check_label)
            if not found:
                return shot
            if time.monotonic() >= deadline:
                raise CaseFailure("%s: %s" % (what, "; ".join(found)))
            time.sleep(0.1)

    def expect_unchanged(self, before, what, settle=0.3):
        """After an action that must change nothing: the client area equals the earlier capture."""
        time.sleep(settle)
        shot = self.capture()
        if shot != before:
            raise CaseFailure("%s changed the screen: %s" % (what, shot.describe_difference(before)))
        return shot

    def expect_eventually_equal(self, before, what, timeout=2.0):
        """After something covered the table for a while (a message box): the table comes back as it was."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.capture()
            if shot == before:
                return shot
            if time.monotonic() >= deadline:
                raise CaseFailure("%s: the table differs afterwards: %s" % (what, shot.describe_difference(before)))
            time.sleep(0.1)


def windows_path(host_path):
    """A host path as the program sees it on Wine's Z: drive."""
    return "Z:" + host_path.replace("/", "\\")


CLOCK_TIMER = 2
LONGEST_TIMER_MS = 0x7FFFFFFF


def hold_clock(app, hwnd):
    """Gives the game clock's timer the longest interval, so the status bar keeps its text and
    whole captures of the table stay comparable."""
    app.driver.send("settimer", hwnd=hwnd, id=CLOCK_TIMER, ms=LONGEST_TIMER_MS)


def start_table(app, args="0", back=3, deck_names=None, custom_back=None, settings=(), clock=False):
    """Stores the card back (None: leaves it unset) and other settings (name, type, data), starts
    the program and returns (pid, window, screen); the screen expects the built-in pictures, or
    only deck_names of them, with BACK<back> or custom_back on the stock. Unless clock is true the
    game clock is held (hold_clock)."""
    if back is not None:
        app.driver.send("reg_set", key=SETTINGS_KEY, name="CardBack", type="dword", data=back)
    for name, kind, data in settings:
        app.driver.send("reg_set", key=SETTINGS_KEY, name=name, type=kind, data=data)
    pid, window = app.start(args)
    if not clock:
        hold_clock(app, window["hwnd"])
    art = ArtFolder.beside(app.session.run.bin_dir)
    screen = TableScreen(app, window, art, art.deck(back, deck_names, custom_back))
    return pid, window, screen


def grow(screen, height=600):
    """Makes the window taller in place, so the stock shows its lowest back whole (at the first
    height only the top rows of each back show, and those are alike on every back)."""
    screen.driver.send("setpos", hwnd=screen.hwnd, h=height)
    layout = screen.refresh_layout()
    expect(layout.area(model.STOCK)[3] >= STOCK_STEP * 47 + CARD_HEIGHT,
           "the stock is only %d pixels high after the resize" % layout.area(model.STOCK)[3])
    return layout


class TableInput:
    """The player's hands: clicks at points of the areas and typed keys, one paced event at a time.
    A click on the stock waits out the double-click time after the last one there, as a player
    who means two draws does: a second press within it is the end of a double-click."""

    def __init__(self, screen):
        self.screen = screen
        self.driver = screen.driver
        self.hwnd = screen.hwnd
        self.double_click_time = 0.0
        self.last_stock_click = None

    def click(self, x, y, button="left", ctrl=False, count=1):
        reply = self.driver.send("click", hwnd=self.hwnd, x=x, y=y, button=button, ctrl=ctrl, count=count)
        self.double_click_time = reply["double_click_ms"] / 1000.0
        return reply

    def click_area(self, index, button="left", y=None, ctrl=False, count=1):
        """A click (count=2: two presses at one point) inside an area at height y within it (clamped
        to the area), by default its middle; returns the driver's reply."""
        layout = self.screen.layout
        ax, ay, aw, ah = layout.area(index)
        if y is None:
            y = ah // 2
        if index == model.STOCK and self.last_stock_click is not None:
            time.sleep(max(0.0, self.last_stock_click + self.double_click_time + 0.1 - time.monotonic()))
        reply = self.click(ax + aw // 2, ay + min(max(y, 0), ah - 1), button, ctrl, count)
        if index == model.STOCK:
            self.last_stock_click = time.monotonic()
        return reply

    def double_click_area(self, index):
        """A left double-click in the middle of an area: two presses within the double-click time."""
        reply = self.click_area(index, count=2)
        expect(reply["span_ms"] < reply["double_click_ms"],
               "the two presses came %d ms apart, beyond the double-click time of %d ms" % (
                   reply["span_ms"], reply["double_click_ms"]))

    def type(self, text):
        self.driver.send("type", text=text, hwnd=self.hwnd)

    def play(self, move, by, game):
        """Carries out a move of the model's player ("discard", "move" or "draw") with the mouse or
        the keys, before the model applies it; game gives the pile heights for the click point."""
        kind, pile = move
        if by == "keys":
            if kind == "draw":
                self.type(" ")
            else:
                letter = model.PILE_LETTERS[pile]
                self.type(letter.lower() if kind == "discard" else letter)
            return
        if kind == "draw":
            self.click_area(model.STOCK)
        else:
            # On the top card's visible strip, as a player aims.
            top_y = model.TABLEAU_STEP * (len(game.piles[pile]) - 1) + 8
            self.click_area(pile, "left" if kind == "discard" else "right", y=top_y)
