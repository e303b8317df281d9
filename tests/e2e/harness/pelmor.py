"""What the suite knows of Pelmor.exe as its user sees it, and the steps a user takes with it."""

import re
import time

from .checks import CaseFailure, expect, expect_eq

TABLE_CLASS = "TPelmorTable"
INPUT_CLASS = "TInputQueryForm"
DESIGN_CAPTION = "Pelmor Solitaire"
DEALT_CAPTION = re.compile(r"^Pelmor Solitaire #(-?[1-9][0-9]*|0)$")
DESIGN_BOUNDS = {"left": 43, "top": 106, "width": 501, "height": 300}
SETTINGS_KEY = r"Software\Halvek\Pelmor"
BOX_CAPTION = "Pelmor"

# The menu bar as the user sees it; the driver walks it with arrow keys from these positions.
MENU = [
    ("Game", ["New Game", "Enter Game Number", "Load Saved Game", "Save Game", "Change Card Deck",
              "High Scores", "No Hints", "Exit"]),
    ("Help", ["About", "How To Play", "How To Use This Game", "Buy Source Code"]),
]

HOW_TO_USE = [
    "To discard a card use the left mouse button.\r\n"
    "To move a card to an empty pile use the right mouse button.\r\n"
    "To see a covered card hold down the Ctrl key while clicking on the card.\r\n"
    "You can use the space key to draw.",
    "lowercase a through d keys to discard from pile a through d\r\n"
    "uppercase A through D keys to move a card to an empty pile",
]

NOT_WHOLE_NUMBER = "You must use whole numbers positive and negatives allowed"
NO_SAVED_GAME = "No game was ever saved"

INT32_MIN = -2 ** 31
INT32_MAX = 2 ** 31 - 1

SIGNED_DECIMAL = re.compile(r"^(-?[1-9][0-9]*|0)$")


def not_an_integer(text):
    return "'%s' is not a valid integer value." % text


def menu_position(menu, item):
    for top, (caption, items) in enumerate(MENU):
        if caption == menu:
            if item not in items:
                raise ValueError("menu %s has no item %s" % (menu, item))
            return top, items.index(item)
    raise ValueError("no menu %s" % menu)


def game_number(caption):
    """The game number of a dealt caption, checked to be a signed 32-bit decimal."""
    match = DEALT_CAPTION.match(caption)
    expect(match is not None, "caption %r is not \"Pelmor Solitaire #<number>\"" % caption)
    number = int(match.group(1))
    expect(INT32_MIN <= number <= INT32_MAX, "game number %d is outside the signed 32-bit range" % number)
    return number


class Pelmor:
    """Starts Pelmor.exe in the case's working directory and acts on it through the driver."""

    def __init__(self, session):
        self.session = session
        self.driver = session.driver
        self.exe = session.run.program("Pelmor.exe")

    # Preparing the user's settings

    def make_returning_user(self):
        """Creates the settings key, so a start is not this user's first."""
        self.driver.send("reg_create", key=SETTINGS_KEY)

    def settings_key_exists(self):
        return self.driver.send("reg_exists", key=SETTINGS_KEY)["exists"]

    # Starting and following the program

    def launch(self, args=""):
        return self.driver.send("launch", exe=self.exe, dir=self.session.cwd, args=args)["pid"]

    def table(self, pid, timeout=15000, **caption):
        """The program's visible table window (optionally once its caption matches)."""
        return self.driver.send("find", pid=pid, visible=True, timeout=timeout, **{"class": TABLE_CLASS}, **caption)

    def start(self, args="", timeout=15.0):
        """Launches the program and waits for its table window; returns (pid, window). A message
        box showing up first fails the case with its text rather than with a time-out."""
        pid = self.launch(args)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.driver.send("find", pid=pid, visible=True, timeout=0, check=False, **{"class": TABLE_CLASS})
            if found["ok"]:
                return pid, found
            box = self.driver.send("msgbox", pid=pid, timeout=0, check=False)
            if box["ok"]:
                raise CaseFailure("a message box came instead of the table: %r %r" % (box["caption"], box["text"]))
            if not self.running(pid):
                raise CaseFailure("the program ended during start-up")
            time.sleep(0.02)
        raise CaseFailure("no table window within %.0f s" % timeout)

    def window(self, hwnd):
        return self.driver.send("window", hwnd=hwnd)

    def window_exists(self, hwnd):
        return self.driver.send("window", hwnd=hwnd, check=False)["ok"]

    def running(self, pid):
        return self.driver.send("status", pid=pid)["running"]

    def follow_relaunch(self, pid, timeout=15000):
        """After the program started a copy of itself: the copy's PID and how the old one ended."""
        reply = self.driver.send("follow", pid=pid, timeout=timeout)
        expect(reply["old_ended"], "the old process did not end after starting its copy")
        return reply["pid"], reply["old_exit_code"]

    def no_new_copy(self, pid, wait_ms=1000):
        """Checks that the program, process pid, starts no copy of itself within wait_ms."""
        reply = self.driver.send("follow", pid=pid, timeout=wait_ms, check=False)
        expect(not reply["ok"], "a new copy of the program started (pid %s)" % reply.get("pid"))

    def cwd_of(self, pid):
        return self.driver.send("cwd", pid=pid)["cwd"]

    def windows_cwd(self):
        """The case's working directory as a Windows program sees it."""
        return "Z:" + self.session.cwd.replace("/", "\\") + "\\"

    # What the user answers

    def message_box(self, pid, timeout=10000):
        """A message box of the program, with its icon told two ways: from its pixels on screen and,
        through the hook, from its icon handle compared inside the program."""
        box = self.driver.send("msgbox", pid=pid, timeout=timeout)
        box["icon_in_program"] = self.driver.send("msgicon", hwnd=box["hwnd"])["report"]["icon"]
        return box

    def no_message_box(self, pid, wait_ms=1000):
        reply = self.driver.send("no_msgbox", pid=pid, wait=wait_ms, check=False)
        if not reply["ok"]:
            raise CaseFailure(reply["error"])

    def press(self, window, button, timeout=10000):
        return self.driver.send("press", hwnd=window["hwnd"], button=button, timeout=timeout)

    def choose(self, window, menu, item):
        """Chooses a menu command with the keyboard; returns the driver time of the Enter key."""
        top, index = menu_position(menu, item)
        return self.driver.send("menu", hwnd=window["hwnd"], top=top, item=index)["t"]

    def input_dialog(self, pid, timeout=10000):
        dialog = self.driver.send("inputdlg", pid=pid, timeout=timeout, caption="New Game", **{"class": INPUT_CLASS})
        return dialog

    def type_into(self, dialog, text):
        typed = self.driver.send("inputset", hwnd=dialog["hwnd"], text=text)["text"]
        expect_eq(typed, text, "text in the edit box after typing")

    def menu_tree(self, window):
        report = self.driver.send("menutree", hwnd=window["hwnd"])["report"]
        expect(report.get("has_menu"), "the table window has no menu bar")
        return report["menu"]
