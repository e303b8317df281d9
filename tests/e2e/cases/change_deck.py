"""The change-deck dialog in the running program: the preview following the scroll bar, Save and
Reset with their relaunch into the same game, a deck library chosen with Browse, and a custom back
made from a large, a small and a broken bitmap. After each relaunch the stock shows the back the
choice asks for."""

import os
import time

from harness import model
from harness.bmp import Image, read_bmp, write_bmp
from harness.checks import CaseFailure, expect, expect_box, expect_eq
from harness.pelmor import SETTINGS_KEY
from harness.registry import case, case_table
from harness.table import ArtFolder, TableScreen, grow, start_table, windows_path

from .table_pictures import deck_path, pattern, stock_backs_matching

DIALOG_CLASS = "TChangeDeckWnd"
# Client points of the dialog's controls, from its layout.
BUTTONS = {"Save": (348, 24), "&Reset": (348, 64), "Br&owse": (348, 104), "Close": (348, 184),
           "&Custom Back": (348, 224)}
SCROLL_RIGHT = (8 + 265 - 8, 184 + 8)
RANDOM_BACK = (88 + 6, 216 + 8)
PREVIEW = (0, 0, 71, 96)


class Dialog:
    def __init__(self, app, pid, table):
        self.app = app
        self.driver = app.driver
        self.pid = pid
        app.choose(table, "Game", "Change Card Deck")
        found = self.driver.send("find", pid=pid, visible=True, timeout=5000, **{"class": DIALOG_CLASS})
        expect_eq(found["caption"], "Change Deck", "the dialog's caption")
        self.hwnd = found["hwnd"]

    def click(self, point):
        self.driver.send("click", hwnd=self.hwnd, x=point[0], y=point[1])

    def button(self, caption):
        self.click(BUTTONS[caption])

    def preview(self):
        path = os.path.join(self.app.session.root, "dialog.bmp")
        self.driver.send("screenshot", file=path, hwnd=self.hwnd, client=True)
        return read_bmp(path).crop(*PREVIEW)

    def expect_preview(self, picture, what, timeout=2.0):
        deadline = time.monotonic() + timeout
        while True:
            seen = self.preview()
            if seen == picture:
                return
            if time.monotonic() >= deadline:
                raise CaseFailure("preview %s: %s" % (what, seen.describe_difference(picture)))
            time.sleep(0.1)

    def choose_file(self, title, host_path):
        """Answers the file-open dialog titled `title` with a file, typed as a user would."""
        chooser = self.driver.send("find", pid=self.pid, visible=True, caption=title, timeout=5000)
        self.driver.send("type", text=windows_path(host_path), hwnd=chooser["hwnd"])
        self.driver.send("key", "Enter", hwnd=chooser["hwnd"])
        self.driver.send("wait_gone", hwnd=chooser["hwnd"], hidden=True, timeout=5000)


def relaunched(app, pid, back_deck, game, what):
    """The copy that Save or Reset started: same game, drawn with back_deck."""
    new_pid, exit_code = app.follow_relaunch(pid)
    expect_eq(exit_code, 0, "exit code of the old copy")
    table = app.table(new_pid, caption_prefix="Pelmor Solitaire #")
    expect_eq(table["caption"], "Pelmor Solitaire #%d" % game.number, "caption of the new copy")
    screen = TableScreen(app, table, ArtFolder.beside(app.session.run.bin_dir), back_deck)
    grow(screen)
    screen.expect_position(game, what)
    return new_pid, screen


def setting(app, name):
    """A stored value's data, or None when it is not stored."""
    reply = app.driver.send("reg_get", key=SETTINGS_KEY, name=name)
    return reply["data"] if reply.get("exists") else None


@case_table("change_deck.save", [("back_7", {"random": False}), ("random_back", {"random": True})])
def save(app, random):
    pid, window, screen = start_table(app, "5", back=3)
    game = model.Game.deal(5)
    art = screen.art
    dialog = Dialog(app, pid, window)
    dialog.expect_preview(art.picture("BACK0"), "at the start")
    dialog.click(SCROLL_RIGHT)
    dialog.expect_preview(art.picture("BACK1"), "after one step right")
    for _ in range(6):
        dialog.click(SCROLL_RIGHT)
    dialog.expect_preview(art.picture("BACK7"), "after seven steps right")
    if random:
        dialog.click(RANDOM_BACK)
        dialog.button("Save")
    else:
        # Enter, with the focus on the scroll bar, presses the default button "Save".
        app.driver.send("key", "Enter", hwnd=dialog.hwnd)
    if not random:
        relaunched(app, pid, art.builtin(7), game, "game 5 after Save with BACK7")
    else:
        # A random back: whichever of the twelve the new copy drew, exactly one, drawn whole.
        new_pid, _ = app.follow_relaunch(pid)
        table = app.table(new_pid, caption_prefix="Pelmor Solitaire #")
        expect_eq(table["caption"], "Pelmor Solitaire #5", "caption of the new copy")
        again = TableScreen(app, table, art, art.builtin(0))
        grow(again)
        matching = stock_backs_matching(again, game)
        expect(len(matching) == 1, "the stock matches backs %s; expected one of BACK0..BACK11" % matching)
    expect_eq(setting(app, "CardBack"), 255 if random else 7, "CardBack after Save")


@case("change_deck.reset_keeps_the_custom_back")
def reset(app):
    back = pattern(71, 96)
    write_bmp(os.path.join(app.session.cwd, "Pelmor.bac"), back)
    pid, window, screen = start_table(app, "5", back=3, deck_names=ArtFolder.FACES, custom_back=back,
                                      settings=[("DeckDLL", "sz", deck_path(app, "faces-only.CAR"))])
    game = model.Game.deal(5)
    grow(screen)
    screen.expect_position(game, "game 5 from faces-only.CAR with Pelmor.bac")
    window = app.window(window["hwnd"])
    Dialog(app, pid, window).button("&Reset")
    relaunched(app, pid, screen.art.deck(0, custom_back=back), game, "game 5 after Reset: built-in faces, Pelmor.bac")
    expect(setting(app, "CardBack") is None, "CardBack is still stored after Reset")
    expect(setting(app, "DeckDLL") is None, "DeckDLL is still stored after Reset")


@case_table("change_deck.browse", [("faces_only", {"file": "faces-only.CAR"}),
                                   ("not_a_deck", {"file": "not-a-deck.CAR"})])
def browse(app, file):
    pid, window, screen = start_table(app, "5", back=3)
    art = screen.art
    dialog = Dialog(app, pid, window)
    dialog.expect_preview(art.picture("BACK0"), "at the start")
    dialog.button("Br&owse")
    path = os.path.join(app.session.run.bin_dir, "decks", file)
    dialog.choose_file("Choose Deck", path)
    if file == "not-a-deck.CAR":
        box = app.message_box(pid)
        expect_box(box, caption="Orvandis Card Deck", text=box["text"], icon="error")
        # The system's text names the file where its insert stood.
        expect("%" not in box["text"] and windows_path(path).lower() in box["text"].lower(),
               "the error box does not name %s: %r" % (windows_path(path), box["text"]))
        app.press(box, "OK")
        expect(setting(app, "DeckDLL") is None, "DeckDLL stored for a file that is no library")
        expect(app.running(pid), "the program ended after the refused library")
        return
    # The file dialog spells the drive letter as it likes.
    expect_eq((setting(app, "DeckDLL") or "").lower(), windows_path(path).lower(), "DeckDLL after Browse")
    # The library has no backs: the preview keeps what it showed.
    dialog.expect_preview(art.picture("BACK0"), "after choosing a library without backs")
    dialog.button("Save")
    relaunched(app, pid, art.deck(0, ArtFolder.FACES), model.Game.deal(5), "game 5 drawn from faces-only.CAR")


def doubled(image):
    rows = []
    for row in image.rows:
        wide = b"".join(row[3 * x:3 * x + 3] * 2 for x in range(image.width))
        rows += [wide, wide]
    return Image(image.width * 2, image.height * 2, rows)


def halves(width, height):
    left = Image.filled(width // 2, height, 0xFF0000)
    return Image.filled(width, height, 0x0000FF).paste(left, 0, 0)


@case_table("change_deck.custom_back", [("large", {"kind": "large"}), ("small", {"kind": "small"}),
                                        ("broken", {"kind": "broken"})])
def custom_back(app, kind):
    choice = os.path.join(app.session.cwd, "choice.bmp")
    if kind == "large":
        write_bmp(choice, doubled(pattern(71, 96)))  # 142 x 192, halved exactly
    elif kind == "small":
        write_bmp(choice, halves(10, 10))
    else:
        with open(choice, "wb") as f:
            f.write(b"BM not a bitmap at all " * 4)
    pid, window, screen = start_table(app, "5", back=3)
    game = model.Game.deal(5)
    dialog = Dialog(app, pid, window)
    dialog.button("&Custom Back")
    dialog.choose_file("Choose Back", choice)
    written = os.path.join(app.session.cwd, "Pelmor.bac")
    if kind == "broken":
        box = app.message_box(pid)
        expect_box(box, caption="Pelmor Solitaire #5", text="Bitmap image is not valid", icon="error")
        app.press(box, "OK")
        expect(not os.path.exists(written), "Pelmor.bac was written from a file that is no bitmap")
        return
    back = read_bmp(written)
    expect_eq((back.width, back.height), (71, 96), "size of Pelmor.bac")
    if kind == "large":
        expect_eq(back, pattern(71, 96), "Pelmor.bac from the 142 x 192 picture")
    else:
        expect_eq((back.pixel(5, 48), back.pixel(65, 48)), ((255, 0, 0), (0, 0, 255)), "halves of Pelmor.bac")
    expect(not os.path.exists(written + ".new"), "the temporary file of the back was left behind")
    dialog.expect_preview(back, "after Custom Back")
    dialog.button("Close")
    app.driver.send("wait_gone", hwnd=dialog.hwnd, hidden=True, timeout=5000)
    screen.deck = screen.art.deck(3, custom_back=back)
    grow(screen)
    screen.expect_position(game, "game 5 with the new back after Close")
    if kind == "large":
        dialog = Dialog(app, pid, app.window(window["hwnd"]))
        dialog.button("Save")
        relaunched(app, pid, screen.art.deck(0, custom_back=back), game, "game 5 after Save with the custom back")
