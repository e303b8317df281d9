"""The menu bar as the program holds it, read from inside through the hook."""

from harness.checks import expect_eq
from harness.pelmor import MENU
from harness.registry import case_table


def flatten(tree):
    return [(top["text"], [item["text"] for item in top.get("items", [])]) for top in tree]


@case_table("menu.tree", [("no_hints_unset", {"stored": None, "checked": False}),
                          ("no_hints_stored_1", {"stored": 1, "checked": True}),
                          ("no_hints_stored_0", {"stored": 0, "checked": False})])
def menu_tree(app, stored, checked):
    if stored is not None:
        app.driver.send("reg_set", key=r"Software\Halvek\Pelmor", name="NoHints", type="dword", data=stored)
    pid, table = app.start("5")
    tree = app.menu_tree(table)
    expect_eq(flatten(tree), [(name, items) for name, items in MENU], "menu captions in order")
    marks = {item["text"]: item["checked"] for top in tree for item in top.get("items", [])}
    expected = {text: (text == "No Hints" and checked) for _, items in MENU for text in items}
    expect_eq(marks, expected, "check marks")
    separators = [item["text"] for top in tree for item in top.get("items", []) if item["separator"]]
    expect_eq(separators, [], "separators")
