"""Assertions for the cases: each failure says what was expected and what was seen."""


class CaseFailure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise CaseFailure(message)


def expect_eq(actual, expected, what):
    if actual != expected:
        raise CaseFailure("%s: expected %r, saw %r" % (what, expected, actual))


def expect_box(box, caption, text, icon, buttons=("OK",), default="OK"):
    """Checks a whole message box at once and names every part that differs."""
    seen_buttons = [b["text"] for b in box["buttons"]]
    defaults = [b["text"] for b in box["buttons"] if b["default"]]
    problems = []
    if box["caption"] != caption:
        problems.append("caption %r (expected %r)" % (box["caption"], caption))
    if box["text"] != text:
        problems.append("text %r (expected %r)" % (box["text"], text))
    if box["icon"] != icon:
        problems.append("icon on screen %s (expected %s)" % (box["icon"], icon))
    if box.get("icon_in_program", icon) != icon:
        problems.append("icon handle %s (expected %s)" % (box["icon_in_program"], icon))
    if seen_buttons != list(buttons):
        problems.append("buttons %s (expected %s)" % (seen_buttons, list(buttons)))
    if defaults != [default]:
        problems.append("default button %s (expected %s)" % (defaults, default))
    if problems:
        raise CaseFailure("message box: " + "; ".join(problems))
